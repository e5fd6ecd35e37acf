#include "modes/DroppedData.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace vorlaken {

namespace {

// A shortcut file is a few lines; anything longer is not read further.
constexpr qint64 kShortcutReadLimit = 64 * 1024;

QString textOf(const QMap<QString, QByteArray>& formats, const QStringList& types) {
    for (const QString& type : types) {
        const auto found = formats.constFind(type);
        if (found != formats.constEnd())
            return DroppedData::decodeText(*found);
    }
    return QString();
}

bool isWebScheme(const QString& scheme) {
    static const QRegularExpression kWeb(QStringLiteral("^(https?|ftp|file)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return kWeb.match(scheme).hasMatch();
}

}  // namespace

QString DroppedData::decodeText(const QByteArray& bytes) {
    QString text;
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        text = decoder.decode(bytes);
    } else if (bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes.contains('\0')) {
        // UTF-16 without a mark, little-endian as the X11 side writes it.
        QStringDecoder decoder(QStringConverter::Utf16LE);
        text = decoder.decode(bytes);
    } else {
        text = QString::fromUtf8(bytes);
    }
    while (text.endsWith(QChar(u'\0')))
        text.chop(1);
    return text;
}

bool DroppedData::formatsFromJson(const QString& text, QMap<QString, QByteArray>* formats) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject object = document.object();
    formats->clear();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isString())
            return false;
        formats->insert(it.key(), it.value().toString().toUtf8());
    }
    return true;
}

QString DroppedData::firstLine(const QString& text) {
    return text.section(QRegularExpression(QStringLiteral("\r\n|\r|\n")), 0, 0).trimmed();
}

QString DroppedData::uriListEntry(const QString& text, bool localFiles) {
    // One address per line; lines starting with "#" are comments.
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (QUrl(line).isLocalFile() == localFiles)
            return line;
    }
    return QString();
}

QString DroppedData::shortcutAddress(const QString& fileUrl) {
    const QString path = QUrl(fileUrl).toLocalFile();
    if (!path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive) &&
        !path.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines =
        decodeText(file.read(kShortcutReadLimit)).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("URL="), Qt::CaseInsensitive))
            return line.mid(4).trimmed();
    }
    return QString();
}

QString DroppedData::webAddress(const QString& text) {
    const QString candidate = text.trimmed();
    if (candidate.isEmpty() || candidate.contains(QRegularExpression(QStringLiteral("\\s"))))
        return QString();
    const QUrl url(candidate, QUrl::StrictMode);
    return url.isValid() && !url.isRelative() && isWebScheme(url.scheme()) ? candidate : QString();
}

DropContent DroppedData::read(const QMap<QString, QByteArray>& formats) {
    DropContent drop;
    const QString uriList = textOf(formats, {QStringLiteral("text/uri-list")});
    drop.url = uriListEntry(uriList, false);
    if (drop.url.isEmpty())
        drop.url =
            firstLine(textOf(formats, {QStringLiteral("text/x-moz-url"), QStringLiteral("_NETSCAPE_URL")}));
    if (!drop.url.isEmpty())
        return drop;

    drop.html = textOf(formats, {QStringLiteral("text/html")});
    if (!drop.html.isEmpty()) {
        drop.sourceUrl = firstLine(textOf(
            formats, {QStringLiteral("chromium/x-source-url"), QStringLiteral("text/x-moz-url-priv")}));
        return drop;
    }

    const QString shortcut = uriListEntry(uriList, true);
    if (!shortcut.isEmpty())
        drop.url = shortcutAddress(shortcut);
    if (drop.url.isEmpty())
        drop.url = webAddress(textOf(formats, {QStringLiteral("text/plain;charset=utf-8"),
                                               QStringLiteral("text/plain"), QStringLiteral("UTF8_STRING")}));
    return drop;
}

}  // namespace vorlaken
