// The contract of the page model, kept by the attached-browser back-end on a real headless Chromium.
#include <QTest>

#include "../devtools/BrowserProbe.h"
#include "PageModelContract.h"
#include "support/ChromiumProcess.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

class DevToolsBackEnd : public ContractBackEnd {
  public:
    explicit DevToolsBackEnd(LoopbackHttpServer& server) : server_(server) {}

    QString base() const override { return server_.url(QString()); }

    BrowserPtr show(const ContractCase& contractCase) override {
        BrowserPtr browser = probe::openPage(server_.url(contractCase.pages.first().path));
        // Complete: its frames and pictures have ended loading.
        if (!browser ||
            !probe::waitFor(*browser, QStringLiteral("document.readyState === 'complete'"), 30000)) {
            QTest::qFail("Chromium did not show the page.", __FILE__, __LINE__);
            return nullptr;
        }
        return browser;
    }

  private:
    LoopbackHttpServer& server_;
};

}  // namespace

class PageModelDevToolsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        VORLAKEN_REQUIRE_CHROMIUM();
        QVERIFY(server_.listen());
        PageModelContract::serve(server_);
        QVERIFY2(chromium_.start(QStringLiteral("about:blank")), qPrintable(chromium_.errorString()));
        qputenv("VORLAKEN_DEVTOOLS", chromium_.endpoint().toUtf8());
    }
    void cleanupTestCase() { qunsetenv("VORLAKEN_DEVTOOLS"); }
    void contract_data() { PageModelContract::addRows(); }
    void contract() {
        DevToolsBackEnd backEnd(server_);
        PageModelContract::check(backEnd);
    }

  private:
    LoopbackHttpServer server_;
    ChromiumProcess chromium_;
};

QTEST_MAIN(PageModelDevToolsTest)
#include "tst_pagemodel_devtools.moc"
