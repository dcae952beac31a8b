// A program killed in the middle of rewriting the log leaves the old log or the new one, whole: never a
// truncated or mixed file; one killed in a restore leaves no mix of restored and current files.
#include "crash_log.h"

#include "core/base/text_file.h"
#include "core/log/backups.h"
#include "core/log/play_log.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "support/test_files.h"

using namespace mirute;

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void killedRewriteLeavesWholeLog();
    void killedRestoreLeavesNoMix();
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

void TestCrashSafety::killedRestoreLeavesNoMix() {
    // A new start's copies of the log and of a history (any bytes will do), with nineteen later copies of the
    // log, so that one more would thin it out; the files hold other versions.
    const QString history = QStringLiteral("抜かな履歴.txt");
    QString error;
    const QByteArray v1 = encodeLines(test::crashLogVersion(1), &error),
                     v2 = encodeLines(test::crashLogVersion(2), &error);
    // The first restore runs whole and is timed; the others are killed at moments spread over that time.
    QRandomGenerator moments(20261209);
    qint64 restoreMs = 0;
    QList<int> restored;
    for (int round = 0; round < 9; ++round) {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("バックアップ"));
        QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, v2).ok() && rewriteBytes(dir.path(), history, v2).ok());
        BackupSet chosen(dir.path(), BackupAction::NewStart, QStringLiteral("20261101_090000"));
        QVERIFY(chosen.add(kPlayLogFile).ok() && chosen.add(history).ok() && chosen.close().ok());
        for (int i = 0; i < kKeepNewest - 1; ++i) {
            QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, QByteArray::number(i)).ok());
            const QString stamp = QStringLiteral("20261205_08%1").arg(i, 2, 10, QChar(u'0')) + QStringLiteral("00");
            QVERIFY(backupFile(dir.path(), kPlayLogFile, BackupAction::Diary, stamp).ok());
        }
        QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, v1).ok() && rewriteBytes(dir.path(), history, v1).ok());

        QProcess child;
        child.start(QStringLiteral(MIRUTE_REWRITE_CHILD), {dir.path(), "restore", chosen.id()});
        QVERIFY(child.waitForReadyRead(30000));
        QElapsedTimer timer;
        timer.start();
        if (round == 0) {
            while (!child.readAllStandardOutput().contains("done"))
                QVERIFY(child.waitForReadyRead(60000));
            restoreMs = std::max<qint64>(timer.elapsed(), 2);
        } else {
            // Every other kill waits for the journal, which stands while the files are written.
            const qint64 at = moments.bounded(0, int(restoreMs));
            while (round % 2 == 0 && timer.elapsed() < at)
                QThread::usleep(200);
            while (round % 2 == 1 && !QFileInfo::exists(folder + QStringLiteral("/復元中.txt")) &&
                   child.state() == QProcess::Running && timer.elapsed() < 10000)
                QThread::usleep(100);
            child.kill();
        }
        QVERIFY(child.waitForFinished(10000));
        const QString next = finishInterruptedRestore(dir.path());
        const QByteArray log = test::readBytes(dir.path(), kPlayLogFile);
        QCOMPARE(test::readBytes(dir.path(), history), log); // both restored, or neither
        QVERIFY(log == v1 || log == v2);
        // The copies read stay whole, and what the files held is kept once they hold the restored version.
        for (const QString &base : {QStringLiteral("データ"), QStringLiteral("抜かな履歴")}) {
            QCOMPARE(test::readBytes(folder, base + QStringLiteral("_20261101_090000.txt")), v2);
            QVERIFY(log == v1 || test::readBytes(folder, base + QStringLiteral("_20261206_143000.txt")) == v1);
        }
        restored << (log == v2) + 2 * !next.isEmpty();
    }
    // 0: killed before the restore began, 1: it ended, 3: it was completed at the next start.
    qInfo() << "restore" << restoreMs << "ms, outcomes" << restored;
    QVERIFY(restored.contains(3));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"
