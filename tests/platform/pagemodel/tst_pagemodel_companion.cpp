// The contract of the page model, kept by the companion back-end in real headless Chromium and
// firefox-esr: the same table every other back-end passes.
#include <QTest>

#include "CompanionContractBackEnd.h"
#include "PageModelContract.h"
#include "support/ChromiumProcess.h"
#include "support/FirefoxProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

class PageModelCompanionTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(server_.listen());
        PageModelContract::serve(server_);
    }

    void chromium_data() { PageModelContract::addRows(); }
    void chromium() {
        VORLAKEN_REQUIRE_CHROMIUM();
        if (!chromium_.isRunning()) {
            QVERIFY2(chromium_.start(QStringLiteral("about:blank"), chromiumRuntime_.prepare(chromium_)),
                     qPrintable(chromium_.errorString()));
        }
        CompanionContractBackEnd backEnd(server_, chromiumRuntime_);
        PageModelContract::check(backEnd);
    }

    void firefox_data() { PageModelContract::addRows(); }
    void firefox() {
        VORLAKEN_REQUIRE_FIREFOX();
        if (!firefox_.isRunning())
            QVERIFY2(firefox_.start(firefoxRuntime_, QStringLiteral("about:blank")),
                     qPrintable(firefox_.errorString()));
        CompanionContractBackEnd backEnd(server_, firefoxRuntime_);
        PageModelContract::check(backEnd);
    }

  private:
    LoopbackHttpServer server_;
    CompanionRuntime chromiumRuntime_;
    ChromiumProcess chromium_;
    CompanionRuntime firefoxRuntime_;
    FirefoxProcess firefox_;
};

QTEST_GUILESS_MAIN(PageModelCompanionTest)
#include "tst_pagemodel_companion.moc"
