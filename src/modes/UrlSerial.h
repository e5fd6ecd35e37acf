#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// The sequences of the Picture URLs Builder: letters, digits and numbers for the variable parts, and
// the addresses built from them.
class UrlSerial {
  public:
    // The most numbers "make" writes at a time; the bounds are free, and a list of billions of lines
    // would only exhaust the memory.
    static constexpr qint64 kMaxNumbers = 100000;
    static const QString kTooManyMessage;

    // "a-z", "A-Z", "0-9": the one-character lines from first to last.
    static QStringList characters(char first, char last);
    // "make": from to to, counting down when to is below from, both ends included; with leadingZero each
    // padded with zeros in front to the length of the larger absolute bound written in decimal (a minus
    // sign counts and the zeros go before it). Empty when there would be more than kMaxNumbers.
    static QStringList numbers(int from, int to, bool leadingZero);
    // "Build": prefix + line + postfix for every line.
    static QStringList build(const QStringList& lines, const QString& prefix, const QString& postfix);
};

}  // namespace vorlaken
