// Nothing already stored is lost by a write: a rewrite never drops lines it could not read, a failed
// write leaves the old file whole, a file that cannot be opened is named to the user, big files are read
// whole, and a second program on the same folder is refused.
#include "core/base/day_time.h"
#include "core/base/sjis.h"
#include "core/base/text_file.h"
#include "core/games/common/game_engine.h"
#include "core/games/common/game_settings.h"
#include "core/games/common/history_file.h"
#include "core/games/kana/kana_game.h"
#include "core/games/kana/kana_rules.h"
#include "core/log/instance_lock.h"
#include "core/log/play_log.h"
#include "support/fake_clock.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

QByteArray sj(const QString &text) {
    QByteArray out;
    sjis::encode(text, &out);
    return out;
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList backups(const QString &dir) {
    return QDir(QDir(dir).filePath(kBackupFolder)).entryList(QDir::Files);
}

const QByteArray kGoodLog = sj(QStringLiteral("\"2026/12/06\",\"18:30:05\",\"抜かな\",60,\"秒数 : 60\",\r\n"
                                              "\"2026/12/07\",\"09:00:00\",\"座標\",23.4,\"日記\",\"\"\r\n"));

PlayRecord record(const QString &date, float seconds) {
    PlayRecord r;
    r.date = date;
    r.time = QStringLiteral("10:00:00");
    r.game = QStringLiteral("抜数字");
    r.seconds = seconds;
    r.diary = QStringLiteral("新しい");
    return r;
}

HistoryRecord historyRecord(int ok) {
    HistoryRecord r;
    r.date = QStringLiteral("2026/12/06");
    r.time = QStringLiteral("18:30:05");
    r.answers = QString::number(ok + 1);
    r.ok = ok;
    r.ng = 1;
    r.reaction = QStringLiteral("0.85");
    r.rate = QStringLiteral("80.0%");
    r.perSecond = QStringLiteral("0.42/秒");
    r.seconds = QStringLiteral("60秒");
    return r;
}

// The writes of the program that could meet a full disk or an unwritable folder.
enum Write { LogAppend, LogRewrite, HistoryAppend, HistoryClear, SettingsRewrite };

QString fileOf(Write w) {
    switch (w) {
    case LogAppend:
    case LogRewrite: return kPlayLogFile;
    case HistoryAppend:
    case HistoryClear: return KanaGame::definition().historyFile();
    case SettingsRewrite: return KanaGame::definition().settingsFile();
    }
    return {};
}

QByteArray oldContent(Write w) {
    switch (w) {
    case LogAppend:
    case LogRewrite: return kGoodLog;
    case HistoryAppend:
    case HistoryClear: return sj(historyLine(historyRecord(20)) + QStringLiteral("\r\n"));
    case SettingsRewrite: return sj(QStringLiteral("20,120,\"答数\",0,1\r\n"));
    }
    return {};
}

WriteResult perform(Write w, const QString &dir) {
    switch (w) {
    case LogAppend:
        return appendPlayLine(dir, gamePlayLine("2026/12/08", "11:00:00", QStringLiteral("ランプ"), 30, "x"));
    case LogRewrite: return rewritePlayLog(dir, {record("2026/12/08", 45)}, "20261208_110000", BackupAction::Diary);
    case HistoryAppend: return appendLine(dir, fileOf(w), historyLine(historyRecord(7)));
    case HistoryClear: return rewriteBytes(dir, fileOf(w), QByteArray());
    case SettingsRewrite: {
        GameSettings s = defaultSettings(KanaGame::definition());
        s.countLimit = 5;
        return writeGameSettings(dir, KanaGame::definition(), s);
    }
    }
    return {};
}

} // namespace

class TestRewriteSafety : public QObject {
    Q_OBJECT
private slots:
    void logRewriteRefusedWhenIncomplete_data();
    void logRewriteRefusedWhenIncomplete();
    void logRewriteBacksUpOldLog();
    void damagedSettingsBackedUpBeforeRepair_data();
    void damagedSettingsBackedUpBeforeRepair();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void unopenableFileIsNamed_data();
    void unopenableFileIsNamed();
    void hundredThousandRecords();
    void fortyThousandPlays();
    void secondInstanceRefused();
    void staleLockOfDeadProgramIgnored();
};

void TestRewriteSafety::logRewriteRefusedWhenIncomplete_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("lineNumbers");
    QTest::newRow("bytes not Shift_JIS") << kGoodLog + "\"2026/12/08\",\"\x82\xFF\",\"a\",1,\"d\",\r\n"
                                         << "3";
    QTest::newRow("too few items") << sj(QStringLiteral("\"2026/12/05\",\"1\"\r\n")) + kGoodLog << "1";
    QTest::newRow("seconds as text") << kGoodLog + "\"2026/12/08\",\"10:00:00\",\"a\",abc,\"d\",\r\n"
                                     << "3";
    QTest::newRow("NUL byte") << kGoodLog + QByteArray("\0\r\n", 3) + kGoodLog << "3";
    QTest::newRow("saved as UTF-8")
        << QStringLiteral("\"2026/12/06\",\"18:30:05\",\"抜かな\",60,\"秒数\",\r\n").toUtf8() << "1";
}

void TestRewriteSafety::logRewriteRefusedWhenIncomplete() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, lineNumbers);
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.filePath(kPlayLogFile), bytes));
    const PlayLogData before = readPlayLog(dir.path());
    QVERIFY(!before.complete());
    // The records that could be read, rewritten: the unreadable line would be gone.
    const WriteResult r = rewritePlayLog(dir.path(), before.records, "20261208_110000", BackupAction::Diary);
    QVERIFY(!r.ok());
    QVERIFY2(r.error.contains(kPlayLogFile) && r.error.contains(lineNumbers + QStringLiteral(" 行目")),
             qPrintable(r.error));
    QCOMPARE(readAll(dir.filePath(kPlayLogFile)), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList{kPlayLogFile});
}

void TestRewriteSafety::logRewriteBacksUpOldLog() {
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.filePath(kPlayLogFile), kGoodLog));
    QVERIFY(rewritePlayLog(dir.path(), {record("2026/12/08", 45)}, "20261208_110000", BackupAction::Diary).ok());
    QCOMPARE(readAll(dir.filePath(kPlayLogFile)),
             sj(QStringLiteral("\"2026/12/08\",\"10:00:00\",\"抜数字\",45,\"新しい\",\"\"\r\n")));
    QCOMPARE(backups(dir.path()), QStringList{QStringLiteral("データ_20261208_110000.txt")});
    QCOMPARE(readAll(dir.filePath(kBackupFolder + QStringLiteral("/データ_20261208_110000.txt"))), kGoodLog);
    // A second rewrite within the same second keeps both backups.
    QVERIFY(rewritePlayLog(dir.path(), {}, QStringLiteral("20261208_110000"), BackupAction::Diary).ok());
    QCOMPARE(backups(dir.path()).size(), 2);
    QCOMPARE(readAll(dir.filePath(kPlayLogFile)), QByteArray());
}

void TestRewriteSafety::damagedSettingsBackedUpBeforeRepair_data() {
    QTest::addColumn<QByteArray>("bytes");   // empty: no file
    QTest::addColumn<QByteArray>("written"); // the settings file after the window opened
    QTest::addColumn<bool>("backedUp");
    QTest::newRow("good") << sj("20,120,\"答数\",0,1\r\n") << sj("20,120,\"答数\",0,1\r\n") << false;
    QTest::newRow("missing") << QByteArray() << sj("10,60,\"秒数\",1,0\r\n") << false;
    QTest::newRow("too many items") << sj("20,120,\"答数\",0,1,9\r\n") << sj("20,120,\"答数\",0,1\r\n") << true;
    QTest::newRow("second line") << sj("20,120,\"答数\",0,1\r\n30,60,\"秒数\",1,0\r\n") << sj("20,120,\"答数\",0,1\r\n")
                                 << true;
    QTest::newRow("count as text") << sj("abc,120,\"答数\",0,1\r\n") << sj("10,120,\"答数\",0,1\r\n") << true;
    QTest::newRow("not Shift_JIS") << QByteArray("20,120,\"\x82\xFF\",0,1\r\n") << sj("10,60,\"秒数\",1,0\r\n") << true;
    QTest::newRow("UTF-8") << QStringLiteral("20,120,\"答数\",0,1\r\n").toUtf8() << sj("10,60,\"秒数\",1,0\r\n")
                           << true;
}

void TestRewriteSafety::damagedSettingsBackedUpBeforeRepair() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);
    QFETCH(bool, backedUp);
    QTemporaryDir dir;
    const GameDefinition def = KanaGame::definition();
    QVERIFY(writeAll(dir.filePath(kKanaDictionary), sj(QStringLiteral("\"あいうえお\"\r\n"))));
    if (!bytes.isEmpty())
        QVERIFY(writeAll(dir.filePath(def.settingsFile()), bytes));
    test::FakeClock clock;
    ScriptedRandom random;
    GameEngine engine(def, KanaGame::makeRules(), dir.path(), clock, random);
    QCOMPARE(engine.open(), QString());
    QCOMPARE(readAll(dir.filePath(def.settingsFile())), written);
    QCOMPARE(engine.openNotice().contains(def.settingsFile()), backedUp);
    const QStringList saved = backups(dir.path());
    QCOMPARE(saved.size(), backedUp ? 1 : 0);
    if (backedUp) {
        QVERIFY(saved.first().startsWith(QStringLiteral("抜かな設定_")));
        QCOMPARE(readAll(dir.filePath(kBackupFolder + u'/' + saved.first())), bytes);
    }
}

void TestRewriteSafety::failedWriteKeepsOldFile_data() {
    QTest::addColumn<int>("write");
    QTest::addColumn<qint64>("failAfter");
    const QList<QPair<const char *, Write>> writes = {{"log append", LogAppend},
                                                      {"log rewrite", LogRewrite},
                                                      {"history append", HistoryAppend},
                                                      {"history clear", HistoryClear},
                                                      {"settings rewrite", SettingsRewrite}};
    for (const auto &[name, w] : writes)
        for (qint64 after : {qint64(0), qint64(1), qint64(10)})
            QTest::addRow("%s, disk full after %lld bytes", name, static_cast<long long>(after)) << int(w) << after;
}

void TestRewriteSafety::failedWriteKeepsOldFile() {
    QFETCH(int, write);
    QFETCH(qint64, failAfter);
    const Write w = Write(write);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileOf(w));
    const QByteArray old = oldContent(w);
    QVERIFY(writeAll(path, old));

    test::FullDisk fullDisk(failAfter);
    const WriteResult r = perform(w, dir.path());
    QVERIFY(!r.ok());
    QVERIFY2(r.error.contains(fileOf(w)), qPrintable(r.error));
    // Byte for byte the old file, and no half-written temporary beside it.
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{fileOf(w)});

    // The same write goes through once the disk has room again, and adds to or replaces the old content.
    const WriteResult again = perform(w, dir.path());
    QVERIFY2(again.ok(), qPrintable(again.error));
    const QByteArray now = readAll(path);
    if (w == LogAppend || w == HistoryAppend)
        QVERIFY(now.startsWith(old) && now.size() > old.size() && now.endsWith("\r\n"));
    else
        QVERIFY(now != old);
}

void TestRewriteSafety::unopenableFileIsNamed_data() {
    QTest::addColumn<int>("write");
    QTest::addColumn<bool>("folderIsFile"); // else a folder stands where the file should be
    for (bool folderIsFile : {true, false}) {
        const char *how = folderIsFile ? "folder is a file" : "folder in place of the file";
        QTest::addRow("log append, %s", how) << int(LogAppend) << folderIsFile;
        QTest::addRow("log rewrite, %s", how) << int(LogRewrite) << folderIsFile;
        QTest::addRow("history append, %s", how) << int(HistoryAppend) << folderIsFile;
        QTest::addRow("settings rewrite, %s", how) << int(SettingsRewrite) << folderIsFile;
    }
}

void TestRewriteSafety::unopenableFileIsNamed() {
    QFETCH(int, write);
    QFETCH(bool, folderIsFile);
    const Write w = Write(write);
    // The tests run as root in CI, where permission bits stop nothing: these two stop every user.
    QTemporaryDir root;
    QString dir = root.path();
    if (folderIsFile) {
        dir = root.filePath(QStringLiteral("data"));
        QVERIFY(writeAll(dir, "not a folder"));
    } else {
        QVERIFY(QDir(dir).mkdir(fileOf(w)));
        QVERIFY(writeAll(root.filePath(fileOf(w) + QStringLiteral("/keep.txt")), "kept"));
    }
    const WriteResult r = perform(w, dir);
    QVERIFY(!r.ok());
    QVERIFY2(r.error.contains(fileOf(w)), qPrintable(r.error));
    if (folderIsFile) {
        QCOMPARE(readAll(dir), QByteArray("not a folder"));
    } else {
        QVERIFY(QFileInfo(root.filePath(fileOf(w))).isDir());
        QCOMPARE(readAll(root.filePath(fileOf(w) + QStringLiteral("/keep.txt"))), QByteArray("kept"));
    }
}

void TestRewriteSafety::hundredThousandRecords() {
    // Beyond every 16-bit counter: 50,000 pairs of a 60-second and a 23.4-second play. Each addition is
    // rounded, so a pair adds 83 seconds.
    QTemporaryDir dir;
    const QByteArray pair = sj(QStringLiteral("\"2026/12/06\",\"18:30:05\",\"抜かな\",60,\"a\",\r\n"
                                              "\"2026/12/07\",\"09:00:00\",\"座標\",23.4,\"b\",\"\"\r\n"));
    QByteArray bytes;
    for (int i = 0; i < 50000; ++i)
        bytes += pair;
    bytes += sj(QStringLiteral("\"2030/01/01\",\"00:00:00\",\"ランプ\",7,\"last\",\r\n"));
    QVERIFY(writeAll(dir.filePath(kPlayLogFile), bytes));
    const PlayLogData log = readPlayLog(dir.path());
    QVERIFY(log.complete());
    QCOMPARE(log.records.size(), 100001);
    qint64 total = 0;
    for (const PlayRecord &r : log.records)
        total = addRoundedSeconds(total, r.seconds);
    QCOMPARE(total, Q_INT64_C(50000) * 83 + 7);
    QCOMPARE(log.records.last().diary, QStringLiteral("last"));
    QCOMPARE(log.records[65536].game, QStringLiteral("抜かな"));
    QCOMPARE(log.records[65537].seconds, 23.4f);
}

void TestRewriteSafety::fortyThousandPlays() {
    QTemporaryDir dir;
    const QString file = KanaGame::definition().historyFile();
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes += sj(historyLine(historyRecord(i % 30)) + QStringLiteral("\r\n"));
    QVERIFY(writeAll(dir.filePath(file), bytes));
    const HistoryData h = readHistory(dir.path(), file);
    QVERIFY(h.problems.isEmpty());
    QCOMPARE(h.records.size(), 40000);
    qint64 ok = 0;
    for (const HistoryRecord &r : h.records)
        ok += r.ok;
    // 40,000 plays with OK counts cycling 0..29: 1,333 full cycles of 435 and then 0..9.
    QCOMPARE(ok, Q_INT64_C(1333) * 435 + 45);
    QCOMPARE(h.records.last().ok, 39999 % 30);
    QCOMPARE(h.records.last().cells().at(2), QString::number(39999 % 30 + 1));
}

void TestRewriteSafety::secondInstanceRefused() {
    QTemporaryDir dir;
    InstanceLock first(dir.path());
    QCOMPARE(first.tryLock(0), InstanceLock::Locked);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral(".mirute.lock"))));
    InstanceLock second(dir.path());
    QCOMPARE(second.tryLock(50), InstanceLock::HeldByOther);
    // Another folder is another program's business.
    QTemporaryDir other;
    InstanceLock elsewhere(other.path());
    QCOMPARE(elsewhere.tryLock(0), InstanceLock::Locked);
    // Once the first program ends, the next one starts.
    first.unlock();
    QCOMPARE(second.tryLock(0), InstanceLock::Locked);
}

void TestRewriteSafety::staleLockOfDeadProgramIgnored() {
    QTemporaryDir dir;
    // A program that has ended: its process id no longer belongs to anyone.
    QProcess ended;
    ended.start(QStringLiteral("/bin/true"));
    QVERIFY(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    // The lock file such a program leaves behind when it is killed: its id, name and host.
    const QString path = dir.filePath(QStringLiteral(".mirute.lock"));
    QVERIFY(writeAll(path, QByteArray::number(deadPid) + "\nmirute\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
    InstanceLock lock(dir.path());
    QCOMPARE(lock.tryLock(0), InstanceLock::Locked);
    QVERIFY(lock.isLocked());
    QVERIFY(readAll(path).startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));

    // A lock of a living program is respected even when it is old.
    lock.unlock();
    QVERIFY(writeAll(path, QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                               QCoreApplication::applicationName().toUtf8() + '\n' +
                               QSysInfo::machineHostName().toUtf8() + '\n'));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime));
    old.close();
    InstanceLock blocked(dir.path());
    QCOMPARE(blocked.tryLock(0), InstanceLock::HeldByOther);
}

QTEST_GUILESS_MAIN(TestRewriteSafety)
#include "tst_rewrite_safety.moc"
