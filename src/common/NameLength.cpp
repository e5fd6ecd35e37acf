#include "common/NameLength.h"

namespace vorlaken {

QString CutToBytes(const QString& text, qsizetype maxBytes) {
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const char32_t c = text.at(end).unicode();
        const bool pair =
            QChar::isHighSurrogate(c) && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        const qsizetype size = pair ? 4 : c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        end += units;
    }
    return text.left(end);
}

QString FitNameBytes(const QString& name, qsizetype maxBytes) {
    if (name.toUtf8().size() <= maxBytes)
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    QString suffix = dot > 0 ? name.mid(dot) : QString();
    qsizetype suffixBytes = suffix.toUtf8().size();
    // An "extension" that long is part of the name, and would leave nothing of the stem.
    if (suffixBytes > maxBytes / 4) {
        suffix.clear();
        suffixBytes = 0;
    }
    return CutToBytes(name.left(name.size() - suffix.size()), maxBytes - suffixBytes) + suffix;
}

}  // namespace vorlaken
