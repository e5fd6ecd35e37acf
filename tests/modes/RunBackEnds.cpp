#include "RunBackEnds.h"

#include <map>

#include <QTest>

#include "platform/companion/CompanionBrowserFinder.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "support/ChromiumProcess.h"
#include "support/CompanionRuntime.h"
#include "support/FirefoxProcess.h"

namespace vorlaken::test {

namespace {

// Chromium reached over its DevTools endpoint, as grabnest attaches to a browser started with
// --remote-debugging-port.
class DevToolsBackEnd : public RunBackEnd {
  public:
    ~DevToolsBackEnd() override { qunsetenv("VORLAKEN_DEVTOOLS"); }

    bool start(QString* error) override {
        if (!chromium_.start(QStringLiteral("about:blank"))) {
            *error = chromium_.errorString();
            return false;
        }
        qputenv("VORLAKEN_DEVTOOLS", chromium_.endpoint().toUtf8());
        return true;
    }

    BrowserFinder& finder() override { return finder_; }
    QString devToolsEndpoint() const override { return chromium_.endpoint(); }

  private:
    ChromiumProcess chromium_;
    DevToolsBrowserFinder finder_;
};

// A browser with the companion extension, reached through its native-messaging host as grabnest
// attaches to a browser without a debugging port: each browser starts its own way in the runtime folder.
class ExtensionBackEnd : public RunBackEnd {
  public:
    ExtensionBackEnd() : finder_(runtime_.socketFolder()) {}

    bool start(QString* error) override {
        if (!runtime_.isValid()) {
            *error = QStringLiteral("no runtime folder");
            return false;
        }
        if (!startBrowser(runtime_, error))
            return false;
        if (!runtime_.waitForBrowser()) {
            *error = QStringLiteral("the extension did not connect");
            return false;
        }
        return true;
    }

    BrowserFinder& finder() override { return finder_; }

  protected:
    virtual bool startBrowser(const CompanionRuntime& runtime, QString* error) = 0;

  private:
    CompanionRuntime runtime_;
    CompanionBrowserFinder finder_;
};

// Chromium with the extension.
class CompanionBackEnd : public ExtensionBackEnd {
  public:
    QString devToolsEndpoint() const override { return chromium_.endpoint(); }

  protected:
    bool startBrowser(const CompanionRuntime& runtime, QString* error) override {
        if (chromium_.start(QStringLiteral("about:blank"), runtime.prepare(chromium_)))
            return true;
        *error = chromium_.errorString();
        return false;
    }

  private:
    ChromiumProcess chromium_;
};

// firefox-esr with the extension: the only way grabnest reaches Firefox.
class FirefoxBackEnd : public ExtensionBackEnd {
  protected:
    bool startBrowser(const CompanionRuntime& runtime, QString* error) override {
        if (!FirefoxProcess::available()) {
            *error = QStringLiteral("firefox-esr is not installed");
            return false;
        }
        if (firefox_.start(runtime, QStringLiteral("about:blank")))
            return true;
        *error = firefox_.errorString();
        return false;
    }

  private:
    FirefoxProcess firefox_;
};

struct Entry {
    const char* name;
    std::unique_ptr<RunBackEnd> (*make)();
    bool firefox;
};

const Entry kBackEnds[] = {
    {"devtools", [] { return std::unique_ptr<RunBackEnd>(new DevToolsBackEnd); }, false},
    {"companion", [] { return std::unique_ptr<RunBackEnd>(new CompanionBackEnd); }, false},
    {"firefox", [] { return std::unique_ptr<RunBackEnd>(new FirefoxBackEnd); }, true},
};

std::map<QString, std::unique_ptr<RunBackEnd>>& started() {
    static std::map<QString, std::unique_ptr<RunBackEnd>> backEnds;
    return backEnds;
}

}  // namespace

bool RunBackEnd::open(const QString& url) {
    // A browser just started may not offer its page yet, and one on its way to a page may not answer.
    // The page asked keeps its connection until the browser is there, so the request is not lost.
    BrowserPtr asked;
    return QTest::qWaitFor(
        [&] {
            try {
                BrowserPtr page = finder().discover();
                if (!page)
                    return false;
                if (!asked) {
                    page->navigate(url);
                    asked = page;
                    return false;
                }
                DocumentPtr document = page->document();
                if (page->locationUrl() != url || document->url() != url)
                    return false;
                for (const ElementData& image : document->images()->read(kComplete)) {
                    if (!image.complete)
                        return false;
                }
                return true;
            } catch (const PageError&) {
                return false;
            }
        },
        30000);
}

void RunBackEnds::addRows(bool withFirefox) {
    QTest::addColumn<QString>("backEnd");
    for (const Entry& entry : kBackEnds) {
        if (!entry.firefox || withFirefox)
            QTest::newRow(entry.name) << QString::fromLatin1(entry.name);
    }
}

RunBackEnd* RunBackEnds::current() {
    QFETCH(QString, backEnd);
    auto found = started().find(backEnd);
    if (found != started().end())
        return found->second.get();
    for (const Entry& entry : kBackEnds) {
        if (backEnd != QLatin1String(entry.name))
            continue;
        std::unique_ptr<RunBackEnd> made = entry.make();
        QString error;
        if (!made->start(&error)) {
            QTest::qFail(qPrintable(QStringLiteral("%1 did not start: %2").arg(backEnd, error)), __FILE__,
                         __LINE__);
            return nullptr;
        }
        return started().emplace(backEnd, std::move(made)).first->second.get();
    }
    return nullptr;
}

void RunBackEnds::stopAll() {
    started().clear();
}

}  // namespace vorlaken::test
