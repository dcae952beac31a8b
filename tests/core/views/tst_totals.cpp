#include "core/base/day_time.h"
#include "core/log/game_names.h"
#include "core/views/totals.h"

#include <QTest>

using namespace mirute;

namespace {

PlayRecord play(const QString &date, const QString &game, float seconds) {
    PlayRecord r;
    r.date = date;
    r.time = QStringLiteral("12:00:00");
    r.game = game;
    r.seconds = seconds;
    return r;
}

QStringList column(const Grid &g, int col) {
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out.append(g.textMatrix(r, col));
    return out;
}

// Column of a game in both grids.
int gameCol(const QString &game) {
    return int(gameNames().indexOf(game)) + 3;
}

struct Built {
    Grid days, months;
};

// The span of the given dates; without them, the span of the records as the panel finds it.
PlaySpan spanOf(const QString &first, const QString &last) {
    return {parseDateText(first), parseDateText(last)};
}

QString build(Built &b, const QList<PlayRecord> &records, TotalsMeasure m, const QString &first = {},
              const QString &last = {}) {
    const PlaySpan span = first.isNull() ? playSpan(records, QDate(2026, 12, 8)) : spanOf(first, last);
    return buildTotals(records, gameNames(), span, m, b.days, b.months);
}

} // namespace

class TestTotals : public QObject {
    Q_OBJECT
private slots:
    void headers();
    void acrossYearEnd();
    void firstPlayOn31January();
    void dayWithoutPlays_data();
    void dayWithoutPlays();
    void bothMeasureExample();
    void shortPlayCountsButAddsNoTime();
    void grandTotalRow_data();
    void grandTotalRow();
    void coloursOfLabelsAndSubtotals();
    void unknownGameAndRecordsOutsideSpan();
    void emptyLogHeadersOnly();
    void lastBeforeFirstDoesNotFail();
    void scrollsToLastRowWhenLong();
    void sumsBeyond32Bits();
};

void TestTotals::headers() {
    Built b;
    build(b, {play("2024/05/01", "抜かな", 10)}, TotalsMeasure::Time);
    QCOMPARE(b.days.cols(), kGameCount + 3);
    QCOMPARE(b.months.cols(), kGameCount + 3);
    QCOMPARE(b.days.rowTexts(0), (QStringList{"回", "年月日", "小計", "抜かな", "抜数字", "抜仲間", "宝探し", "ランプ",
                                              "順番クリッ", "座標"}));
    QCOMPARE(b.months.textMatrix(0, 1), QStringLiteral("年月"));
    for (Grid *g : {&b.days, &b.months}) {
        QCOMPARE(g->colWidth(0), 620);
        QCOMPARE(g->colWidth(1), 950);
        QCOMPARE(g->colWidth(2), 1250);
        QCOMPARE(g->colAlignment(1), int(Grid::Center));
        for (int c = 3; c < g->cols(); ++c) {
            QCOMPARE(g->colWidth(c), 1180);
            QCOMPARE(g->colAlignment(c), int(Grid::Right));
        }
        QCOMPARE(g->colAlignment(2), int(Grid::Right));
        for (int c = 0; c < g->cols(); ++c)
            QCOMPARE(g->fixedAlignment(c), int(Grid::Center));
    }
}

void TestTotals::acrossYearEnd() {
    Built b;
    build(b,
          {play("2024/12/30", "抜かな", 60), play("2024/12/31", "座標", 30), play("2025/01/01", "座標", 15),
           play("2025/01/02", "抜かな", 5)},
          TotalsMeasure::Time);
    QCOMPARE(column(b.days, 0), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(column(b.days, 1), (QStringList{"24/12/30", "24/12/31", "25/01/01", "25/01/02"}));
    QCOMPARE(column(b.days, 2), (QStringList{"0:01:00", "0:00:30", "0:00:15", "0:00:05"}));
    QCOMPARE(column(b.months, 0), (QStringList{"1", "2", ""}));
    QCOMPARE(column(b.months, 1), (QStringList{"24/12", "25/01", "合計"}));
    QCOMPARE(column(b.months, 2), (QStringList{"0:01:30", "0:00:20", "0:01:50"}));
    QCOMPARE(column(b.months, gameCol("座標")), (QStringList{"30", "15", "45"}));
    QCOMPARE(column(b.months, gameCol("抜かな")), (QStringList{"60", "5", "65"}));
}

void TestTotals::firstPlayOn31January() {
    Built b;
    build(b, {play("2024/01/31", "抜かな", 1), play("2024/02/29", "抜かな", 2), play("2024/03/01", "抜かな", 3)},
          TotalsMeasure::Count);
    QCOMPARE(column(b.months, 1), (QStringList{"24/01", "24/02", "24/03", "合計"}));
    QCOMPARE(column(b.months, 2), (QStringList{"1", "1", "1", "3"}));
    QCOMPARE(b.days.rows(), 32); // 31 January to 1 March of a leap year: 31 days
    QCOMPARE(b.days.textMatrix(30, 1), QStringLiteral("24/02/29"));
    QCOMPARE(b.days.textMatrix(31, 1), QStringLiteral("24/03/01"));
}

void TestTotals::dayWithoutPlays_data() {
    QTest::addColumn<int>("measure");
    QTest::addColumn<QString>("subtotal");
    QTest::addColumn<QString>("played");
    QTest::newRow("time") << int(TotalsMeasure::Time) << "0:00:00"
                          << "90";
    QTest::newRow("count") << int(TotalsMeasure::Count) << "0"
                           << "1";
    QTest::newRow("both") << int(TotalsMeasure::Both) << "0:00:00 (0)"
                          << "90 (1)";
}

void TestTotals::dayWithoutPlays() {
    QFETCH(int, measure);
    QFETCH(QString, subtotal);
    QFETCH(QString, played);
    Built b;
    build(b, {play("2024/05/01", "宝探し", 90), play("2024/05/03", "宝探し", 90)}, TotalsMeasure(measure));
    QCOMPARE(b.days.rows(), 4);
    QCOMPARE(b.days.textMatrix(2, 1), QStringLiteral("24/05/02"));
    QCOMPARE(b.days.textMatrix(2, 2), subtotal);
    for (int c = 3; c < b.days.cols(); ++c)
        QCOMPARE(b.days.textMatrix(2, c), QString());
    QCOMPARE(b.days.textMatrix(1, gameCol("宝探し")), played);
    QCOMPARE(b.days.textMatrix(1, gameCol("座標")), QString());
}

void TestTotals::bothMeasureExample() {
    Built b;
    build(b, {play("2024/05/01", "ランプ", 60), play("2024/05/01", "ランプ", 65.5f)}, TotalsMeasure::Both);
    QCOMPARE(b.days.textMatrix(1, 2), QStringLiteral("0:02:06 (2)"));
    QCOMPARE(b.days.textMatrix(1, gameCol("ランプ")), QStringLiteral("126 (2)"));
    QCOMPARE(b.months.textMatrix(1, 2), QStringLiteral("0:02:06 (2)"));
    QCOMPARE(b.months.textMatrix(2, 2), QStringLiteral("0:02:06 (2)"));
    QCOMPARE(b.months.textMatrix(2, gameCol("ランプ")), QStringLiteral("126 (2)"));
}

void TestTotals::shortPlayCountsButAddsNoTime() {
    const QList<PlayRecord> records = {play("2024/05/01", "抜数字", 0.4f)};
    Built b;
    build(b, records, TotalsMeasure::Time);
    QCOMPARE(b.days.textMatrix(1, 2), QStringLiteral("0:00:00"));
    QCOMPARE(b.days.textMatrix(1, gameCol("抜数字")), QString());
    build(b, records, TotalsMeasure::Both);
    QCOMPARE(b.days.textMatrix(1, 2), QStringLiteral("0:00:00 (1)"));
    QCOMPARE(b.days.textMatrix(1, gameCol("抜数字")), QString());
    QCOMPARE(b.months.textMatrix(2, gameCol("抜数字")), QStringLiteral("0 (1)"));
    build(b, records, TotalsMeasure::Count);
    QCOMPARE(b.days.textMatrix(1, 2), QStringLiteral("1"));
    QCOMPARE(b.days.textMatrix(1, gameCol("抜数字")), QStringLiteral("1"));
}

void TestTotals::grandTotalRow_data() {
    QTest::addColumn<int>("measure");
    QTest::addColumn<QString>("grand");
    QTest::addColumn<QString>("played");
    QTest::addColumn<QString>("never");
    QTest::newRow("time") << int(TotalsMeasure::Time) << "1:00:03"
                          << "3603"
                          << "0";
    QTest::newRow("count") << int(TotalsMeasure::Count) << "3"
                           << "3"
                           << "0";
    QTest::newRow("both") << int(TotalsMeasure::Both) << "1:00:03 (3)"
                          << "3603 (3)"
                          << "0 (0)";
}

void TestTotals::grandTotalRow() {
    QFETCH(int, measure);
    QFETCH(QString, grand);
    QFETCH(QString, played);
    QFETCH(QString, never);
    Built b;
    build(b, {play("2024/04/30", "抜仲間", 1), play("2024/05/01", "抜仲間", 2), play("2024/06/01", "抜仲間", 3600)},
          TotalsMeasure(measure));
    const int last = b.months.rows() - 1;
    QCOMPARE(last, 4);
    QCOMPARE(b.months.textMatrix(last, 0), QString());
    QCOMPARE(b.months.textMatrix(last, 1), QStringLiteral("合計"));
    QCOMPARE(b.months.textMatrix(last, 2), grand);
    for (const QString &g : gameNames())
        QCOMPARE(b.months.textMatrix(last, gameCol(g)), g == "抜仲間" ? played : never);
    QCOMPARE(b.months.cellForeColor(last, 0), (Rgb{0, 0, 0}));
    for (int c = 1; c < b.months.cols(); ++c)
        QCOMPARE(b.months.cellForeColor(last, c), kTotalsRowRed);
    QVERIFY(!b.months.hasCellForeColor(last - 1, 2));
    // No row is left marked as current over the red row.
    QCOMPARE(b.months.row(), 0);
    // The day grid has no total row.
    QCOMPARE(b.days.textMatrix(b.days.rows() - 1, 1), QStringLiteral("24/06/01"));
}

void TestTotals::coloursOfLabelsAndSubtotals() {
    Built b;
    build(b, {play("2024/05/01", "座標", 1), play("2024/05/02", "座標", 1)}, TotalsMeasure::Time);
    for (Grid *g : {&b.days, &b.months}) {
        for (int r = 1; r < g->rows(); ++r) {
            QVERIFY(g->hasCellBackColor(r, 1));
            QVERIFY(g->hasCellBackColor(r, 2));
            QCOMPARE(g->cellBackColor(r, 1), kWhite);
            QVERIFY(!g->hasCellBackColor(r, 3));
            QVERIFY(!g->hasCellBackColor(r, 0));
        }
    }
}

void TestTotals::unknownGameAndRecordsOutsideSpan() {
    Built b;
    const QList<PlayRecord> records = {play("2024/05/01", "抜かな", 10), play("2024/05/02", "テニス", 20),
                                       play("2024/04/15", "抜かな", 40), play("2024/05/02", "抜かな", 30),
                                       play("2024/05/20", "抜かな", 50), play("2024/06/02", "抜かな", 70),
                                       play("not a date", "抜かな", 80)};
    const QString notice =
        build(b, records, TotalsMeasure::Both, QStringLiteral("2024/05/01"), QStringLiteral("2024/05/02"));
    QCOMPARE(column(b.days, 2), (QStringList{"0:00:10 (1)", "0:00:50 (2)"}));
    QCOMPARE(column(b.days, gameCol("抜かな")), (QStringList{"10 (1)", "30 (1)"}));
    // The month of the last play date takes in its later days too.
    QCOMPARE(column(b.months, 2), (QStringList{"0:01:50 (4)", "0:01:50 (4)"}));
    QCOMPARE(column(b.months, gameCol("抜かな")), (QStringList{"90 (3)", "90 (3)"}));
    // The four records without a day row are not left out in silence.
    QVERIFY2(notice.contains(QStringLiteral(" 4 件")) && notice.contains(QStringLiteral("2024/04/15")),
             qPrintable(notice));
}

void TestTotals::emptyLogHeadersOnly() {
    Built b;
    build(b, {play("2024/05/01", "抜かな", 10)}, TotalsMeasure::Time);
    buildTotals({}, gameNames(), PlaySpan(), TotalsMeasure::Count, b.days, b.months);
    QCOMPARE(b.days.rows(), 1);
    QCOMPARE(b.months.rows(), 1);
    QCOMPARE(b.months.textMatrix(0, 2), QStringLiteral("小計"));
    // A first date that is no date at all is treated the same way.
    build(b, {play("2024/05/01", "抜かな", 10)}, TotalsMeasure::Count, QStringLiteral("??"),
          QStringLiteral("2024/05/01"));
    QCOMPARE(b.days.rows(), 1);
    QCOMPARE(b.months.rows(), 1);
}

void TestTotals::lastBeforeFirstDoesNotFail() {
    Built b;
    build(b, {play("2024/05/03", "抜かな", 10), play("2024/05/01", "抜かな", 10)}, TotalsMeasure::Both,
          QStringLiteral("2024/05/03"), QStringLiteral("2024/05/01"));
    QCOMPARE(b.days.rows(), 1);
    // Same month: the month row is still there.
    QCOMPARE(column(b.months, 1), (QStringList{"24/05", "合計"}));
    QCOMPARE(b.months.textMatrix(1, 2), QStringLiteral("0:00:20 (2)"));
}

void TestTotals::scrollsToLastRowWhenLong() {
    QList<PlayRecord> records;
    // Rows counted with the header: 19 day rows and 7 month rows still fit.
    for (int i = 0; i < 18; ++i)
        records.append(play(QDate(2024, 1, 1).addDays(i).toString("yyyy/MM/dd"), "抜かな", 1));
    Built b;
    build(b, records, TotalsMeasure::Count, "2024/01/01", "2024/01/18");
    QCOMPARE(b.days.rows(), 19);
    QCOMPARE(b.days.topRow(), 1);
    build(b, records, TotalsMeasure::Count, "2024/01/01", "2024/01/19");
    QCOMPARE(b.days.rows(), 20);
    QCOMPARE(b.days.topRow(), 19);
    build(b, records, TotalsMeasure::Count, "2024/01/01", "2024/05/31");
    QCOMPARE(b.months.rows(), 7);
    QCOMPARE(b.months.topRow(), 1);
    build(b, records, TotalsMeasure::Count, "2024/01/01", "2024/06/01");
    QCOMPARE(b.months.rows(), 8);
    QCOMPARE(b.months.topRow(), 7);
}

void TestTotals::sumsBeyond32Bits() {
    QList<PlayRecord> records;
    for (int i = 0; i < 3; ++i)
        records.append(play("2024/05/01", "座標", 1.0e9f));
    Built b;
    build(b, records, TotalsMeasure::Time);
    QCOMPARE(b.days.textMatrix(1, gameCol("座標")), QStringLiteral("3000000000"));
    QCOMPARE(b.months.textMatrix(2, 2), QStringLiteral("833333:20:00"));
}

QTEST_GUILESS_MAIN(TestTotals)
#include "tst_totals.moc"
