#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

// Ending the program must not depend on the transactions further down the stack: the process
// is gone at once, not after their time-outs and not in a loop of dead event loops.
class TestEndProcess : public QObject {
    Q_OBJECT
private slots:
    void endsAtOnceWhileAReplyIsAwaited() {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(ENDPROCESS_HELPER), {});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(!p.readAllStandardOutput().contains("too late"));
        QVERIFY(t.elapsed() < 30000); // the reply time-out is 60 s
    }
};

QTEST_GUILESS_MAIN(TestEndProcess)
#include "tst_endprocess.moc"
