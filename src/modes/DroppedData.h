#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace vorlaken {

// What a drop on dropPanel hands the drop handler: the dropped URL or the dropped HTML (at most one of
// the two), and the address of the page the HTML came from when the drag named it.
struct DropContent {
    QString url;
    QString html;
    QString sourceUrl;
};

// Reads a drop the way browsers on Linux offer it: the data of each format by MIME type. In order of
// preference: an address (text/uri-list, text/x-moz-url, _NETSCAPE_URL), then the page selection
// (text/html, with its page from chromium/x-source-url or text/x-moz-url-priv), then the address inside
// a dropped shortcut file (.desktop or .url), then plain text that is nothing but a web address.
class DroppedData {
  public:
    static DropContent read(const QMap<QString, QByteArray>& formats);
    // A format's text: UTF-8, or UTF-16 where a byte order mark or the bytes say so (Firefox gives
    // some formats that way); a terminating NUL is dropped.
    static QString decodeText(const QByteArray& bytes);
    // The formats of a drop written as a JSON object of MIME type to text, as scripts give it. False
    // when text is no such object.
    static bool formatsFromJson(const QString& text, QMap<QString, QByteArray>* formats);

  private:
    static QString firstLine(const QString& text);
    static QString uriListEntry(const QString& text, bool localFiles);
    static QString shortcutAddress(const QString& fileUrl);
    static QString webAddress(const QString& text);
};

}  // namespace vorlaken
