#pragma once

#include <QByteArray>
#include <QString>

namespace vorlaken {

// The parts of a stored HTTP response head the readers use.
struct ResponseHead {
    int status = 0;
    QString contentType;  // lower case, without parameters

    // Lines separated by NUL (Chromium) or CR LF (Firefox); the first line is the status line.
    static ResponseHead parse(const QByteArray& text);
    // Only complete successful responses hold a body worth listing.
    bool isUsable() const { return status == 200 || status == 203; }
};

}  // namespace vorlaken
