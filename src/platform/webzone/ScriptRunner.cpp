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
    // Written out by hand rather than through a JSON document: the preview page of a large capture is
    // megabytes, which a JSON round trip would copy several times. Everything that cannot stand raw in
    // a string literal is escaped: the quote, the backslash, control characters, the two line separators
    // JavaScript takes as line ends, and surrogates that are not part of a pair.
    static const char kHex[] = "0123456789abcdef";
    QString quoted;
    quoted.reserve(text.size() + text.size() / 16 + 2);
    quoted += u'"';
    auto escape = [&quoted](char16_t c) {
        quoted += QLatin1StringView("\\u");
        for (int shift = 12; shift >= 0; shift -= 4) {
            quoted += QLatin1Char(kHex[(c >> shift) & 0xF]);
        }
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'"' || c == u'\\') {
            quoted += u'\\';
            quoted += QChar(c);
        } else if (c == u'\n') {
            quoted += QLatin1StringView("\\n");
        } else if (c == u'\r') {
            quoted += QLatin1StringView("\\r");
        } else if (c < 0x20 || c == 0x2028 || c == 0x2029) {
            escape(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < size &&
                   QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            quoted += QChar(c);
            quoted += text.at(++i);
        } else if (QChar::isSurrogate(c)) {
            escape(c);
        } else {
            quoted += QChar(c);
        }
    }
    quoted += u'"';
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
