#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "common/ProgramDir.h"

using namespace vorlaken;

// Where the programs' written files go: beside the program in a folder of one's own (the build
// folder), in the user's folder when the program folder is an installed one.
class ProgramDirTest : public QObject {
    Q_OBJECT

  private slots:
    void writtenFilesGoWhereTheyMay_data() {
        QTest::addColumn<bool>("installed");
        QTest::newRow("own folder") << false;
        QTest::newRow("installed folder") << true;
    }

    void writtenFilesGoWhereTheyMay() {
        QFETCH(bool, installed);
        QTemporaryDir program;
        QTemporaryDir home;
        const QString user = home.filePath(QStringLiteral("config/vorlaken"));
        if (installed) {
            QFile marker(program.filePath(ProgramDir::kInstalledMarker));
            QVERIFY(marker.open(QIODevice::WriteOnly));
        }
        const ProgramDir dir(program.path(), user);
        const QString expected = (installed ? user : program.path()) + QStringLiteral("/vorlaken.ini");
        QCOMPARE(dir.writtenFile(QStringLiteral("vorlaken.ini")), expected);
        QVERIFY(QDir(QFileInfo(expected).path()).exists());
        // Delivered files are read beside the program either way.
        QCOMPARE(dir.deliveredFile(QStringLiteral("grabnest.htm")),
                 program.path() + QStringLiteral("/grabnest.htm"));
    }
};

QTEST_GUILESS_MAIN(ProgramDirTest)
#include "tst_programdir.moc"
