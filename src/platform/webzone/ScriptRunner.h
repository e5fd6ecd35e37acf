#pragma once

#include <QJsonValue>
#include <QPointer>
#include <QString>

class QWebEnginePage;

namespace vorlaken {

// Runs script in a web page and waits for its answer. The page answers on the same thread through the
// event loop, so the wait is a local event loop that leaves user input queued and gives up after the
// bound. Every page-model call of a zone goes through here.
class ScriptRunner {
  public:
    explicit ScriptRunner(QWebEnginePage* page, int boundMs = 3000);

    // body: statements of a function body; its return value comes back as JSON. An exception in the
    // page throws PageError, no answer within the bound TimeoutError.
    QJsonValue run(const QString& body) const;

    // A JavaScript string literal holding text, for building scripts.
    static QString quote(const QString& text);

    int boundMs() const { return boundMs_; }

  private:
    QPointer<QWebEnginePage> page_;
    int boundMs_;
};

}  // namespace vorlaken
