// Discovery against endpoints that answer badly: it stays within one call's bound, and the choice among
// the pages that did answer follows the user's view.
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include "platform/devtools/DevToolsBrowserFinder.h"
#include "platform/devtools/DevToolsConnection.h"
#include "platform/devtools/PageProbe.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

Q_DECLARE_METATYPE(std::vector<PageLook>)
Q_DECLARE_METATYPE(std::vector<bool>)

namespace {

// A listing of pages whose sockets are accepted but never answered (not even the handshake).
QByteArray silentPages(LoopbackHttpServer& server, int count) {
    QJsonArray list;
    for (int i = 0; i < count; ++i) {
        const QString id = QStringLiteral("PAGE%1").arg(i);
        list.append(
            QJsonObject{{QStringLiteral("id"), id},
                        {QStringLiteral("type"), QStringLiteral("page")},
                        {QStringLiteral("url"), QStringLiteral("http://site.example/%1.html").arg(i)},
                        {QStringLiteral("webSocketDebuggerUrl"),
                         QStringLiteral("ws://127.0.0.1:%1/devtools/page/%2").arg(server.port()).arg(id)}});
        server.addDelayed(QStringLiteral("/devtools/page/") + id, 600000, QByteArray());
    }
    return QJsonDocument(list).toJson();
}

PageLook look(bool answered, bool visible, bool focused) {
    PageLook l;
    l.answered = answered;
    l.visible = visible;
    l.focused = focused;
    return l;
}

}  // namespace

class DevToolsDiscoveryTest : public QObject {
    Q_OBJECT

  private slots:
    void silentPagesCostOneBound_data();
    void silentPagesCostOneBound();
    void choiceAmongAnswers_data();
    void choiceAmongAnswers();
};

void DevToolsDiscoveryTest::silentPagesCostOneBound_data() {
    QTest::addColumn<bool>("listingAnswers");
    QTest::newRow("many silent pages") << true;
    QTest::newRow("silent listing") << false;
}

void DevToolsDiscoveryTest::silentPagesCostOneBound() {
    QFETCH(bool, listingAnswers);
    LoopbackHttpServer server;
    QVERIFY(server.listen());
    const QByteArray listing = silentPages(server, 12);
    if (listingAnswers)
        server.addPage(QStringLiteral("/json/list"), listing, "application/json");
    else
        server.addDelayed(QStringLiteral("/json/list"), 600000, listing, "application/json");
    qputenv("VORLAKEN_DEVTOOLS", server.url().toUtf8());

    DevToolsBrowserFinder finder;
    QElapsedTimer clock;
    clock.start();
    const BrowserPtr browser = finder.discover();
    const qint64 elapsed = clock.elapsed();
    qunsetenv("VORLAKEN_DEVTOOLS");

    QVERIFY(!browser);
    QVERIFY(finder.attachedProfile().isEmpty());
    if (listingAnswers) {
        // Every examined page was asked, at once, not one after the other.
        int asked = 0;
        for (int i = 0; i < 12; ++i)
            asked += server.requestsFor(QStringLiteral("/devtools/page/PAGE%1").arg(i)).isEmpty() ? 0 : 1;
        QCOMPARE(asked, 8);
    }
    // One call's bound, with room for a loaded machine; one bound per page would be eight times that.
    QVERIFY2(elapsed < 2 * DevToolsConnection::kBoundMs, qPrintable(QString::number(elapsed)));
}

void DevToolsDiscoveryTest::choiceAmongAnswers_data() {
    QTest::addColumn<std::vector<PageLook>>("looks");
    QTest::addColumn<std::vector<bool>>("finished");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("decided");

    const PageLook silent = look(false, false, false);
    const PageLook hidden = look(true, false, false);
    const PageLook shown = look(true, true, false);
    const PageLook looked = look(true, true, true);
    QTest::newRow("none") << std::vector<PageLook>{} << std::vector<bool>{} << -1 << true;
    QTest::newRow("focused wins over a more recent visible one")
        << std::vector<PageLook>{shown, looked} << std::vector<bool>{true, true} << 1 << true;
    QTest::newRow("most recent focused one")
        << std::vector<PageLook>{hidden, looked, looked} << std::vector<bool>{true, true, true} << 1 << true;
    QTest::newRow("visible before hidden")
        << std::vector<PageLook>{hidden, shown, hidden} << std::vector<bool>{true, true, true} << 1 << true;
    QTest::newRow("most recent answer when none is visible")
        << std::vector<PageLook>{silent, hidden, hidden} << std::vector<bool>{true, true, true} << 1 << true;
    QTest::newRow("nobody answered") << std::vector<PageLook>{silent, silent} << std::vector<bool>{true, true}
                                     << -1 << true;
    QTest::newRow("a silent page does not hide the focused one")
        << std::vector<PageLook>{silent, looked} << std::vector<bool>{true, true} << 1 << true;
    QTest::newRow("focused one final while later pages are still asked")
        << std::vector<PageLook>{hidden, looked, silent} << std::vector<bool>{true, true, false} << 1 << true;
    QTest::newRow("a page still asked ahead of the focused one keeps it open")
        << std::vector<PageLook>{silent, looked} << std::vector<bool>{false, true} << -1 << false;
    QTest::newRow("visible one not final while others are asked")
        << std::vector<PageLook>{shown, silent} << std::vector<bool>{true, false} << 0 << false;
}

void DevToolsDiscoveryTest::choiceAmongAnswers() {
    QFETCH(std::vector<PageLook>, looks);
    QFETCH(std::vector<bool>, finished);
    QFETCH(int, chosen);
    QFETCH(bool, decided);
    bool final = !decided;
    QCOMPARE(ChooseLookedAtPage(looks, finished, &final), chosen);
    QCOMPARE(final, decided);
}

QTEST_GUILESS_MAIN(DevToolsDiscoveryTest)
#include "tst_DevToolsDiscovery.moc"
