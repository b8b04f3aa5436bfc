#include "files/datalocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelmar;

class TestDataLocation : public QObject {
    Q_OBJECT
private slots:
    void programDirOrUserDir_data();
    void programDirOrUserDir();
    void userDirIsTheProductsNotTheExecutables();
};

// Each row names the program directory or a kind of place, made in a fresh temporary directory.
void TestDataLocation::programDirOrUserDir_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("userDir");
    QTest::addColumn<bool>("portable");
    QTest::addColumn<bool>("beside");
    const QString user = QStringLiteral("/home/u/.local/share/zelmar");
    QTest::newRow("writable copy") << "writable" << user << true << true;
    QTest::newRow("writable, no user dir") << "writable"
                                           << "" << true << true;
    // Read-only by its permission bits: also for root, who could write there all the same.
    QTest::newRow("read-only copy") << "read-only" << user << false << false;
    QTest::newRow("read-only, no user dir") << "read-only"
                                            << "" << false << true;
    QTest::newRow("missing") << "missing" << user << false << false;
    // System directories, even where root may write.
    QTest::newRow("installed") << "/usr/bin" << user << false << false;
    QTest::newRow("installed locally") << "/usr/local/bin" << user << false << false;
    QTest::newRow("installed, path not clean") << "/usr/./bin/" << user << false << false;
}

void TestDataLocation::programDirOrUserDir() {
    QFETCH(QString, place);
    QFETCH(QString, userDir);
    QFETCH(bool, portable);
    QFETCH(bool, beside);

    QTemporaryDir tmp;
    QString programDir = place;
    if (!place.startsWith(QLatin1Char('/'))) {
        programDir = tmp.filePath(QStringLiteral("bin"));
        if (place != QLatin1String("missing"))
            QVERIFY(QDir().mkdir(programDir));
    }
    const auto rx = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser;
    if (place == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(programDir, rx));

    QCOMPARE(datalocation::isPortable(programDir), portable);
    QCOMPARE(datalocation::programmPfad(programDir, userDir), beside ? programDir : userDir);

    if (place == QLatin1String("read-only")) // so that the directory can go
        QFile::setPermissions(programDir, rx | QFile::WriteOwner);
}

void TestDataLocation::userDirIsTheProductsNotTheExecutables() {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QCoreApplication::setApplicationName(QStringLiteral("zelmar-cli"));
    QCOMPARE(datalocation::userDataDir(), home.filePath(QStringLiteral("zelmar")));
    QCoreApplication::setApplicationName(QStringLiteral("zelmar"));
    QCOMPARE(datalocation::userDataDir(), home.filePath(QStringLiteral("zelmar")));

    // Installed: the files go to the user's data directory, which the start procedure creates.
    QCOMPARE(datalocation::programmPfad(QStringLiteral("/usr/bin")),
             home.filePath(QStringLiteral("zelmar")));
    qunsetenv("XDG_DATA_HOME");
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
