#include "core/base/day_time.h"
#include "core/log/game_names.h"
#include "core/views/range_view.h"

#include <QTest>

using namespace mirute;

namespace {

PlayRecord play(const QString &date, const QString &time, const QString &game, float seconds) {
    PlayRecord r;
    r.date = date;
    r.time = time;
    r.game = game;
    r.seconds = seconds;
    return r;
}

// One play a day, alternating two games, from `from` to `to` inclusive.
QList<PlayRecord> daily(const QDate &from, const QDate &to) {
    QList<PlayRecord> out;
    int i = 0;
    for (QDate d = from; d <= to; d = d.addDays(1), ++i)
        out.append(play(dateText(d), QStringLiteral("10:00:00"), gameNames()[i % 2], 60));
    return out;
}

QStringList column(const Grid &g, int col) {
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out.append(g.textMatrix(r, col));
    return out;
}

QStringList dateRange(const QDate &from, const QDate &to) {
    QStringList out;
    for (QDate d = from; d <= to; d = d.addDays(1))
        out.append(dateText(d));
    return out;
}

// A view and the records the test holds; every refresh is handed them, as the panel hands it the file.
struct Fixture {
    QList<PlayRecord> records;
    RangeView view{gameNames()};
};

QString totalOf(const Grid &totals, const QString &game) {
    for (int r = 1; r < totals.rows(); ++r)
        if (totals.textMatrix(r, 0) == game)
            return totals.textMatrix(r, 1);
    return QStringLiteral("<none>");
}

} // namespace

class TestRangeView : public QObject {
    Q_OBJECT
private slots:
    void periodButtonsCoverBothEnds_data();
    void periodButtonsCoverBothEnds();
    void allDayRunsFromFirstPlayToToday();
    void chooseRefresh_data();
    void chooseRefresh();
    void keySelects_data();
    void keySelects();
    void weekdayThenSearchIgnoresWeekday();
    void focusEmptiesKeyWithoutRefresh();
    void fromAfterToSelectsNothing();
    void datesCompareAsText();
    void openingFillsCombosOncePerRun();
    void emptyLog();
    void gridsLayoutAndTotals();
    void listScrollsToItsEndWhenLong();
    void buttonColoursAcrossOpenings();
    void chartsFollowTheHighlightedButton();
    void hourChartSumsPerHour();
    void gameChartLabelsShortenForLongLists();
};

void TestRangeView::periodButtonsCoverBothEnds_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::newRow("前日 leap 1 March") << QDate(2024, 3, 1) << "cmdKikan1" << QDate(2024, 2, 29) << QDate(2024, 3, 1);
    QTest::newRow("１週間 leap 1 March") << QDate(2024, 3, 1) << "cmdKikan2" << QDate(2024, 2, 23) << QDate(2024, 3, 1);
    QTest::newRow("前日 common-year 1 March")
        << QDate(2023, 3, 1) << "cmdKikan1" << QDate(2023, 2, 28) << QDate(2023, 3, 1);
    QTest::newRow("３日 across year end") << QDate(2025, 1, 3) << "cmdKikan8" << QDate(2025, 1, 1) << QDate(2025, 1, 3);
    QTest::newRow("１週間 across year end")
        << QDate(2025, 1, 3) << "cmdKikan2" << QDate(2024, 12, 27) << QDate(2025, 1, 3);
    QTest::newRow("２週間") << QDate(2025, 1, 3) << "cmdKikan3" << QDate(2024, 12, 20) << QDate(2025, 1, 3);
    QTest::newRow("１ヶ月 is 31 days") << QDate(2024, 3, 1) << "cmdKikan4" << QDate(2024, 1, 31) << QDate(2024, 3, 1);
}

void TestRangeView::periodButtonsCoverBothEnds() {
    QFETCH(QDate, today);
    QFETCH(QString, button);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    Fixture f;
    // Plays from well before the period to a day after today (a clock put back must not show them).
    f.records = daily(today.addDays(-40), today.addDays(1));
    f.view.open(f.records);
    f.view.choosePeriod(button, today, f.records);
    QCOMPARE(f.view.filter().from, dateText(from));
    QCOMPARE(f.view.filter().to, dateText(to));
    QCOMPARE(column(f.view.list(), 1), dateRange(from, to));
    QCOMPARE(column(f.view.list(), 0).first(), QStringLiteral("1"));
    QCOMPARE(column(f.view.list(), 0).last(), QString::number(from.daysTo(to) + 1));
    QCOMPARE(f.view.buttonColor(button), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllDay")), kButtonFace);
}

void TestRangeView::allDayRunsFromFirstPlayToToday() {
    Fixture f;
    f.records = daily(QDate(2024, 5, 1), QDate(2024, 5, 10));
    f.view.open(f.records);
    f.view.choosePeriod(QStringLiteral("cmdKikan1"), QDate(2024, 5, 10), f.records);
    QCOMPARE(f.view.list().rows(), 3);
    f.view.chooseWholeLog(QStringLiteral("2024/05/03"), QDate(2024, 5, 12), f.records);
    QCOMPARE(f.view.filter().from, QStringLiteral("2024/05/03"));
    QCOMPARE(f.view.filter().to, QStringLiteral("2024/05/12"));
    QCOMPARE(column(f.view.list(), 1), dateRange(QDate(2024, 5, 3), QDate(2024, 5, 10)));
    // Plays dated after today (a clock set ahead) are plays of the log all the same.
    f.view.chooseWholeLog(QStringLiteral("2024/05/03"), QDate(2024, 5, 8), f.records);
    QCOMPARE(f.view.filter().to, QStringLiteral("2024/05/10"));
    QCOMPARE(column(f.view.list(), 1), dateRange(QDate(2024, 5, 3), QDate(2024, 5, 10)));
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllDay")), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdKikan1")), kButtonFace);
}

void TestRangeView::chooseRefresh_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<int>("op");
    QTest::newRow("period only") << "" << kAllWeekdays << int(RangeRefresh::Period);
    QTest::newRow("key") << "抜" << kAllWeekdays << int(RangeRefresh::Key);
    QTest::newRow("weekday") << "" << 0 << int(RangeRefresh::Week);
    QTest::newRow("weekday and key") << "座" << 6 << int(RangeRefresh::WeekKey);
}

void TestRangeView::chooseRefresh() {
    QFETCH(QString, key);
    QFETCH(int, weekday);
    QFETCH(int, op);
    QCOMPARE(int(RangeView::chooseRefresh(key, weekday)), op);
}

void TestRangeView::keySelects_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("games");
    QTest::newRow("part of three names") << "抜" << QStringList{"抜かな", "抜数字", "抜仲間"};
    QTest::newRow("a whole name") << "抜かな" << QStringList{"抜かな"};
    QTest::newRow("end of a name") << "クリック" << QStringList{"順番クリック"};
    QTest::newRow("in no name") << "テニス" << QStringList{};
    QTest::newRow("case-sensitive") << "abc" << QStringList{};
    QTest::newRow("unknown game is listed") << "Abc" << QStringList{"Abc"};
}

void TestRangeView::keySelects() {
    QFETCH(QString, key);
    QFETCH(QStringList, games);
    Fixture f;
    for (const QString &g : gameNames())
        f.records.append(play(QStringLiteral("2024/05/01"), QStringLiteral("09:00:00"), g, 30));
    f.records.append(play(QStringLiteral("2024/05/01"), QStringLiteral("09:30:00"), QStringLiteral("Abc"), 45));
    f.view.open(f.records);
    f.view.filter().key = key;
    f.view.applyKey(f.records);
    QCOMPARE(column(f.view.list(), 4), games);
    QCOMPARE(f.view.list().rows(), int(games.size()) + 1);
    // Every game keeps its totals row; only the selected ones have seconds.
    QCOMPARE(f.view.totals().rows(), kGameCount + 1);
    for (const QString &g : gameNames())
        QCOMPARE(totalOf(f.view.totals(), g), games.contains(g) ? QStringLiteral("30") : QStringLiteral("0"));
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllact")), kButtonFace);
}

void TestRangeView::weekdayThenSearchIgnoresWeekday() {
    Fixture f;
    // 2024/05/05 is a Sunday, 2024/05/06 a Monday.
    f.records = {play("2024/05/05", "09:00:00", "抜かな", 10), play("2024/05/06", "09:00:00", "抜かな", 20),
                 play("2024/05/06", "10:00:00", "座標", 30), play("2024/05/12", "09:00:00", "抜数字", 40)};
    f.view.open(f.records);
    f.view.chooseWeekday(0, f.records);
    QCOMPARE(column(f.view.list(), 1), (QStringList{"2024/05/05", "2024/05/12"}));
    QCOMPARE(column(f.view.list(), 3), (QStringList{"日", "日"}));
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdWeek_0")), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllWeek")), kButtonFace);

    f.view.filter().key = QStringLiteral("抜かな");
    f.view.searchKey(f.records);
    QCOMPARE(column(f.view.list(), 1), (QStringList{"2024/05/05", "2024/05/06"}));
    // The search leaves the weekday chosen and its button lit.
    QCOMPARE(f.view.filter().weekday, 0);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdWeek_0")), kRangeFilterHighlight);

    // Enter applies the key and the weekday together.
    f.view.applyKey(f.records);
    QCOMPARE(column(f.view.list(), 1), (QStringList{"2024/05/05"}));

    f.view.chooseAllWeekdays(f.records);
    QCOMPARE(column(f.view.list(), 1), (QStringList{"2024/05/05", "2024/05/06"}));
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdWeek_0")), kButtonFace);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllWeek")), kRangeFilterHighlight);

    f.view.chooseAllGames(f.records);
    QCOMPARE(f.view.filter().key, QString());
    QCOMPARE(f.view.list().rows(), 5);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllact")), kRangeFilterHighlight);
}

void TestRangeView::focusEmptiesKeyWithoutRefresh() {
    Fixture f;
    f.records = {play("2024/05/05", "09:00:00", "抜かな", 10), play("2024/05/06", "09:00:00", "座標", 20)};
    f.view.open(f.records);
    f.view.chooseGame(QStringLiteral("座標"), f.records);
    QCOMPARE(f.view.filter().key, QStringLiteral("座標"));
    QCOMPARE(column(f.view.list(), 4), QStringList{"座標"});
    f.view.onKeyBoxFocused();
    QCOMPARE(f.view.filter().key, QString());
    QCOMPARE(column(f.view.list(), 4), QStringList{"座標"});
    f.view.applyKey(f.records);
    QCOMPARE(column(f.view.list(), 4), (QStringList{"抜かな", "座標"}));
}

void TestRangeView::fromAfterToSelectsNothing() {
    Fixture f;
    f.records = daily(QDate(2024, 5, 1), QDate(2024, 5, 10));
    f.view.open(f.records);
    f.view.filter().from = QStringLiteral("2024/05/08");
    f.view.filter().to = QStringLiteral("2024/05/02");
    f.view.chooseOwnPeriod(f.records);
    QCOMPARE(f.view.list().rows(), 1);
    QCOMPARE(f.view.totals().rows(), kGameCount + 1);
    for (int r = 1; r < f.view.totals().rows(); ++r) {
        QCOMPARE(f.view.totals().textMatrix(r, 1), QStringLiteral("0"));
        QCOMPARE(f.view.totals().textMatrix(r, 2), QStringLiteral("0:00:00"));
    }
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdKikanF")), kRangeFilterHighlight);
}

void TestRangeView::datesCompareAsText() {
    Fixture f;
    f.records = daily(QDate(2024, 5, 1), QDate(2024, 5, 12));
    f.view.open(f.records);
    // A date typed without padding still compares as text: "2024/5/9" sorts after every "2024/05/…".
    f.view.filter().from = QStringLiteral("2024/05/10");
    f.view.filter().to = QStringLiteral("2024/5/9");
    f.view.chooseOwnPeriod(f.records);
    QCOMPARE(column(f.view.list(), 1), dateRange(QDate(2024, 5, 10), QDate(2024, 5, 12)));
    // A bound that is a prefix of the dates: "2024/05/1" is below "2024/05/10".
    f.view.filter().from = QStringLiteral("2024/05/1");
    f.view.filter().to = QStringLiteral("2024/05/11");
    f.view.chooseOwnPeriod(f.records);
    QCOMPARE(column(f.view.list(), 1), dateRange(QDate(2024, 5, 10), QDate(2024, 5, 11)));
}

void TestRangeView::openingFillsCombosOncePerRun() {
    Fixture f;
    f.records = {play("2024/05/01", "09:00:00", "抜かな", 10), play("2024/05/01", "10:00:00", "抜かな", 10),
                 play("2024/05/03", "09:00:00", "座標", 10), play("2024/05/04", "09:00:00", "座標", 10),
                 play("2024/05/04", "19:00:00", "座標", 10)};
    f.view.open(f.records);
    const QStringList expected = {"2024/05/01", "2024/05/03", "2024/05/04"};
    QCOMPARE(f.view.comboDates(), expected);
    QCOMPARE(f.view.filter().from, QStringLiteral("2024/05/01"));
    QCOMPARE(f.view.filter().to, QStringLiteral("2024/05/04"));
    f.view.choosePeriod(QStringLiteral("cmdKikan1"), QDate(2024, 5, 4), f.records);
    QCOMPARE(f.view.comboDates(), expected); // other refreshes leave the lists alone
    f.view.open(f.records);
    QCOMPARE(f.view.comboDates(), expected);
    QCOMPARE(f.view.list().rows(), 6);
    // A record saved out of order (a clock set wrong) adds its date once, in date order, and the period of
    // the opened view takes it in: a refresh by weekday or key keeps every play of the log.
    f.records.append(play("2024/04/28", "23:00:00", "抜かな", 10));
    f.records.append(play("2024/05/01", "23:00:00", "抜かな", 10));
    f.view.open(f.records);
    QCOMPARE(f.view.comboDates(), (QStringList{"2024/04/28", "2024/05/01", "2024/05/03", "2024/05/04"}));
    QCOMPARE(f.view.filter().from, QStringLiteral("2024/04/28"));
    QCOMPARE(f.view.filter().to, QStringLiteral("2024/05/04"));
    f.view.chooseGame(QStringLiteral("抜かな"), f.records);
    QCOMPARE(f.view.list().rows(), 5);
    // "全部" runs from the earliest play, and past today when a play is dated later.
    f.view.chooseWholeLog(QStringLiteral("2024/04/28"), QDate(2024, 5, 2), f.records);
    QCOMPARE(f.view.filter().to, QStringLiteral("2024/05/04"));
    QCOMPARE(f.view.list().rows(), 5);
}

void TestRangeView::emptyLog() {
    Fixture f;
    f.view.open(f.records);
    QCOMPARE(f.view.list().rows(), 1);
    QCOMPARE(f.view.totals().rows(), kGameCount + 1);
    QCOMPARE(column(f.view.totals(), 0), gameNames());
    QCOMPARE(column(f.view.totals(), 2), QStringList(kGameCount, QStringLiteral("0:00:00")));
    QVERIFY(f.view.comboDates().isEmpty());
    QCOMPARE(f.view.filter().from, QString());
    QCOMPARE(f.view.filter().to, QString());
    QCOMPARE(f.view.recordChart().rowCount(), 1);
    QCOMPARE(f.view.recordChart().value(1), 0.0);
}

void TestRangeView::gridsLayoutAndTotals() {
    Fixture f;
    f.records = {play("2024/05/04", "09:00:00", "抜かな", 10),      play("2024/05/04", "09:01:00", "抜かな", 10.5f),
                 play("2024/05/04", "09:02:00", "抜かな", 11.5f),   play("2024/05/04", "09:03:00", "座標", 3725),
                 play("2024/05/04", "09:04:00", "宝探し", 180.28f), play("bad", "09:05:00", "ランプ", 1)};
    f.view.open(f.records);
    const Grid &list = f.view.list();
    QCOMPARE(list.rowTexts(0), (QStringList{"", "日付", "時間", "曜", "項目", "秒"}));
    const QList<int> widths = {600, 1240, 940, 365, 1210, 740};
    const QList<int> aligns = {Grid::Right, Grid::Center, Grid::Center, Grid::Center, Grid::Left, Grid::Right};
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(list.colWidth(c), widths[c]);
        QCOMPARE(list.colAlignment(c), aligns[c]);
        QCOMPARE(list.fixedAlignment(c), int(Grid::Center));
    }
    QCOMPARE(list.fontSize(), 10);
    QCOMPARE(list.rowTexts(5), (QStringList{"5", "2024/05/04", "09:04:00", "土", "宝探し", "180.28"}));
    QCOMPARE(list.rowTexts(6), (QStringList{"6", "bad", "09:05:00", "", "ランプ", "1"}));
    const Grid &totals = f.view.totals();
    QCOMPARE(totals.rowTexts(0), (QStringList{"項目", "秒", "時間"}));
    QCOMPARE(totals.colWidth(0), 1390);
    QCOMPARE(totals.colWidth(1), 600);
    QCOMPARE(totals.colWidth(2), 910);
    QCOMPARE(totals.colAlignment(0), int(Grid::Left));
    QCOMPARE(totals.colAlignment(2), int(Grid::Right));
    QCOMPARE(totals.fontSize(), 10);
    // 10 + 10.5 rounds to 20 (half to even), + 11.5 gives 31.5, rounded to 32.
    QCOMPARE(totals.rowTexts(1), (QStringList{"抜かな", "32", "0:00:32"}));
    QCOMPARE(totals.rowTexts(7), (QStringList{"座標", "3725", "1:02:05"}));
    QCOMPARE(totalOf(totals, QStringLiteral("宝探し")), QStringLiteral("180"));
    QCOMPARE(totalOf(totals, QStringLiteral("ランプ")), QStringLiteral("1"));
}

void TestRangeView::listScrollsToItsEndWhenLong() {
    Fixture f;
    f.records = daily(QDate(2024, 5, 1), QDate(2024, 5, 10));
    f.view.open(f.records);
    QCOMPARE(f.view.list().rows(), 11);
    QCOMPARE(f.view.list().topRow(), 1);
    f.records = daily(QDate(2024, 5, 1), QDate(2024, 5, 11));
    f.view.open(f.records);
    QCOMPARE(f.view.list().rows(), 12);
    QCOMPARE(f.view.list().topRow(), 11);
}

void TestRangeView::buttonColoursAcrossOpenings() {
    Fixture f;
    f.records = daily(QDate(2024, 5, 1), QDate(2024, 5, 10));
    for (const QString &name : RangeView::buttonNames())
        QCOMPARE(f.view.buttonColor(name), name == "cmdDay3" ? kRangeChartHighlight : kButtonFace);
    f.view.open(f.records);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllDay")), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllact")), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllWeek")), kRangeFilterHighlight);
    f.view.choosePeriod(QStringLiteral("cmdKikan2"), QDate(2024, 5, 10), f.records);
    f.view.chooseWeekday(3, f.records);
    QCOMPARE(f.view.filter().weekday, 3);
    f.view.open(f.records);
    // The "全部" buttons are lit again; the others keep the colour of their last use.
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllDay")), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdKikan2")), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdAllWeek")), kRangeFilterHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdWeek_3")), kRangeFilterHighlight);
    QCOMPARE(f.view.filter().weekday, kAllWeekdays);
    QCOMPARE(f.view.list().rows(), 11);
}

void TestRangeView::chartsFollowTheHighlightedButton() {
    Fixture f;
    f.records = {play("2024/05/04", "09:00:00", "抜かな", 10), play("2024/05/05", "09:01:00", "抜数字", 20.5f),
                 play("2024/05/06", "09:02:00", "座標", 30)};
    f.view.open(f.records);
    QCOMPARE(f.view.chart(), RangeChart::Day);
    QVERIFY(f.view.recordChart().isVisible());
    QVERIFY(!f.view.groupChart().isVisible());
    QCOMPARE(f.view.recordChart().rowCount(), 3);
    QCOMPARE(f.view.recordChart().columnValues(1), (QList<double>{10, 20.5, 30}));
    QCOMPARE(f.view.recordChart().rowLabel(2), QString());

    f.view.showGameChart();
    QVERIFY(!f.view.recordChart().isVisible());
    QVERIFY(f.view.groupChart().isVisible());
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdTotal3")), kRangeChartHighlight);
    QCOMPARE(f.view.buttonColor(QStringLiteral("cmdDay3")), kButtonFace);
    QCOMPARE(f.view.groupChart().rowCount(), kGameCount);
    QCOMPARE(f.view.groupChart().value(2), 20.0);

    // A filter refresh redraws the chart of the lit button, and the choice survives reopening.
    f.view.choosePeriod(QStringLiteral("cmdKikan1"), QDate(2024, 5, 6), f.records);
    QCOMPARE(f.view.groupChart().columnValues(1), (QList<double>{0, 20, 0, 0, 0, 0, 30}));
    QCOMPARE(f.view.groupChart().title(), QStringLiteral("項目別の合計時間　全項目　2024/05/05～2024/05/06"));
    f.view.open(f.records);
    QCOMPARE(f.view.chart(), RangeChart::Total);
    QVERIFY(f.view.groupChart().isVisible());
    QCOMPARE(f.view.groupChart().value(1), 10.0);

    f.view.showPlaysChart();
    f.view.filter().key = QStringLiteral("座標");
    f.view.chooseWeekday(1, f.records);
    QCOMPARE(f.view.recordChart().columnValues(1), QList<double>{30});
    // The title names the plays the filter chose; the plays are dated, for a long list drawn in periods.
    QCOMPARE(f.view.recordChart().title(), QStringLiteral("プレイごとの秒数　「座標」・月曜　2024/05/04～2024/05/06"));
    QCOMPARE(f.view.recordChart().rowDate(1), QDate(2024, 5, 6));
    f.view.filter().key = QStringLiteral("無い");
    f.view.applyKey(f.records);
    QCOMPARE(f.view.recordChart().rowCount(), 1);
    QCOMPARE(f.view.recordChart().value(1), 0.0);
}

void TestRangeView::hourChartSumsPerHour() {
    Fixture f;
    f.records = {play("2024/05/04", "09:00:00", "抜かな", 10.5f), play("2024/05/04", "09:59:59", "抜かな", 10.5f),
                 play("2024/05/04", "00:10:00", "座標", 20000),   play("2024/05/04", "00:20:00", "座標", 20000),
                 play("2024/05/04", "23:10:00", "座標", 5),       play("2024/05/04", "24:00:00", "座標", 7),
                 play("2024/05/04", "7:30:00", "座標", 3)};
    f.view.open(f.records);
    f.view.showHourChart();
    const ChartData &c = f.view.groupChart();
    QVERIFY(c.isVisible());
    QCOMPARE(c.rowCount(), 24);
    QCOMPARE(c.rowLabel(1), QStringLiteral(" 0"));
    QCOMPARE(c.rowLabel(10), QStringLiteral(" 9"));
    QCOMPARE(c.rowLabel(24), QStringLiteral(" 23"));
    QCOMPARE(c.value(10), 20.0);   // 10.5 rounds to 10, then 20.5 to 20: halves to even at each addition
    QCOMPARE(c.value(1), 40000.0); // past 32767 without failing
    QCOMPARE(c.value(24), 5.0);
    QCOMPARE(c.value(8), 3.0);
    double sum = 0;
    for (double v : c.columnValues(1))
        sum += v;
    QCOMPARE(sum, 40028.0); // the play at "24:…" is not charted
}

void TestRangeView::gameChartLabelsShortenForLongLists() {
    QStringList many;
    for (int i = 0; i < 17; ++i)
        many.append(QStringLiteral("ゲーム%1").arg(i));
    for (int n : {16, 17}) {
        RangeView view(many.mid(0, n));
        view.open({});
        view.showGameChart();
        QCOMPARE(view.groupChart().rowCount(), n);
        QCOMPARE(view.groupChart().rowLabel(1),
                 n + 1 > kRangeLongGameList ? QStringLiteral("ゲ") : QStringLiteral("ゲー"));
    }
}

QTEST_GUILESS_MAIN(TestRangeView)
#include "tst_range_view.moc"
