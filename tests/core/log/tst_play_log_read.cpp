// readPlayLog reads a sound file straight from its bytes and every other file line by line; both ways must
// give the same records and the same problems for any file.
#include "core/base/sjis.h"
#include "core/base/text_file.h"
#include "core/log/play_log.h"
#include "core/log/play_log_fast.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;
using mirute::test::sjisBytes;

namespace {

void writeLog(const QString &dir, const QByteArray &bytes) {
    QFile f(QDir(dir).filePath(QStringLiteral("データ.txt")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString describe(const PlayRecord &r) {
    return QStringLiteral("%1|%2|%3|%4|%5").arg(r.date, r.time, r.game).arg(double(r.seconds)).arg(r.diary);
}

// kLargePlays sound records of many days, games and diaries: a log large enough to be read in two parts.
constexpr int kLargePlays = 12000;
QByteArray largeLog() {
    QByteArray large;
    for (int i = 0; i < kLargePlays; ++i)
        large += sjisBytes(QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"日記 %5、その%6\",%7\r\n")
                               .arg(QDate(2021, 1, 1).addDays(i / 7).toString(QStringLiteral("yyyy/MM/dd")))
                               .arg(QTime(8, 0).addSecs(i * 37 % 50000).toString(QStringLiteral("HH:mm:ss")))
                               .arg(i % 11 == 0 ? QStringLiteral("座標の") : QStringLiteral("抜かな"))
                               .arg(i % 5 == 0 ? QStringLiteral("42.8") : QString::number(i % 300))
                               .arg(i)
                               .arg(QString(QChar(u'あ' + i % 40)))
                               .arg(i % 2 ? QStringLiteral("\"\"") : QString()));
    return large;
}

} // namespace

class TestPlayLogRead : public QObject {
    Q_OBJECT
private slots:
    void sameAsLineByLine_data();
    void sameAsLineByLine();
    void damagedFieldsNamed_data();
    void damagedFieldsNamed();
    void soundLogsReadByBytes_data();
    void soundLogsReadByBytes();

private:
    static void readBothWays(const QByteArray &bytes, PlayLogData *out);
};

void TestPlayLogRead::sameAsLineByLine_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("problems");
    const QByteArray good =
        sjisBytes(QStringLiteral("\"2024/03/01\",\"09:30:05\",\"抜かな\",60,\"秒数 : 60   答数 : 25  "
                                 "反応時間  0.85秒\",\r\n"));
    const QByteArray rewritten =
        sjisBytes(QStringLiteral("\"2024/03/01\",\"09:31:05\",\"座標\",23.4,\"今日は、よく出来た, 明日も\",\"\"\r\n"));
    QTest::newRow("empty file") << QByteArray() << 0 << 0;
    QTest::newRow("empty date on the first line")
        << QByteArray("\"\",\"09:30:05\",\"x\",1,\"d\",\r\n") + good << 1 << 1;
    QTest::newRow("game and rewrite lines") << good + rewritten << 2 << 0;
    QTest::newRow("no line end at the end") << good + rewritten.chopped(2) << 2 << 0;
    QTest::newRow("LF only") << good.chopped(2) + "\n" + rewritten << 2 << 0;
    QTest::newRow("blank lines") << good + "\r\n   \r\n\t\r\n" + rewritten << 2 << 0;
    QTest::newRow("ideographic blank line") << good + sjisBytes(QStringLiteral("　\r\n")) + rewritten << 2 << 0;
    QTest::newRow("five items") << good + "\"2024/03/02\",\"10:00:00\",\"x\",30,\"x\"\r\n" << 2 << 0;
    QTest::newRow("seven items") << good + "\"2024/03/02\",\"10:00:00\",\"x\",30,\"x\",,\r\n" << 1 << 1;
    QTest::newRow("four items") << good + "\"2024/03/02\",\"10:00:00\",\"x\",30\r\n" << 1 << 1;
    QTest::newRow("quoted seconds") << good + "\"2024/03/02\",\"10:00:00\",\"x\",\"30\",\"d\",\r\n" << 1 << 1;
    QTest::newRow("seconds not a number") << good + "\"2024/03/02\",\"10:00:00\",\"x\",3O,\"d\",\r\n" << 1 << 1;
    QTest::newRow("seconds too large") << good + "\"2024/03/02\",\"10:00:00\",\"x\",1e30,\"d\",\r\n" << 1 << 1;
    QTest::newRow("seconds with blanks and no zero")
        << QByteArray("\"2024/03/02\",\"10:00:00\",\"x\",  .85 ,\"d\",\r\n") << 1 << 0;
    QTest::newRow("unterminated quote") << good + "\"2024/03/02\",\"10:00:00\",\"x\",30,\"d,\r\n" << 1 << 1;
    QTest::newRow("text after a closing quote")
        << QByteArray("\"2024/03/02\"zz,\"10:00:00\",\"x\",30,\"d\",\r\n") << 0 << 1;
    QTest::newRow("Japanese after a closing quote")
        << good + sjisBytes(QStringLiteral("\"2024/03/02\"字,\"10:00:00\",\"x\",30,\"d\",\r\n")) << 1 << 1;
    QTest::newRow("blanks after a closing quote")
        << good + QByteArray("\"2024/03/02\" ,\"10:00:00\"\t,\"x\",30,\"d\" ,\"\"  \r\n") << 2 << 0;
    QTest::newRow("unquoted Japanese text")
        << good + sjisBytes(QStringLiteral("2024/03/02,10:00:00,抜かな,30,日記,\r\n")) << 2 << 0;
    QTest::newRow("Japanese spare item") << good + sjisBytes(QStringLiteral(
                                                       "\"2024/03/02\",\"10:00:00\",\"c\",1,\"d\",\"予備\"\r\n"))
                                         << 2 << 0;
    QTest::newRow("unknown game name") << good + sjisBytes(QStringLiteral(
                                                     "\"2024/03/02\",\"10:00:00\",\"将棋\",1,\"d\",\r\n"))
                                       << 2 << 0;
    QTest::newRow("damaged Shift_JIS") << good + QByteArray("\"a\",\"b\",\"\x81\",1,\"d\",\r\n") + rewritten << 2 << 1;
    QTest::newRow("lead byte before a quote") << good + QByteArray("\"a\",\"b\",\"c\x82\",1,\"d\",\r\n") << 1 << 1;
    QTest::newRow("NUL byte") << good + QByteArray("\"a\",\"b\",\"c\",1,\"d") + QByteArray(1, '\0') + "\",\r\n" +
                                     rewritten
                              << 2 << 1;
    QTest::newRow("saved as UTF-8") << QStringLiteral("\"2024/03/01\",\"09:30:05\",\"抜かな\",60,\"d\",\r\n").toUtf8()
                                    << 0 << 1;
    QTest::newRow("same date, other game bytes") << good + good + rewritten + good << 4 << 0;

    // Lines in the program's own shape but for one detail, which the byte reader must notice.
    const QByteArray mine =
        sjisBytes(QStringLiteral("\"2024/03/01\",\"09:30:05\",\"座標\",23.4,\"日記、その二\",\"\"\r\n"));
    QTest::newRow("own shape, spare empty without quotes")
        << sjisBytes(QStringLiteral("\"2024/03/01\",\"09:30:05\",\"座標\",23.4,\"日記\",\r\n")) << 1 << 0;
    QTest::newRow("own shape, spare with text") << mine + "\"2024/03/01\",\"09:30:05\",\"x\",1,\"d\",\"x\"\r\n"
                                                << 2 << 0;
    QTest::newRow("own shape, diary closing on the next line")
        << mine + "\"2024/03/01\",\"09:30:05\",\"x\",1,\"d\r\nd\",\"\"\r\n" + mine << 2 << 2;
    QTest::newRow("own shape, game closing on the next line")
        << mine + "\"2024/03/01\",\"09:30:05\",\"x\n\",1,\"d\",\"\"\r\n" + mine << 2 << 2;
    QTest::newRow("own shape, CR alone at the end")
        << mine + "\"2024/03/01\",\"09:30:05\",\"x\",1,\"d\",\"\"\r" << 2 << 0;
    QTest::newRow("own shape, CR inside a line") << mine + "\"2024/03/01\",\"09:30:05\",\"x\",1,\"d\",\"\"\rz\r\n"
                                                 << 1 << 1;
    QTest::newRow("own shape, tab in the date") << mine + "\"2024/03\t01\",\"09:30:05\",\"x\",1,\"d\",\"\"\r\n"
                                                << 1 << 1;
    QTest::newRow("own shape, Japanese in the time")
        << mine + sjisBytes(QStringLiteral("\"2024/03/01\",\"九時三十分\",\"x\",1,\"d\",\"\"\r\n")) << 1 << 1;
    QTest::newRow("times not in the stored form") << QByteArray("\"2024/03/01\",\"9:05:00\",\"x\",1,\"d\",\r\n"
                                                                "\"2024/03/01\",\"24:00:00\",\"x\",1,\"d\",\r\n"
                                                                "\"2024/03/01\",\"23:59:59\",\"x\",1,\"d\",\r\n"
                                                                "\"2024/03/01\",\"12:60:00\",\"x\",1,\"d\",\r\n")
                                                  << 1 << 3;
    QTest::newRow("seconds in other forms")
        << QByteArray("\"2024/03/01\",\"09:30:05\",\"x\",-3,\"d\",\"\"\r\n"
                      "\"2024/03/01\",\"09:30:05\",\"x\",+3,\"d\",\"\"\r\n"
                      "\"2024/03/01\",\"09:30:05\",\"x\",1e2,\"d\",\"\"\r\n"
                      "\"2024/03/01\",\"09:30:05\",\"x\",5.,\"d\",\"\"\r\n"
                      "\"2024/03/01\",\"09:30:05\",\"x\",1.2.3,\"d\",\"\"\r\n"
                      "\"2024/03/01\",\"09:30:05\",\"x\",.,\"d\",\"\"\r\n"
                      "\"2024/03/01\",\"09:30:05\",\"x\",1234567890123456789,\"d\",\"\"\r\n")
        << 3 << 4;
    QTest::newRow("own shape, every game")
        << sjisBytes(QStringLiteral(
               "\"2024/03/01\",\"09:30:05\",\"抜かな\",1,\"d\",\"\"\r\n\"2024/03/01\",\"09:30:06\",\"抜数字\",1,\"d\",\"\"\r\n"
               "\"2024/03/01\",\"09:30:07\",\"抜仲間\",1,\"d\",\"\"\r\n\"2024/03/01\",\"09:30:08\",\"宝探し\",1,\"d\",\"\"\r\n"
               "\"2024/03/01\",\"09:30:09\",\"ランプ\",1,\"d\",\"\"\r\n\"2024/03/02\",\"09:30:10\",\"順番クリック\",1,\"d\",\"\"\r\n"
               "\"2024/03/02\",\"09:30:11\",\"座標\",1,\"\",\"\"\r\n\"2024/03/02\",\"09:30:12\",\"座標の\",1,\"\",\"\"\r\n"))
        << 8 << 0;
    // Diaries of every length, so that characters and quotes fall on every place of an eight-byte step.
    QByteArray lengths;
    for (int n = 0; n < 24; ++n)
        lengths += sjisBytes(QStringLiteral("\"2024/03/01\",\"09:30:05\",\"座標\",1,\"%1\",\"\"\r\n")
                                 .arg(QStringLiteral("あa漢ｶ1").repeated(5).left(n)));
    QTest::newRow("diaries of every length") << lengths << 24 << 0;

    // Lines far shorter than usual: the records outgrow the room made for them, many times over.
    QByteArray shortLines;
    for (int i = 0; i < 3000; ++i)
        shortLines += "\"2024/03/01\",\"09:30:05\",\"x\"," + QByteArray::number(i % 90) + ",\"\",\r\n";
    QTest::newRow("short lines") << shortLines << 3000 << 0;

    // Large logs are read in two parts at once; the records must come out whole and in file order, and a
    // damaged line in either part must still be found and named.
    const QByteArray large = largeLog();
    QVERIFY(large.size() > 600 * 1024);
    QTest::newRow("large log") << large << kLargePlays << 0;
    QByteArray damagedLate = large;
    damagedLate.replace(damagedLate.lastIndexOf("\r\n\"", damagedLate.size() - 100) + 2, 1, "x");
    QTest::newRow("large log, damage near the end") << damagedLate << kLargePlays - 1 << 1;
    QByteArray badLate = large;
    badLate.insert(large.size() * 3 / 4, QByteArray("\x81"));
    QTest::newRow("large log, bad byte in the second part") << badLate << kLargePlays - 1 << 1;
    QByteArray badEarly = large;
    badEarly.insert(large.size() / 4, QByteArray("\x81"));
    QTest::newRow("large log, bad byte in the first part") << badEarly << kLargePlays - 1 << 1;
    QByteArray split = large;
    const qsizetype middle = split.indexOf('\n', split.size() / 2) + 1;
    split.insert(middle, "\r\n \r\n");
    QTest::newRow("large log, blank lines at the cut") << split << kLargePlays << 0;
}

void TestPlayLogRead::sameAsLineByLine() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    QFETCH(int, problems);
    PlayLogData read;
    readBothWays(bytes, &read);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(read.records.size(), records);
    QCOMPARE(read.problems.size(), problems);
}

void TestPlayLogRead::damagedFieldsNamed_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("said"); // the reason given, empty for a sound record
    const auto row = [](const char *name, const QString &line, const QString &said) {
        QTest::newRow(name) << sjisBytes(line) << said;
    };
    const QString date = QStringLiteral("日付「\u2068%1\u2069」が yyyy/mm/dd の正しい日付ではありません");
    const QString time = QStringLiteral("時刻「\u2068%1\u2069」が HH:MM:SS の正しい時刻ではありません");
    const QString afterQuote = QStringLiteral("閉じた引用符の後に文字があります");
    row("30 February", QStringLiteral("\"2024/02/30\",\"10:00:00\",\"座標\",30,\"d\",\"\""), date.arg("2024/02/30"));
    row("29 February of a common year", QStringLiteral("\"2023/02/29\",\"10:00:00\",\"座標\",30,\"d\","),
        date.arg("2023/02/29"));
    row("29 February of a leap year", QStringLiteral("\"2024/02/29\",\"10:00:00\",\"座標\",30,\"d\","), {});
    row("zero date", QStringLiteral("\"0000/00/00\",\"10:00:00\",\"座標\",30,\"d\",\"\""), date.arg("0000/00/00"));
    row("hyphens", QStringLiteral("\"2024-03-01\",\"10:00:00\",\"座標\",30,\"d\",\"\""), date.arg("2024-03-01"));
    row("no padding", QStringLiteral("\"2024/3/1\",\"10:00:00\",\"座標\",30,\"d\","), date.arg("2024/3/1"));
    row("empty date", QStringLiteral("\"\",\"10:00:00\",\"座標\",30,\"d\",\"\""), date.arg(QString()));
    row("five-digit year", QStringLiteral("\"99999/01/01\",\"10:00:00\",\"座標\",30,\"d\","), date.arg("99999/01/01"));
    row("last day there is", QStringLiteral("\"9999/12/31\",\"23:59:59\",\"座標\",30,\"d\",\"\""), {});
    row("25:61:00", QStringLiteral("\"2024/03/01\",\"25:61:00\",\"座標\",30,\"d\",\"\""), time.arg("25:61:00"));
    row("empty time", QStringLiteral("\"2024/03/01\",\"\",\"座標\",30,\"d\","), time.arg(QString()));
    row("negative seconds", QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",-60,\"d\",\"\""),
        QStringLiteral("秒数「\u2068-60\u2069」が負の数です"));
    row("no seconds", QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",,\"d\",\"\""),
        QStringLiteral("秒数「\u2068\u2069」が数値ではありません"));
    row("seconds beyond any number", QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",1e999,\"d\",\"\""),
        QStringLiteral("秒数「\u20681e999\u2069」が数値ではありません"));
    // The field is quoted as the file holds it, its control characters shown as pictures.
    row("escape sequence as seconds", QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",\x1B[2J,\"d\","),
        QStringLiteral("秒数「\u2068␛[2J\u2069」が数値ではありません"));
    row("zero seconds", QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",0,\"d\",\"\""), {});
    row("doubled quotes in the diary",
        QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",30,\"彼は\"\"はい\"\"と言った\",\"\""), afterQuote);
    row("text after the diary", QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",30,\"one\"junk,\"\""), afterQuote);
    row("text after the spare item", QStringLiteral("\"2024/03/01\",\"10:00:00\",\"座標\",30,\"d\",\"\"x"), afterQuote);
}

// Each damaged field is named with its line, the same by both readers, between two sound lines.
void TestPlayLogRead::damagedFieldsNamed() {
    QFETCH(QByteArray, line);
    QFETCH(QString, said);
    const QByteArray sound = sjisBytes(QStringLiteral("\"2024/03/01\",\"09:30:05\",\"抜かな\",60,\"d\",\r\n"));
    PlayLogData read;
    readBothWays(sound + line + "\r\n" + sound, &read);
    if (QTest::currentTestFailed())
        return;
    if (said.isEmpty()) {
        QVERIFY(read.problems.isEmpty());
        QCOMPARE(read.records.size(), 3);
        return;
    }
    QCOMPARE(read.records.size(), 2);
    QCOMPARE(read.problems.size(), 1);
    QCOMPARE(read.problems[0].line, 2);
    QCOMPARE(read.problems[0].reason, said);
    QVERIFY(problemsMessage(kPlayLogFile, read.problems).contains(QStringLiteral("「データ.txt」の 2 行目")));
}

void TestPlayLogRead::soundLogsReadByBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("byBytes");    // read to the end by the byte-level reader
    QTest::addColumn<bool>("inTwoParts"); // and in two parts at once
    const QByteArray sound = sjisBytes(QStringLiteral("\"2024/03/01\",\"09:30:05\",\"抜かな\",60,\"日記\",\"\"\r\n"));
    QTest::newRow("small sound log") << sound.repeated(50) << true << false;
    QTest::newRow("large sound log") << largeLog() << true << true;
    // A damaged line is for the line-by-line reader, which names it.
    QTest::newRow("small log, one line damaged") << sound + "\"2024/03/01\",\"x\"junk\r\n" + sound << false << false;
    QByteArray damagedLarge = largeLog();
    damagedLarge.insert(damagedLarge.size() * 3 / 4, QByteArray("\x81"));
    QTest::newRow("large log, one line damaged") << damagedLarge << false << false;
}

// Every sound log is read straight from its bytes, and a large one in two parts: the line-by-line reader
// would give the same records, so only the counts show that the fast way was taken.
void TestPlayLogRead::soundLogsReadByBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, byBytes);
    QFETCH(bool, inTwoParts);
    QTemporaryDir tmp;
    writeLog(tmp.path(), bytes);
    const FastReadCounts before = fastReadCounts();
    const PlayLogData read = readPlayLog(tmp.path());
    const FastReadCounts after = fastReadCounts();
    QCOMPARE(read.problems.isEmpty(), byBytes);
    QCOMPARE(after.finished - before.finished, byBytes ? 1 : 0);
    QCOMPARE(after.inTwoParts - before.inTwoParts, inTwoParts ? 1 : 0);
}

// Reads the bytes as the program does and line by line, checks that both give the same, and hands back
// the program's read.
void TestPlayLogRead::readBothWays(const QByteArray &bytes, PlayLogData *out) {
    QTemporaryDir tmp;
    writeLog(tmp.path(), bytes);

    const PlayLogData read = readPlayLog(tmp.path());
    const PlayLogData general = parsePlayLog(readTextLines(tmp.path(), kPlayLogFile));
    *out = read;
    QVERIFY(read.exists);
    QCOMPARE(read.error, general.error);
    QCOMPARE(read.records.size(), general.records.size());
    for (qsizetype i = 0; i < read.records.size(); ++i)
        QCOMPARE(describe(read.records[i]), describe(general.records[i]));
    QCOMPARE(read.problems.size(), general.problems.size());
    for (qsizetype i = 0; i < read.problems.size(); ++i) {
        QCOMPARE(read.problems[i].line, general.problems[i].line);
        QCOMPARE(read.problems[i].reason, general.problems[i].reason);
    }
}

QTEST_GUILESS_MAIN(TestPlayLogRead)
#include "tst_play_log_read.moc"
