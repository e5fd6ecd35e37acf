// tidecove's "Help" button and its "Tidewell" picture lead to the pages delivered beside the program,
// not to an address on the web.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "cacheviewer/ViewerWindow.h"
#include "common/ProgramDir.h"
#include "support/FakeBrowserCache.h"
#include "support/FakeDesktop.h"
#include "widgets/ClickableLabel.h"

using namespace vorlaken;

class ViewerLinksTest : public QObject {
    Q_OBJECT

  private slots:
    void linksOpenTheDeliveredPages() {
        // A program folder of its own with the delivered pages, so the window writes nothing into the
        // build's.
        const QString bin = qEnvironmentVariable("VORLAKEN_BIN_DIR") + QLatin1Char('/');
        QTemporaryDir program;
        const QString folder = program.path() + QLatin1Char('/');
        for (const QString& page : {QStringLiteral("help.htm"), QStringLiteral("welcome.htm")})
            QVERIFY2(QFile::copy(bin + page, folder + page), qPrintable(bin + page));
        FakeDesktop desktop;
        {
            ViewerWindow window(ProgramDir(folder, folder), std::make_unique<FakeBrowserCache>(), desktop);
            window.findChild<QPushButton*>(QStringLiteral("Button6"))->click();
            window.findChild<ClickableLabel*>(QStringLiteral("Image2"))->click();
        }
        QCOMPARE(desktop.openedPaths.size(), 2);
        QFile help(folder + QStringLiteral("help.htm"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString helpText = QString::fromUtf8(help.readAll());
        for (const QString& opened : std::as_const(desktop.openedPaths)) {
            const QUrl url(opened);
            QVERIFY2(url.isLocalFile() && url.toLocalFile().startsWith(folder), qPrintable(opened));
            QVERIFY2(QFile::exists(url.toLocalFile()), qPrintable(opened));
            if (url.hasFragment())
                QVERIFY2(helpText.contains(QStringLiteral("id=\"%1\"").arg(url.fragment())),
                         qPrintable(opened));
        }
        QCOMPARE(QUrl(desktop.openedPaths.at(0)).fragment(), QStringLiteral("tidewell"));
        QCOMPARE(QUrl(desktop.openedPaths.at(1)).fileName(), QStringLiteral("welcome.htm"));
    }
};

QTEST_MAIN(ViewerLinksTest)
#include "tst_viewerlinks.moc"
