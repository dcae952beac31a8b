#include "core/log/app_state.h"
#include "core/log/game_names.h"
#include "core/log/memo.h"
#include "core/log/new_start.h"
#include "core/log/play_log.h"
#include "core/views/log_list.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;
using mirute::test::readBytes;
using mirute::test::sjisBytes;
using mirute::test::writeSjis;

namespace {

// Three plays as the games write them: the spare item empty, the line ending in a comma.
const QString kGameLines =
    QStringLiteral("\"2026/12/01\",\"09:00:00\",\"抜かな\",60,\"秒数 : 60   答数 : 25  反応時間  0.85秒\",\r\n"
                   "\"2026/12/02\",\"10:15:30\",\"抜数字\",180.28,\"first, second\",\r\n"
                   "\"2026/12/03\",\"21:05:09\",\"座標\",45.5,\"\",\r\n");

QStringList backups(const QString &dir) {
    return QDir(QDir(dir).filePath(QStringLiteral("バックアップ"))).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestLogList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listColumns_data();
    void listColumns();
    void scrollsToNewest_data();
    void scrollsToNewest();
    void refillShowsOnlyTheFile();
    void diaryReplacedInExactlyOneLine_data();
    void diaryReplacedInExactlyOneLine();
    void diaryRowOutsideTheListChangesNothing();
    void refusedRewriteKeepsFileAndGrid();
    void unstorableDiaryKeepsFileAndGrid();
    void deleteQuestionText();
    void deleteMiddleRecord();
    void deleteLastRecordEmptiesLog();
    void memoRoundTrip_data();
    void memoRoundTrip();
    void memoReadsFileWithoutFinalBreak();
    void memoWithUnstorableCharacterKeepsFile();
    void memoWithUnreadableBytesIsReportedAndBackedUp();
    void newStartEmptiesLogAndHistories();
    void newStartWithUnstorableNameErasesNothing();

private:
    QString dir() const { return m_dir->path(); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLogList::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestLogList::listColumns_data() {
    QTest::addColumn<bool>("memoList");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("diary list") << true << 9 << QList<int>{570, 1140, 870, 1850, 650, 6000};
    QTest::newRow("edit list") << false << 11 << QList<int>{800, 1400, 1000, 1750, 850, 5230};
}

void TestLogList::listColumns() {
    QFETCH(bool, memoList);
    QFETCH(int, fontSize);
    QFETCH(QList<int>, widths);
    Grid g;
    g.setRows(5);
    memoList ? resetDiaryGrid(g) : resetEditGrid(g);
    QCOMPARE(g.rows(), 1);
    QCOMPARE(g.cols(), 6);
    QCOMPARE(g.fontSize(), fontSize);
    QCOMPARE(g.rowTexts(0), (QStringList{"回数", "日付", "時間", "項目", "秒数", "一言日記"}));
    const QList<int> aligns{Grid::Right, Grid::Center, Grid::Center, Grid::Left, Grid::Right, Grid::Left};
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(g.colWidth(c), widths[c]);
        QCOMPARE(g.colAlignment(c), aligns[c]);
        QCOMPARE(g.fixedAlignment(c), int(Grid::Center));
    }
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    memoList ? fillDiaryList(g, readPlayLog(dir()).records) : fillEditList(g, readPlayLog(dir()).records);
    QCOMPARE(g.rows(), 4);
    QCOMPARE(g.rowTexts(1),
             (QStringList{"1", "2026/12/01", "09:00:00", "抜かな", "60", "秒数 : 60   答数 : 25  反応時間  0.85秒"}));
    QCOMPARE(g.rowTexts(2), (QStringList{"2", "2026/12/02", "10:15:30", "抜数字", "180.28", "first, second"}));
    QCOMPARE(g.rowTexts(3), (QStringList{"3", "2026/12/03", "21:05:09", "座標", "45.5", ""}));
}

void TestLogList::scrollsToNewest_data() {
    QTest::addColumn<bool>("memoList");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("topRow");
    QTest::newRow("diary 15 records stay at the top") << true << 15 << 1;
    QTest::newRow("diary 16 records show the newest") << true << 16 << 16;
    QTest::newRow("diary 40 records") << true << 40 << 40;
    QTest::newRow("edit 23 records stay at the top") << false << 23 << 1;
    QTest::newRow("edit 24 records show the newest") << false << 24 << 24;
}

void TestLogList::scrollsToNewest() {
    QFETCH(bool, memoList);
    QFETCH(int, records);
    QFETCH(int, topRow);
    QStringList lines;
    for (int i = 0; i < records; ++i)
        lines.append(gamePlayLine("2026/11/01", QTime(8, 0).addSecs(i * 60).toString("HH:mm:ss"), "宝探し", 60, "d"));
    QVERIFY(rewriteLines(dir(), kPlayLogFile, lines).ok());
    Grid g;
    memoList ? resetDiaryGrid(g) : resetEditGrid(g);
    memoList ? fillDiaryList(g, readPlayLog(dir()).records) : fillEditList(g, readPlayLog(dir()).records);
    QCOMPARE(g.rows(), records + 1);
    QCOMPARE(g.topRow(), topRow);
    QCOMPARE(g.textMatrix(records, 0), QString::number(records));
}

void TestLogList::refillShowsOnlyTheFile() {
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    Grid g;
    resetDiaryGrid(g);
    fillDiaryList(g, readPlayLog(dir()).records);
    QCOMPARE(g.rows(), 4);
    QVERIFY(rewriteLines(dir(), kPlayLogFile, {gamePlayLine("2026/12/09", "07:00:00", "ランプ", 30, "new")}).ok());
    resetDiaryGrid(g);
    fillDiaryList(g, readPlayLog(dir()).records);
    QCOMPARE(g.rows(), 2);
    QCOMPARE(g.rowTexts(1), (QStringList{"1", "2026/12/09", "07:00:00", "ランプ", "30", "new"}));
}

void TestLogList::diaryReplacedInExactlyOneLine_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    const QString l1 = QStringLiteral(
        "\"2026/12/01\",\"09:00:00\",\"抜かな\",60,\"秒数 : 60   答数 : 25  反応時間  0.85秒\",\"\"\r\n");
    const QString l2 = QStringLiteral("\"2026/12/02\",\"10:15:30\",\"抜数字\",180.28,\"first, second\",\"\"\r\n");
    const QString l3 = QStringLiteral("\"2026/12/03\",\"21:05:09\",\"座標\",45.5,\"\",\"\"\r\n");
    QTest::newRow("middle, comma kept")
        << 2 << QStringLiteral("よくできた, 次も") << QStringLiteral("よくできた, 次も")
        << l1 + QStringLiteral("\"2026/12/02\",\"10:15:30\",\"抜数字\",180.28,\"よくできた, 次も\",\"\"\r\n") + l3;
    QTest::newRow("first, quote and line break replaced")
        << 1 << QStringLiteral("say \"hi\"\r\nthen\nbye") << QStringLiteral("say ”hi” then bye")
        << QStringLiteral("\"2026/12/01\",\"09:00:00\",\"抜かな\",60,\"say ”hi” then bye\",\"\"\r\n") + l2 + l3;
    QTest::newRow("last, emptied") << 3 << QString() << QString() << l1 + l2 + l3;
}

void TestLogList::diaryReplacedInExactlyOneLine() {
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    Grid g;
    resetDiaryGrid(g);
    fillDiaryList(g, readPlayLog(dir()).records);
    const DiaryChange change = replaceDiary(dir(), g, row, typed, "20261206_143000");
    QVERIFY2(change.result.ok(), qPrintable(change.result.error));
    QCOMPARE(change.stored, stored);
    QCOMPARE(g.textMatrix(row, kDiaryColumn), stored);
    QCOMPARE(readBytes(dir(), kPlayLogFile), sjisBytes(expected));
    // The old file is kept in the backup folder, named with the change's date and time.
    QCOMPARE(backups(dir()), QStringList{"データ_20261206_143000.txt"});
    QCOMPARE(readBytes(dir(), "バックアップ/データ_20261206_143000.txt"), sjisBytes(kGameLines));
    const PlayLogData back = readPlayLog(dir());
    QVERIFY(back.complete());
    QCOMPARE(back.records.size(), 3);
    QCOMPARE(back.records[row - 1].diary, stored);
}

void TestLogList::diaryRowOutsideTheListChangesNothing() {
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    Grid g;
    resetDiaryGrid(g);
    fillDiaryList(g, readPlayLog(dir()).records);
    for (int row : {0, 4, -1})
        QVERIFY(!replaceDiary(dir(), g, row, "x", "20261206_143000").result.ok());
    QCOMPARE(readBytes(dir(), kPlayLogFile), sjisBytes(kGameLines));
    QVERIFY(backups(dir()).isEmpty());
}

void TestLogList::refusedRewriteKeepsFileAndGrid() {
    const QByteArray damaged = sjisBytes(QStringLiteral("\"2026/12/01\",\"09:00:00\",\"抜かな\",60,\"a\",\r\n"
                                                        "\"2026/12/01\",\"09:10:00\",\"抜かな\",sixty,\"b\",\r\n"
                                                        "\"2026/12/02\",\"10:00:00\",\"座標\",30,\"c\",\r\n"));
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, damaged).ok());
    Grid g;
    resetDiaryGrid(g);
    const PlayLogData read = readPlayLog(dir());
    fillDiaryList(g, read.records);
    QCOMPARE(read.problems.size(), 1);
    QCOMPARE(g.rows(), 3);
    const DiaryChange change = replaceDiary(dir(), g, 2, "new", "20261206_143000");
    QVERIFY(!change.result.ok());
    QVERIFY2(change.result.error.contains(QStringLiteral("2 行目")), qPrintable(change.result.error));
    QCOMPARE(g.textMatrix(2, kDiaryColumn), QStringLiteral("c"));
    const WriteResult del = deleteLogRow(dir(), g, 1, "20261206_143000");
    QVERIFY(!del.ok());
    QCOMPARE(g.rows(), 3);
    QCOMPARE(readBytes(dir(), kPlayLogFile), damaged);
}

void TestLogList::unstorableDiaryKeepsFileAndGrid() {
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    Grid g;
    resetDiaryGrid(g);
    fillDiaryList(g, readPlayLog(dir()).records);
    const DiaryChange change = replaceDiary(dir(), g, 1, QStringLiteral("smile \U0001F600"), "20261206_143000");
    QVERIFY(!change.result.ok());
    QVERIFY2(change.result.error.contains(QStringLiteral("Shift_JIS")), qPrintable(change.result.error));
    QCOMPARE(g.textMatrix(1, kDiaryColumn), QStringLiteral("秒数 : 60   答数 : 25  反応時間  0.85秒"));
    QCOMPARE(readBytes(dir(), kPlayLogFile), sjisBytes(kGameLines));
}

void TestLogList::deleteQuestionText() {
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    Grid g;
    resetEditGrid(g);
    fillEditList(g, readPlayLog(dir()).records);
    QCOMPARE(deleteQuestion(g, 2),
             QStringLiteral("2026/12/02 10:15:30 \u2068抜数字\u2069 を削除します。よろしいですか？"));
    QCOMPARE(deleteQuestion(g, 3),
             QStringLiteral("2026/12/03 21:05:09 \u2068座標\u2069 を削除します。よろしいですか？"));
}

void TestLogList::deleteMiddleRecord() {
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    Grid g;
    resetEditGrid(g);
    fillEditList(g, readPlayLog(dir()).records);
    const WriteResult w = deleteLogRow(dir(), g, 2, "20261206_143000");
    QVERIFY2(w.ok(), qPrintable(w.error));
    QCOMPARE(readBytes(dir(), kPlayLogFile),
             sjisBytes(QStringLiteral(
                 "\"2026/12/01\",\"09:00:00\",\"抜かな\",60,\"秒数 : 60   答数 : 25  反応時間  0.85秒\",\"\"\r\n"
                 "\"2026/12/03\",\"21:05:09\",\"座標\",45.5,\"\",\"\"\r\n")));
    QCOMPARE(g.rows(), 3);
    // The running numbers are not renumbered after a delete.
    QCOMPARE(g.textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(g.textMatrix(2, 0), QStringLiteral("3"));
    QCOMPARE(readBytes(dir(), "バックアップ/データ_20261206_143000.txt"), sjisBytes(kGameLines));
}

void TestLogList::deleteLastRecordEmptiesLog() {
    const QByteArray one = sjisBytes(QStringLiteral("\"2026/12/01\",\"09:00:00\",\"抜かな\",60,\"a\",\r\n"));
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, one).ok());
    Grid g;
    resetEditGrid(g);
    fillEditList(g, readPlayLog(dir()).records);
    QVERIFY(deleteLogRow(dir(), g, 1, "20261206_143000").ok());
    QCOMPARE(g.rows(), 1);
    QVERIFY(QFileInfo::exists(QDir(dir()).filePath(kPlayLogFile)));
    QCOMPARE(readBytes(dir(), kPlayLogFile), QByteArray());
    QCOMPARE(readBytes(dir(), "バックアップ/データ_20261206_143000.txt"), one);
    QVERIFY(!deleteLogRow(dir(), g, 1, "20261206_143001").ok());
}

void TestLogList::memoRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("three lines") << QStringLiteral("一行目\n二行目, with comma\n\"三行目\"")
                                 << sjisBytes(QStringLiteral("一行目\r\n二行目, with comma\r\n\"三行目\"\r\n"));
    QTest::newRow("empty memo") << QString() << QByteArray("\r\n");
    QTest::newRow("one line") << QStringLiteral("メモ") << sjisBytes(QStringLiteral("メモ\r\n"));
    QTest::newRow("blank line inside and at the end") << QStringLiteral("a\n\nb\n") << QByteArray("a\r\n\r\nb\r\n\r\n");
    QTest::newRow("wave dash in its code page form") << QStringLiteral("10〜20")
                                                     << QByteArray("10\x81\x60"
                                                                   "20\r\n");
}

void TestLogList::memoRoundTrip() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QVERIFY(saveMemo(dir(), text, "20261206_143000").ok());
    QCOMPARE(readBytes(dir(), kMemoFile), bytes);
    const MemoRead back = readMemoFile(dir());
    QVERIFY(back.error.isEmpty());
    QCOMPARE(back.text, sjis::toCp932Forms(text));
}

void TestLogList::memoReadsFileWithoutFinalBreak() {
    QCOMPARE(readMemoFile(dir()).text, QString()); // no file yet
    QVERIFY(rewriteBytes(dir(), "メモ.txt", sjisBytes(QStringLiteral("前\r\n後"))).ok());
    const MemoRead memo = readMemoFile(dir());
    QVERIFY(memo.error.isEmpty());
    QCOMPARE(memo.text, QStringLiteral("前\n後"));
    QVERIFY(rewriteBytes(dir(), "メモ.txt", QByteArray()).ok());
    QCOMPARE(readMemoFile(dir()).text, QString());
}

void TestLogList::memoWithUnstorableCharacterKeepsFile() {
    const QByteArray old = sjisBytes(QStringLiteral("古いメモ\r\n"));
    QVERIFY(rewriteBytes(dir(), kMemoFile, old).ok());
    const WriteResult w = saveMemo(dir(), QStringLiteral("新しい\n\U0001F600"), "20261206_143000");
    QVERIFY(!w.ok());
    QVERIFY2(w.error.contains(QStringLiteral("Shift_JIS")), qPrintable(w.error));
    QCOMPARE(readBytes(dir(), kMemoFile), old);
}

void TestLogList::memoWithUnreadableBytesIsReportedAndBackedUp() {
    const QByteArray damaged = QByteArray("ok\r\n\x81\r\nend\r\n");
    QVERIFY(rewriteBytes(dir(), kMemoFile, damaged).ok());
    const MemoRead memo = readMemoFile(dir());
    QVERIFY2(memo.error.contains(QStringLiteral("2 行目")), qPrintable(memo.error));
    QCOMPARE(memo.text, QStringLiteral("ok\n\nend"));
    QVERIFY(saveMemo(dir(), memo.text, "20261206_143000").ok());
    QCOMPARE(readBytes(dir(), QStringLiteral("バックアップ/メモ_20261206_143000.TXT")), damaged);
    QCOMPARE(readBytes(dir(), kMemoFile), QByteArray("ok\r\n\r\nend\r\n"));
}

void TestLogList::newStartEmptiesLogAndHistories() {
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    for (const QString &game : gameNames())
        writeSjis(dir(), game + "履歴.txt", "\"" + game + "\",1,2\r\n");
    writeSjis(dir(), kMemoFile, "memo\r\n");
    writeSjis(dir(), "抜かな設定.txt", "\"秒数\",60\r\n");
    QVERIFY(newStart(dir(), QStringLiteral("佐藤"), "20261206_143000").ok());
    QCOMPARE(newStartFiles().size(), 13); // the log, seven histories, five answers files
    for (const QString &file : newStartFiles()) {
        QVERIFY2(QFileInfo::exists(QDir(dir()).filePath(file)), qPrintable(file));
        QCOMPARE(readBytes(dir(), file), QByteArray());
    }
    for (const QString &game : gameNames())
        QCOMPARE(readBytes(dir(), "バックアップ/" + game + "履歴_20261206_143000.txt"),
                 sjisBytes("\"" + game + "\",1,2\r\n"));
    QCOMPARE(readBytes(dir(), "バックアップ/データ_20261206_143000.txt"), sjisBytes(kGameLines));
    QCOMPARE(readBytes(dir(), kMemoFile), QByteArray("memo\r\n"));
    QCOMPARE(readBytes(dir(), "抜かな設定.txt"), sjisBytes("\"秒数\",60\r\n"));
    QCOMPARE(readBytes(dir(), kNameFile), sjisBytes(QStringLiteral("\"氏名\",\"佐藤\"\r\n")));
}

void TestLogList::newStartWithUnstorableNameErasesNothing() {
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, sjisBytes(kGameLines)).ok());
    const WriteResult w = newStart(dir(), QStringLiteral("\U0001F600"), "20261206_143000");
    QVERIFY(!w.ok());
    QCOMPARE(readBytes(dir(), kPlayLogFile), sjisBytes(kGameLines));
    QVERIFY(backups(dir()).isEmpty());
}

QTEST_GUILESS_MAIN(TestLogList)
#include "tst_log_list.moc"
