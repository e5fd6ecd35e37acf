#include "platform/webzone/ScriptRunner.h"

#include <memory>

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "common/Errors.h"

namespace vorlaken {

namespace {

struct PendingAnswer {
    bool done = false;
    QVariant value;
    QEventLoop* loop = nullptr;
};

}  // namespace

ScriptRunner::ScriptRunner(QWebEnginePage* page, int boundMs) : page_(page), boundMs_(boundMs) {}

QString ScriptRunner::quote(const QString& text) {
    // JSON string syntax is valid JavaScript except for the two line separators, which JSON leaves raw.
    QString quoted = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
    quoted = quoted.mid(1, quoted.size() - 2);
    quoted.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    quoted.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return quoted;
}

QJsonValue ScriptRunner::run(const QString& body) const {
    if (!page_)
        throw PageError(QStringLiteral("The web zone is gone."));
    // The answer travels as JSON text so that arrays of records keep their shape.
    const QString script = QStringLiteral(
                               "(function(){try{var r=(function(){%1\n})();"
                               "return JSON.stringify({v:(r===undefined?null:r)});}"
                               "catch(e){return JSON.stringify({e:String(e)});}})()")
                               .arg(body);
    auto answer = std::make_shared<PendingAnswer>();
    QEventLoop loop;
    answer->loop = &loop;
    // Our own world: it works where the page's script is off, and nothing the page defines (a
    // replaced JSON.stringify, say) can change what we read.
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant& result) {
        answer->done = true;
        answer->value = result;
        if (answer->loop)
            answer->loop->quit();
    });
    if (!answer->done) {
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
        bound.start(boundMs_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    answer->loop = nullptr;
    if (!answer->done)
        throw TimeoutError(QStringLiteral("The web zone did not answer within %1 ms.").arg(boundMs_));
    const QJsonDocument doc = QJsonDocument::fromJson(answer->value.toString().toUtf8());
    if (!doc.isObject())
        throw PageError(QStringLiteral("The web zone gave no answer (no document)."));
    const QJsonObject object = doc.object();
    if (object.contains(QStringLiteral("e")))
        throw PageError(object.value(QStringLiteral("e")).toString());
    return object.value(QStringLiteral("v"));
}

}  // namespace vorlaken
