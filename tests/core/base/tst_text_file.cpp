#include "core/base/day_time.h"
#include "core/base/sjis.h"
#include "core/base/text_file.h"
#include "core/games/common/history_file.h"
#include "core/log/play_log.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {
QByteArray readBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeBytes(const QString &path, const QByteArray &b) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}
} // namespace

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void decodeWindowsCharacters_data();
    void decodeWindowsCharacters();
    void encodeMapsLookAlikes();
    void roundTripProgramTexts();
    void invalidBytesNameTheLine();
    void caseInsensitiveLookup();
    void appendCreatesAndAdds();
    void failedAppendLeavesNoHalfLine();
    void appendStartsALineOfItsOwn_data();
    void appendStartsALineOfItsOwn();
    void interruptedRewriteKeepsOldFile();
    void lineEndsAndMissingFinalBreak();
    void playLogRoundTrip();
    void playLogDamagedLines();
    void rewriteRefusedWhenLinesUnreadable();
    void backupKeepsOldLog();
    void durations_data();
    void durations();
    void roundedSums();
    void weekdays();
};

void TestTextFile::decodeWindowsCharacters_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("wave dash 0x8160") << QByteArray("\x81\x60") << QString(QChar(0xFF5E));
    QTest::newRow("circled one 0x8740") << QByteArray("\x87\x40") << QStringLiteral("①");
    QTest::newRow("backslash 0x815F") << QByteArray("\x81\x5F") << QStringLiteral("＼");
    QTest::newRow("minus 0x817C") << QByteArray("\x81\x7C") << QStringLiteral("－");
    QTest::newRow("half-width kana") << QByteArray("\xB1") << QStringLiteral("ｱ");
    QTest::newRow("hiragana") << QByteArray("\x82\xA0") << QStringLiteral("あ");
    QTest::newRow("ascii") << QByteArray("abc,1") << QStringLiteral("abc,1");
}

void TestTextFile::decodeWindowsCharacters() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QString out;
    QVERIFY(sjis::decode(bytes, &out));
    QCOMPARE(out, text);
    QByteArray back;
    QVERIFY(sjis::encode(out, &back));
    QCOMPARE(back, bytes);
}

void TestTextFile::encodeMapsLookAlikes() {
    QByteArray out;
    QVERIFY(sjis::encode(QString(QChar(0x301C)), &out)); // 〜 written as ～
    QCOMPARE(out, QByteArray("\x81\x60"));
    QVERIFY(sjis::encode(QString(QChar(0x2014)), &out)); // — written as ―
    QCOMPARE(out, QByteArray("\x81\x5C"));
    QChar bad;
    QVERIFY(!sjis::encode(QStringLiteral("a😀"), &out, &bad));
    QVERIFY(!sjis::encode(QStringLiteral("한"), &out, &bad));
    QCOMPARE(bad, QChar(u'한'));
}

void TestTextFile::roundTripProgramTexts() {
    const QStringList texts = {
        QStringLiteral("ミルテに興味をもっていただきありがとうございます。(^o^)／"),
        QStringLiteral("①「ゲーム」ボタンを押すと収録しているゲームアイコンが表示されるので選択します。"),
        QStringLiteral("表示順を　あいうお　のように正規の順番にしてプレイする事もできます。"),
        QStringLiteral("ヘルプツアーＯＮ"),
        QStringLiteral("秒数 : 60   答数 : 25  反応時間  0.85秒"),
        QStringLiteral("新規スタート（全削除）"),
        QStringLiteral("萩荻末未土士日曰己已問間綱網壁璧")};
    for (const QString &t : texts) {
        QByteArray bytes;
        QVERIFY2(sjis::encode(t, &bytes), qPrintable(t));
        QString back;
        QVERIFY(sjis::decode(bytes, &back));
        QCOMPARE(back, t);
    }
}

void TestTextFile::invalidBytesNameTheLine() {
    QTemporaryDir dir;
    writeBytes(dir.filePath("x.txt"), QByteArray("ok\r\n\x82\r\nfine\r\nnul\0here\r\n\xFF\xFF\r\n", 26));
    const TextLines t = readTextLines(dir.path(), "x.txt");
    QCOMPARE(t.lines.size(), 5);
    QCOMPARE(t.lines[0], QStringLiteral("ok"));
    QCOMPARE(t.lines[2], QStringLiteral("fine"));
    QCOMPARE(t.badLines, (QList<int>{2, 4, 5}));
}

void TestTextFile::caseInsensitiveLookup() {
    QTemporaryDir dir;
    writeBytes(dir.filePath("データ.TXT"), "x\r\n");
    QCOMPARE(resolveFile(dir.path(), "データ.txt"), dir.filePath("データ.TXT"));
    QCOMPARE(resolveFile(dir.path(), "メモ.TXT"), dir.filePath("メモ.TXT"));
    // A new line goes into the existing file, not a second one.
    QVERIFY(appendLine(dir.path(), "データ.txt", "y").ok());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    QCOMPARE(readBytes(dir.filePath("データ.TXT")), QByteArray("x\r\ny\r\n"));
}

void TestTextFile::appendCreatesAndAdds() {
    QTemporaryDir dir;
    QVERIFY(appendLine(dir.path(), "抜かな履歴.txt", QStringLiteral("\"あ\",1")).ok());
    QVERIFY(appendLine(dir.path(), "抜かな履歴.txt", QStringLiteral("2")).ok());
    QCOMPARE(readBytes(dir.filePath("抜かな履歴.txt")), QByteArray("\"\x82\xA0\",1\r\n2\r\n"));
    const WriteResult bad = appendLine(dir.path(), "抜かな履歴.txt", QStringLiteral("😀"));
    QVERIFY(!bad.ok());
    QVERIFY(bad.error.contains(QStringLiteral("抜かな履歴.txt")));
    QCOMPARE(readBytes(dir.filePath("抜かな履歴.txt")), QByteArray("\"\x82\xA0\",1\r\n2\r\n"));
}

void TestTextFile::failedAppendLeavesNoHalfLine() {
    QTemporaryDir dir;
    QVERIFY(appendLine(dir.path(), "a.txt", "first").ok());
    test::FullDisk fullDisk(3);
    const WriteResult r = appendLine(dir.path(), "a.txt", "second line");
    QVERIFY(!r.ok());
    QCOMPARE(readBytes(dir.filePath("a.txt")), QByteArray("first\r\n"));
}

void TestTextFile::appendStartsALineOfItsOwn_data() {
    QTest::addColumn<bool>("log"); // else a history file
    QTest::addColumn<QByteArray>("ending");
    for (bool log : {true, false}) {
        const char *file = log ? "log" : "history";
        QTest::addRow("%s, last line without CR LF", file) << log << QByteArray();
        QTest::addRow("%s, last line with CR only", file) << log << QByteArray("\r");
        QTest::addRow("%s, last line with LF only", file) << log << QByteArray("\n");
        QTest::addRow("%s, last line with CR LF", file) << log << QByteArray("\r\n");
    }
}

// A hand-edited file may end without its line end: the next saved play must not join that last line.
void TestTextFile::appendStartsALineOfItsOwn() {
    QFETCH(bool, log);
    QFETCH(QByteArray, ending);
    QTemporaryDir dir;
    HistoryRecord h;
    h.date = "2026/12/06";
    h.time = "18:30:05";
    h.answers = "25";
    h.ok = 20;
    h.ng = 5;
    h.reaction = "0.85";
    h.rate = "80.0%";
    h.perSecond = "0.42/s";
    h.seconds = "60s";
    const QString file = log ? QStringLiteral("データ.txt") : QStringLiteral("抜かな履歴.txt");
    const QString line = log ? gamePlayLine("2026/12/06", "18:30:05", "lamp", 60, "d") : historyLine(h);
    const QByteArray old = line.toLatin1() + ending; // the games' lines of this test are ASCII
    writeBytes(dir.filePath(file), old);
    QVERIFY(appendLine(dir.path(), file, line).ok());
    const QByteArray now = readBytes(dir.filePath(file));
    QVERIFY(now.startsWith(old));
    QVERIFY(now.endsWith(line.toLatin1() + "\r\n"));
    if (log) {
        const PlayLogData read = readPlayLog(dir.path());
        QVERIFY(read.complete());
        QCOMPARE(read.records.size(), 2);
    } else {
        const HistoryData read = readHistory(dir.path(), file);
        QVERIFY(read.problems.isEmpty());
        QCOMPARE(read.records.size(), 2);
    }
}

void TestTextFile::interruptedRewriteKeepsOldFile() {
    QTemporaryDir dir;
    QVERIFY(rewriteLines(dir.path(), "a.txt", {"one", "two"}).ok());
    test::FullDisk fullDisk(2);
    QVERIFY(!rewriteLines(dir.path(), "a.txt", {"three"}).ok());
    QCOMPARE(readBytes(dir.filePath("a.txt")), QByteArray("one\r\ntwo\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left behind
    QVERIFY(rewriteLines(dir.path(), "a.txt", {"three"}).ok());
    QCOMPARE(readBytes(dir.filePath("a.txt")), QByteArray("three\r\n"));
}

void TestTextFile::lineEndsAndMissingFinalBreak() {
    QTemporaryDir dir;
    writeBytes(dir.filePath("a.txt"), "a\r\nb\nc");
    QCOMPARE(readTextLines(dir.path(), "a.txt").lines, (QStringList{"a", "b", "c"}));
    writeBytes(dir.filePath("b.txt"), "");
    const TextLines empty = readTextLines(dir.path(), "b.txt");
    QVERIFY(empty.exists);
    QVERIFY(empty.lines.isEmpty());
    QVERIFY(!readTextLines(dir.path(), "missing.txt").exists);
}

void TestTextFile::playLogRoundTrip() {
    QTemporaryDir dir;
    const QString diary = QStringLiteral("秒数 : 180.28   答数 : 25  反応時間  0.85秒, とても良い");
    QVERIFY(appendPlayLine(dir.path(), gamePlayLine("2026/12/06", "18:30:06", "抜かな", 180.28, diary)).ok());
    QVERIFY(appendPlayLine(dir.path(), gamePlayLine("2026/12/06", "18:31:00", "座標", 60, "x")).ok());
    QVERIFY(readBytes(dir.filePath("データ.txt")).endsWith("\"x\",\r\n"));
    PlayLogData log = readPlayLog(dir.path());
    QVERIFY(log.complete());
    QCOMPARE(log.records.size(), 2);
    QCOMPARE(log.records[0].diary, diary);
    QCOMPARE(log.records[0].seconds, 180.28f);
    QVERIFY(rewritePlayLog(dir.path(), log.records, "20261206_183100", BackupAction::Diary).ok());
    const QByteArray after = readBytes(dir.filePath("データ.txt"));
    QVERIFY(after.contains(",180.28,"));
    QVERIFY(after.endsWith("\"x\",\"\"\r\n"));
    log = readPlayLog(dir.path());
    QCOMPARE(log.records.size(), 2);
    QCOMPARE(log.records[0].seconds, 180.28f);
    QCOMPARE(log.records[1].game, QStringLiteral("座標"));
}

void TestTextFile::playLogDamagedLines() {
    QTemporaryDir dir;
    QByteArray bytes;
    bytes += "\"2026/12/06\",\"10:00:00\",\"a\",60,\"d\",\r\n";
    bytes += "\"2026/12/06\",\"10:00:01\",\"a\",abc,\"d\",\r\n"; // seconds not a number
    bytes += "\"2026/12/06\",\"10:00:02\"\r\n";                  // too few items
    bytes += "\r\n";                                             // blank: not a record, not a problem
    bytes += "\"2026/12/06\",\"10:00:03\",\"a\",.5,\"d\"\n";     // LF only, no spare item
    writeBytes(dir.filePath("データ.txt"), bytes);
    const PlayLogData log = readPlayLog(dir.path());
    QCOMPARE(log.records.size(), 2);
    QCOMPARE(log.records[1].seconds, 0.5f);
    QCOMPARE(log.problems.size(), 2);
    QCOMPARE(log.problems[0].line, 2);
    QCOMPARE(log.problems[1].line, 3);
    const QString msg = problemsMessage("データ.txt", log.problems);
    QVERIFY(msg.contains(QStringLiteral("データ.txt")));
    QVERIFY(msg.contains(QStringLiteral("2, 3")));
}

void TestTextFile::rewriteRefusedWhenLinesUnreadable() {
    QTemporaryDir dir;
    const QByteArray bytes = "\"2026/12/06\",\"10:00:00\",\"a\",60,\"d\",\r\n\"x\",\"y\",\"z\",bad,\"d\",\r\n";
    writeBytes(dir.filePath("データ.txt"), bytes);
    const PlayLogData log = readPlayLog(dir.path());
    const WriteResult r = rewritePlayLog(dir.path(), log.records, "s", BackupAction::Diary);
    QVERIFY(!r.ok());
    QVERIFY(r.error.contains(QStringLiteral("2 行目")));
    QCOMPARE(readBytes(dir.filePath("データ.txt")), bytes);
}

void TestTextFile::backupKeepsOldLog() {
    QTemporaryDir dir;
    QVERIFY(appendPlayLine(dir.path(), gamePlayLine("2026/12/06", "18:30:06", "抜かな", 60, "a")).ok());
    const QByteArray before = readBytes(dir.filePath("データ.txt"));
    QVERIFY(rewritePlayLog(dir.path(), {}, "20261207_101010", BackupAction::Diary).ok());
    QCOMPARE(readBytes(dir.filePath("データ.txt")), QByteArray());
    QCOMPARE(readBytes(dir.filePath("バックアップ/データ_20261207_101010.txt")), before);
}

void TestTextFile::durations_data() {
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("3725") << qint64(3725) << "1:02:05";
    QTest::newRow("59") << qint64(59) << "0:00:59";
    QTest::newRow("0") << qint64(0) << "0:00:00";
    QTest::newRow("5025") << qint64(5025) << "1:23:45";
    QTest::newRow("over 16 bits") << qint64(40000) << "11:06:40";
    QTest::newRow("100 hours") << qint64(360000) << "100:00:00";
}

void TestTextFile::durations() {
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(durationText(seconds), text);
}

void TestTextFile::roundedSums() {
    QCOMPARE(addRoundedSeconds(0, 2.5), qint64(2));
    QCOMPARE(addRoundedSeconds(0, 3.5), qint64(4));
    QCOMPARE(addRoundedSeconds(addRoundedSeconds(0, 10.5), 11.5), qint64(22));
    QCOMPARE(addRoundedSeconds(addRoundedSeconds(0, 2.5), 3.5), qint64(6));
    QCOMPARE(addRoundedSeconds(0, double(12.34f)), qint64(12));
    qint64 total = 0;
    for (int i = 0; i < 1000; ++i)
        total = addRoundedSeconds(total, 60);
    QCOMPARE(total, qint64(60000)); // past the 16-bit limit
}

void TestTextFile::weekdays() {
    QCOMPARE(weekdayChar(QDate(2026, 12, 6)), QChar(u'日'));
    QCOMPARE(weekdayChar(QDate(2026, 12, 7)), QChar(u'月'));
    QCOMPARE(weekdayChar(QDate(2026, 12, 12)), QChar(u'土'));
    QCOMPARE(dateText(QDate(2026, 3, 1)), QStringLiteral("2026/03/01"));
    for (QDate d(1999, 12, 25); d < QDate(2031, 1, 3); d = d.addDays(1))
        QCOMPARE(dateText(d), d.toString(u"yyyy/MM/dd"));
    QCOMPARE(dateText(QDate(987, 6, 5)), QStringLiteral("0987/06/05"));
    QCOMPARE(timeText(QTime(9, 5, 7)), QStringLiteral("09:05:07"));
    QCOMPARE(parseDateText("2024/2/29"), QDate(2024, 2, 29));
    QVERIFY(!parseDateText("2023/02/29").isValid());
    QVERIFY(!parseDateText("abc").isValid());
}

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
