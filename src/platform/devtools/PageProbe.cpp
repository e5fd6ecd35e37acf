#include "PageProbe.h"

#include <memory>

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QTimer>
#include <QWebSocket>

#include "common/Termination.h"

namespace vorlaken {

namespace {

const QString kWorldName = QStringLiteral("vorlaken");
const QString kQuestion = QStringLiteral("[document.visibilityState === 'visible', document.hasFocus()]");

// One page's question: open, make an isolated world of the main frame, evaluate there.
class Probe : public QObject {
  public:
    Probe(const PageTarget& page, QEventLoop& loop) : frameId_(page.id), loop_(loop) {
        socket_.setProxy(QNetworkProxy::NoProxy);
        connect(&socket_, &QWebSocket::connected, this, [this] { askWorld(); });
        connect(&socket_, &QWebSocket::textMessageReceived, this, &Probe::onMessage);
        connect(&socket_, &QWebSocket::disconnected, this, [this] { finish(); });
        connect(&socket_, QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error), this,
                [this](QAbstractSocket::SocketError) { finish(); });
        socket_.open(page.webSocketUrl);
    }
    ~Probe() override {
        socket_.disconnect(this);
        socket_.abort();
    }

    bool finished() const { return finished_; }
    const PageLook& look() const { return look_; }

  private:
    static constexpr int kRetries = 3;

    void askWorld() {
        send(1, QStringLiteral("Page.createIsolatedWorld"),
             {{QStringLiteral("frameId"), frameId_}, {QStringLiteral("worldName"), kWorldName}});
    }

    void send(int id, const QString& method, const QJsonObject& params) {
        const QJsonObject message{{QStringLiteral("id"), id},
                                  {QStringLiteral("method"), method},
                                  {QStringLiteral("params"), params}};
        socket_.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    }

    void onMessage(const QString& text) {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        const int id = message.value(QLatin1String("id")).toInt();
        const QJsonObject result = message.value(QLatin1String("result")).toObject();
        if (id == 0 || finished_)
            return;  // events of the page
        if (id == 1) {
            const int context = result.value(QLatin1String("executionContextId")).toInt();
            if (context == 0) {
                if (++retries_ <= kRetries)
                    askWorld();
                else
                    finish();
                return;
            }
            send(2, QStringLiteral("Runtime.evaluate"),
                 {{QStringLiteral("expression"), kQuestion},
                  {QStringLiteral("contextId"), context},
                  {QStringLiteral("returnByValue"), true}});
        } else if (id == 2) {
            if (message.contains(QLatin1String("error")) && ++retries_ <= kRetries) {
                // The page committed a document after the world was made, which took the world along:
                // ask the new document.
                askWorld();
                return;
            }
            const QJsonArray state =
                result.value(QLatin1String("result")).toObject().value(QLatin1String("value")).toArray();
            if (state.size() == 2) {
                look_.answered = true;
                look_.visible = state.at(0).toBool();
                look_.focused = state.at(1).toBool();
            }
            finish();
        }
    }

    void finish() {
        if (!finished_) {
            finished_ = true;
            loop_.quit();
        }
    }

    QString frameId_;
    QEventLoop& loop_;
    QWebSocket socket_;
    PageLook look_;
    bool finished_ = false;
    int retries_ = 0;
};

}  // namespace

int ChooseLookedAtPage(const std::vector<PageLook>& looks, const std::vector<bool>& finished, bool* decided) {
    int firstVisible = -1;
    int firstAnswered = -1;
    bool allFinished = true;
    for (std::size_t i = 0; i < looks.size(); ++i) {
        const bool done = i < finished.size() && finished[i];
        if (!done) {
            allFinished = false;
            continue;
        }
        const PageLook& look = looks[i];
        if (!look.answered)
            continue;
        if (look.visible && look.focused) {
            // Final once every more recent page has spoken: none of them can come before it any more.
            if (allFinished) {
                if (decided)
                    *decided = true;
                return int(i);
            }
            break;
        }
        if (look.visible && firstVisible < 0)
            firstVisible = int(i);
        if (firstAnswered < 0)
            firstAnswered = int(i);
    }
    if (decided)
        *decided = allFinished;
    return firstVisible >= 0 ? firstVisible : firstAnswered;
}

std::vector<PageLook> ProbePages(const std::vector<PageTarget>& pages, const QDeadlineTimer& deadline) {
    QEventLoop loop;
    std::vector<std::unique_ptr<Probe>> probes;
    probes.reserve(pages.size());
    for (const PageTarget& page : pages)
        probes.push_back(std::make_unique<Probe>(page, loop));

    auto snapshot = [&probes](std::vector<PageLook>& looks, std::vector<bool>& finished) {
        looks.clear();
        finished.clear();
        for (const auto& probe : probes) {
            looks.push_back(probe->look());
            finished.push_back(probe->finished());
        }
    };
    std::vector<PageLook> looks;
    std::vector<bool> finished;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    Termination::quitOnTermination(loop);
    for (;;) {
        snapshot(looks, finished);
        bool decided = false;
        ChooseLookedAtPage(looks, finished, &decided);
        if (decided || deadline.hasExpired() || Termination::requested())
            break;
        timer.start(int(qMax<qint64>(1, deadline.remainingTime())));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // Pages still asked count as silent, whatever they answer later.
    for (std::size_t i = 0; i < looks.size(); ++i) {
        if (!finished[i])
            looks[i] = PageLook();
    }
    return looks;
}

}  // namespace vorlaken
