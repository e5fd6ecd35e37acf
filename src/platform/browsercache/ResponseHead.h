#pragma once

#include <QByteArray>
#include <QString>

namespace vorlaken {

// The parts of a stored HTTP response head the readers use.
struct ResponseHead {
    int status = 0;
    QString contentType;        // lower case, without parameters
    QString contentEncoding;    // lower case, every Content-Encoding line joined with ", "; empty when none
    qint64 contentLength = -1;  // -1 when absent or not a plain number

    // Lines separated by NUL (Chromium) or CR LF (Firefox); the first line is the status line.
    static ResponseHead parse(const QByteArray& text);
    // Only complete successful responses hold a body worth listing.
    bool isUsable() const { return status == 200 || status == 203; }
};

}  // namespace vorlaken
