// The programs' command line, read before any window system is touched: it answers without a display.
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
  private slots:
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

void TestCommandLine::answersWithoutDisplay_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");  // a regular expression the whole standard output matches
    QTest::addColumn<QString>("err");  // the same for the error output

    const QString none;
    QTest::newRow("grabnest --version")
        << "grabnest" << QStringList{"--version"} << 0 << "grabnest \\(Vorlaken\\) 8\\.1\\n"
        << none;
    QTest::newRow("tidecove --version")
        << "tidecove" << QStringList{"--version"} << 0 << "tidecove \\(Tidewell\\) 1\\.3\\n"
        << none;
    QTest::newRow("grabnest -v") << "grabnest" << QStringList{"-v"} << 0 << "grabnest \\(Vorlaken\\) 8\\.1\\n"
                                 << none;
    QTest::newRow("grabnest --help") << "grabnest" << QStringList{"--help"} << 0
                                     << "Usage: grabnest \\[options\\]\\n(.|\\n)*VORLAKEN_DEVTOOLS(.|\\n)*"
                                        "-h, --help(.|\\n)*-v, --version(.|\\n)*"
                                     << none;
    QTest::newRow("tidecove -h")
        << "tidecove" << QStringList{"-h"} << 0
        << "Usage: tidecove \\[options\\]\\n(.|\\n)*TIDEWELL_CACHE(.|\\n)*--version(.|\\n)*" << none;
    // Qt's own options are left to it; they do not hide ours.
    QTest::newRow("Qt's options pass")
        << "grabnest" << QStringList{"-platform", "offscreen", "-reverse", "--version"} << 0
        << "grabnest \\(Vorlaken\\) 8\\.1\\n"
        << none;
    QTest::newRow("unknown option") << "grabnest" << QStringList{"--frobnicate"} << 2 << none
                                    << "grabnest: Unknown option 'frobnicate'\\.\\n"
                                       "Try 'grabnest --help' for more information\\.\\n";
    QTest::newRow("unknown short option")
        << "tidecove" << QStringList{"-x"} << 2 << none << "tidecove: Unknown option 'x'\\.\\n(.|\\n)*";
    QTest::newRow("stray argument") << "tidecove" << QStringList{"photos"} << 2 << none
                                    << "tidecove: Unexpected argument 'photos'\\.\\n(.|\\n)*";
    QTest::newRow("value missing") << "grabnest" << QStringList{"-platform"} << 2 << none
                                   << "grabnest: Missing value after '-platform'\\.\\n(.|\\n)*";
}

void TestCommandLine::answersWithoutDisplay() {
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(display));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(qEnvironmentVariable("VORLAKEN_BIN_DIR") + QLatin1Char('/') + program, arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString complaint = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(out)).match(printed).hasMatch(),
             qPrintable(printed));
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(err)).match(complaint).hasMatch(),
             qPrintable(complaint));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
