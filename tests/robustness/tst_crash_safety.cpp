// A program killed in the middle of rewriting the log leaves the old log or the new one, whole: never a
// truncated or mixed file.
#include "crash_log.h"

#include "core/base/text_file.h"
#include "core/log/play_log.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace mirute;

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void killedRewriteLeavesWholeLog();
};

void TestCrashSafety::killedRewriteLeavesWholeLog() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QList<QByteArray> versions;
    for (int v = 0; v <= 2; ++v) {
        QString error;
        versions << encodeLines(test::crashLogVersion(v), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    QVERIFY(rewriteLines(dir.path(), kPlayLogFile, test::crashLogVersion(0)).ok());

    // The moments of the kills come from a fixed seed, so every run tries the same spread of moments.
    QRandomGenerator moments(20261206);
    int finishedRewrites = 0;
    QList<int> seen;
    constexpr int kKills = 8;
    for (int round = 0; round < kKills; ++round) {
        QProcess child;
        child.setProgram(QStringLiteral(MIRUTE_REWRITE_CHILD));
        child.setArguments({dir.path()});
        child.start();
        QVERIFY2(child.waitForStarted(10000), qPrintable(child.errorString()));
        QVERIFY(child.waitForReadyRead(30000));
        QVERIFY(child.readLine().startsWith("ready"));
        // Let it finish zero to two rewrites (at least one in the first round), then kill it some
        // milliseconds into the next one.
        const int wholeRewrites = round == 0 ? 1 : int(moments.bounded(0, 3));
        QByteArray said;
        while (said.count("done") < wholeRewrites) {
            QVERIFY(child.waitForReadyRead(60000));
            said += child.readAllStandardOutput();
        }
        QThread::msleep(moments.bounded(0, 150));
        child.kill(); // SIGKILL: no clean-up of any kind runs
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        said += child.readAllStandardOutput();
        finishedRewrites += int(said.count("done"));

        const QByteArray now = [&] {
            QFile f(dir.filePath(kPlayLogFile));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const int version = int(versions.indexOf(now));
        QVERIFY2(
            version >= 0,
            qPrintable(QStringLiteral("round %1: the log is no whole version (%2 bytes)").arg(round).arg(now.size())));
        seen << version;
        const PlayLogData log = readPlayLog(dir.path());
        QVERIFY(log.complete());
        QCOMPARE(log.records.size(), test::kCrashLogRecords);
    }
    // Where the file system has no unnamed temporary files, a rewrite cut short leaves its temporary file
    // beside the log; it never takes the log's name.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files);
    QVERIFY(left.contains(kPlayLogFile));
    qInfo() << "versions after each kill" << seen << "rewrites finished" << finishedRewrites
            << "files left beside the log" << left.size() - 1;
    // After the first round a new version stood whole: the kills fell among real rewrites.
    QVERIFY(finishedRewrites >= 1);
    QVERIFY(seen.first() == 1 || seen.first() == 2);
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"
