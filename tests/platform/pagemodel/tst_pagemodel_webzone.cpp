// The contract of the page model, kept by the program's own web zones (real Qt WebEngine, offscreen).
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include "PageModelContract.h"
#include "platform/webzone/WebZone.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// A zone owned by its view: the browser handed out keeps the view alive.
struct ShownZone {
    std::unique_ptr<QWebEngineView> view;
    WebZone* zone = nullptr;
};

class WebZoneBackEnd : public ContractBackEnd {
  public:
    explicit WebZoneBackEnd(LoopbackHttpServer& server) : server_(server) {}

    QString base() const override { return server_.url(QString()); }

    BrowserPtr show(const ContractCase& contractCase) override {
        auto shown = std::make_shared<ShownZone>();
        shown->view = std::make_unique<QWebEngineView>();
        shown->view->resize(600, 400);
        shown->view->show();
        // Every access granted: the contract is about the page model, not about what a zone may reach.
        shown->zone = new WebZone(shown->view.get(), QUrl(), ZoneAccess{true, true, true});
        QSignalSpy done(shown->zone, &WebZone::documentComplete);
        shown->zone->navigate(server_.url(contractCase.pages.first().path));
        // The top page completes once its frames and pictures have ended loading.
        if (!done.wait(30000)) {
            QTest::qFail("The zone did not complete the page.", __FILE__, __LINE__);
            return nullptr;
        }
        return BrowserPtr(shown, shown->zone);
    }

  private:
    LoopbackHttpServer& server_;
};

}  // namespace

class PageModelWebZoneTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(server_.listen());
        PageModelContract::serve(server_);
    }
    void contract_data() { PageModelContract::addRows(); }
    void contract() {
        WebZoneBackEnd backEnd(server_);
        PageModelContract::check(backEnd);
    }

  private:
    LoopbackHttpServer server_;
};

QTEST_MAIN(PageModelWebZoneTest)
#include "tst_pagemodel_webzone.moc"
