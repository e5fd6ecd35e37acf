#include "KeyMapping.h"

namespace vorlaken {

KeyEventFields KeyForVirtualKey(int vk) {
    if (vk >= 'A' && vk <= 'Z') {
        const QString letter = QString(QChar(vk)).toLower();
        return {letter, QStringLiteral("Key") + QChar(vk), letter};
    }
    if (vk >= '0' && vk <= '9') {
        const QString digit(QChar{vk});
        return {digit, QStringLiteral("Digit") + digit, digit};
    }
    if (vk >= 96 && vk <= 105) {
        const QString digit = QString::number(vk - 96);
        return {digit, QStringLiteral("Numpad") + digit, digit};
    }
    if (vk >= 112 && vk <= 123) {
        const QString name = QStringLiteral("F%1").arg(vk - 111);
        return {name, name, QString()};
    }
    switch (vk) {
        case 8:
            return {QStringLiteral("Backspace"), QStringLiteral("Backspace"), QString()};
        case 9:
            return {QStringLiteral("Tab"), QStringLiteral("Tab"), QString()};
        case 13:
            return {QStringLiteral("Enter"), QStringLiteral("Enter"), QStringLiteral("\r")};
        case 27:
            return {QStringLiteral("Escape"), QStringLiteral("Escape"), QString()};
        case 32:
            return {QStringLiteral(" "), QStringLiteral("Space"), QStringLiteral(" ")};
        case 33:
            return {QStringLiteral("PageUp"), QStringLiteral("PageUp"), QString()};
        case 34:
            return {QStringLiteral("PageDown"), QStringLiteral("PageDown"), QString()};
        case 35:
            return {QStringLiteral("End"), QStringLiteral("End"), QString()};
        case 36:
            return {QStringLiteral("Home"), QStringLiteral("Home"), QString()};
        case 37:
            return {QStringLiteral("ArrowLeft"), QStringLiteral("ArrowLeft"), QString()};
        case 38:
            return {QStringLiteral("ArrowUp"), QStringLiteral("ArrowUp"), QString()};
        case 39:
            return {QStringLiteral("ArrowRight"), QStringLiteral("ArrowRight"), QString()};
        case 40:
            return {QStringLiteral("ArrowDown"), QStringLiteral("ArrowDown"), QString()};
        case 45:
            return {QStringLiteral("Insert"), QStringLiteral("Insert"), QString()};
        case 46:
            return {QStringLiteral("Delete"), QStringLiteral("Delete"), QString()};
        default:
            return {};
    }
}

}  // namespace vorlaken
