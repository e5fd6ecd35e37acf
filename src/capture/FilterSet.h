#pragma once

#include <QString>

namespace vorlaken {

// One set of capture filter values (the main panel's or the enhanced panel's).
struct FilterSet {
    enum SizeMode { kLowerLimit = 0, kUpperLimit = 1, kExactly = 2 };

    int widthLimit = 80;   // 0 = not tested
    int heightLimit = 80;  // 0 = not tested
    int sizeMode = kLowerLimit;
    QString urlInclude;
    QString urlExclude;
    QString linkInclude;
    QString linkExclude;

    // Trims leading and trailing blanks of the four texts, as the capture writes them back to the boxes.
    void trimTexts();
    bool passesSize(int width, int height) const;
    // lowerUrl: the address with ASCII letters lowered.
    bool passesUrl(const QString& lowerUrl) const;
    bool passesLink(const QString& lowerLink) const;
};

}  // namespace vorlaken
