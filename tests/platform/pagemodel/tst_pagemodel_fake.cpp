// The contract of the page model, kept by the fake the unit tests use.
#include <QTest>

#include "PageModelContract.h"
#include "support/FakePageModel.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

class FakeBackEnd : public ContractBackEnd {
  public:
    QString base() const override { return QStringLiteral("http://127.0.0.1:8123"); }

    BrowserPtr show(const ContractCase& contractCase) override {
        QHash<QString, QSize> loadable;
        for (const ContractPicture& picture : PageModelContract::pictures())
            loadable.insert(base() + picture.path, picture.size);
        auto browser = std::make_shared<FakeBrowser>();
        for (int i = 0; i < contractCase.pages.size(); ++i) {
            const ContractPage& page = contractCase.pages.at(i);
            const QString url = base() + page.path;
            FakeDocumentPtr document =
                i == 0 ? browser->showHtml(url, page.html) : browser->addFrameHtml(url, page.html)->page;
            document->endPictureLoads(loadable);
        }
        return browser;
    }
};

}  // namespace

class PageModelFakeTest : public QObject {
    Q_OBJECT

  private slots:
    void contract_data() { PageModelContract::addRows(); }
    void contract() {
        FakeBackEnd backEnd;
        PageModelContract::check(backEnd);
    }
};

QTEST_GUILESS_MAIN(PageModelFakeTest)
#include "tst_pagemodel_fake.moc"
