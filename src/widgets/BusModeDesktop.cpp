#include "widgets/BusModeDesktop.h"

namespace vorlaken {

void BusModeDesktop::showMessage(const QString& text, const QString& caption) {
    if (inBusCall()) {
        collected_.append(text);
        return;
    }
    desktop_.showMessage(text, caption);
}

QString BusModeDesktop::takeAnswer() {
    QString answer = answer_;
    answer_.clear();
    return answer;
}

Desktop::Answer BusModeDesktop::ask(const QString& text, const QString& caption, Buttons buttons) {
    if (!inBusCall())
        return desktop_.ask(text, caption, buttons);
    const QString answer = takeAnswer().trimmed().toLower();
    const bool positive = answer == QLatin1String("yes") || answer == QLatin1String("ok");
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return positive ? Answer::Ok : Answer::Cancel;
        case Buttons::YesNo:
            return positive ? Answer::Yes : Answer::No;
    }
    return Answer::Cancel;
}

QString BusModeDesktop::chooseFolder(const QString& title, const QString& startFolder) {
    if (!inBusCall())
        return desktop_.chooseFolder(title, startFolder);
    const QString answer = takeAnswer();
    const QString word = answer.trimmed().toLower();
    if (word.isEmpty() || word == QLatin1String("yes") || word == QLatin1String("no") ||
        word == QLatin1String("ok") || word == QLatin1String("cancel"))
        return QString();
    return answer;
}

void BusModeDesktop::setClipboardText(const QString& text) {
    lastClipboard_ = text;
    desktop_.setClipboardText(text);
}

void BusModeDesktop::beginBusCall() {
    if (busDepth_++ == 0)
        collected_.clear();
}

QStringList BusModeDesktop::endBusCall() {
    if (busDepth_ > 0)
        --busDepth_;
    QStringList messages = collected_;
    if (busDepth_ == 0)
        collected_.clear();
    return messages;
}

}  // namespace vorlaken
