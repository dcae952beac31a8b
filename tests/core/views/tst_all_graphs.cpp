#include "core/base/day_time.h"
#include "core/views/all_graphs.h"

#include <QElapsedTimer>
#include <QTest>

using namespace mirute;

namespace {

struct Play {
    QString date;
    QString time;
    QString game;
    float seconds;
};

PlayLogData logOf(const QList<Play> &plays) {
    PlayLogData log;
    log.exists = true;
    for (const Play &p : plays)
        log.records.append(PlayRecord{p.date, p.time, p.game, p.seconds, QString()});
    return log;
}

// The day the views are opened on: after every play of these logs.
const QDate kToday(2026, 12, 8);
const QString kKana = QStringLiteral("抜かな");
const QString kLamp = QStringLiteral("ランプ");
const QString kOrder = QStringLiteral("順番クリック");

Play play(const QString &date, float seconds, const QString &game = kKana, const QString &time = "10:00:00") {
    return Play{date, time, game, seconds};
}

QStringList dataRow(const Grid &g, int row) {
    return g.rowTexts(row);
}

QList<double> chartValues(const ChartData &c) {
    return c.columnValues(1);
}

QStringList chartLabels(const ChartData &c) {
    QStringList labels;
    for (int r = 1; r <= c.rowCount(); ++r)
        labels.append(c.rowLabel(r));
    return labels;
}

} // namespace

class TestAllGraphs : public QObject {
    Q_OBJECT
private slots:
    void gridLayout_data();
    void gridLayout();
    void oneRecord();
    void daysWithoutPlaysListed();
    void consecutiveCalendarDays_data();
    void consecutiveCalendarDays();
    void roundingAtEachAddition();
    void gameRowsInGameOrder();
    void durationText_data();
    void durationText();
    void totalsBeyond32Bit();
    void recordLabelLength_data();
    void recordLabelLength();
    void chartButtons_data();
    void chartButtons();
    void hourChart();
    void dayCharts();
    void currentChartRedrawnOnRefill_data();
    void currentChartRedrawnOnRefill();
    void emptyLog();
    void emptyLogAfterFullLog();
    void outOfOrderLog();
    void lastBeforeFirst();
    void unreadableDate();
    void spanLimitedToLatestDays();
    void scrollsToLastRow_data();
    void scrollsToLastRow();
    void largeLog();
};

void TestAllGraphs::gridLayout_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<int>>("aligns");
    QTest::newRow("msgDayList2") << "msgDayList2" << 10 << QStringList{"", "日付", "時間", "項目", "秒"}
                                 << QList<int>{600, 1260, 960, 1860, 800} << QList<int>{7, 4, 4, 1, 7};
    QTest::newRow("msgDayTotal2") << "msgDayTotal2" << 10
                                  << QStringList{"", "項目", "回数", "秒", "時間", "最大", "平均"}
                                  << QList<int>{400, 1320, 600, 650, 910, 600, 670} << QList<int>{7, 1, 7, 7, 7, 7, 7};
    QTest::newRow("msgDayList3") << "msgDayList3" << 11 << QStringList{"", "日付", "回数", "秒", "最大", "平均"}
                                 << QList<int>{700, 1400, 810, 860, 860, 860} << QList<int>{7, 4, 7, 7, 7, 7};
}

void TestAllGraphs::gridLayout() {
    QFETCH(QString, grid);
    QFETCH(int, fontSize);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, aligns);
    AllGraphs g;
    // Filled once, then refilled: the layout must be the same both times.
    g.rebuild(logOf({play("2024/03/01", 10)}), kToday);
    for (int pass = 0; pass < 2; ++pass) {
        const Grid &shown = grid == "msgDayList2"    ? g.playsGrid()
                            : grid == "msgDayTotal2" ? g.gameTotalsGrid()
                                                     : g.dayTotalsGrid();
        QCOMPARE(shown.fontSize(), fontSize);
        QCOMPARE(shown.cols(), headers.size());
        QCOMPARE(shown.rowTexts(0), headers);
        for (int c = 0; c < headers.size(); ++c) {
            QCOMPARE(shown.colWidth(c), widths[c]);
            QCOMPARE(shown.colAlignment(c), aligns[c]);
            QCOMPARE(shown.fixedAlignment(c), int(Grid::Center));
        }
        g.resetGrids();
        QCOMPARE(shown.rows(), 1);
    }
}

void TestAllGraphs::oneRecord() {
    AllGraphs g;
    const QString notice = g.rebuild(logOf({play("2024/03/01", 12.34f, kKana, "09:15:30")}), kToday);
    QVERIFY(notice.isEmpty());
    QCOMPARE(g.playsGrid().rows(), 2);
    QCOMPARE(dataRow(g.playsGrid(), 1), (QStringList{"1", "2024/03/01", "09:15:30", kKana, "12.34"}));
    QCOMPARE(g.gameTotalsGrid().rows(), 2);
    QCOMPARE(dataRow(g.gameTotalsGrid(), 1), (QStringList{"1", kKana, "1", "12", "0:00:12", "12", "12.0"}));
    QCOMPARE(g.dayTotalsGrid().rows(), 2);
    QCOMPARE(dataRow(g.dayTotalsGrid(), 1), (QStringList{"1", "2024/03/01", "1", "12", "12", "12.0"}));
    // The record chart is current when the panel first opens.
    QCOMPARE(g.currentChart(), AllGraphsChart::Records);
    QCOMPARE(g.timelineChart().rowCount(), 1);
    QCOMPARE(g.timelineChart().value(1), 12.34);
    QCOMPARE(g.timelineChart().rowLabel(1), QStringLiteral("抜か"));
}

void TestAllGraphs::daysWithoutPlaysListed() {
    AllGraphs g;
    g.rebuild(logOf({play("2024/03/01", 20), play("2024/03/01", 31), play("2024/03/03", 7.5f)}), kToday);
    QCOMPARE(g.dayTotalsGrid().rows(), 4);
    QCOMPARE(dataRow(g.dayTotalsGrid(), 1), (QStringList{"1", "2024/03/01", "2", "51", "31", "25.5"}));
    QCOMPARE(dataRow(g.dayTotalsGrid(), 2), (QStringList{"2", "2024/03/02", "0", "0", "0", "0.0"}));
    QCOMPARE(dataRow(g.dayTotalsGrid(), 3), (QStringList{"3", "2024/03/03", "1", "8", "8", "8.0"}));
}

void TestAllGraphs::consecutiveCalendarDays_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("year end") << "2023/12/30"
                              << "2024/01/02" << QStringList{"2023/12/30", "2023/12/31", "2024/01/01", "2024/01/02"};
    QTest::newRow("leap year") << "2024/02/28"
                               << "2024/03/01" << QStringList{"2024/02/28", "2024/02/29", "2024/03/01"};
    QTest::newRow("common year") << "2023/02/28"
                                 << "2023/03/01" << QStringList{"2023/02/28", "2023/03/01"};
    QTest::newRow("one day") << "2024/02/29"
                             << "2024/02/29" << QStringList{"2024/02/29"};
}

void TestAllGraphs::consecutiveCalendarDays() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, dates);
    AllGraphs g;
    g.rebuild(logOf({play(first, 10), play(last, 20)}), kToday);
    QCOMPARE(g.dayTotalsGrid().rows(), dates.size() + 1);
    for (int d = 1; d <= dates.size(); ++d) {
        QCOMPARE(g.dayTotalsGrid().textMatrix(d, 0), QString::number(d));
        QCOMPARE(g.dayTotalsGrid().textMatrix(d, 1), dates[d - 1]);
    }
    const int lastRow = int(dates.size());
    QCOMPARE(g.dayTotalsGrid().textMatrix(lastRow, 3), first == last ? QStringLiteral("30") : QStringLiteral("20"));
}

void TestAllGraphs::roundingAtEachAddition() {
    AllGraphs g;
    // 0 + 2.5 rounds to 2 (half to even), then 2 + 3.5 = 5.5 rounds to 6; the largest 3.5 rounds to 4.
    g.rebuild(logOf({play("2024/03/01", 2.5f), play("2024/03/01", 3.5f)}), kToday);
    QCOMPARE(dataRow(g.gameTotalsGrid(), 1), (QStringList{"1", kKana, "2", "6", "0:00:06", "4", "3.0"}));
    QCOMPARE(dataRow(g.dayTotalsGrid(), 1), (QStringList{"1", "2024/03/01", "2", "6", "4", "3.0"}));

    // A single 2.5 stays at 2 both as a total and as a largest.
    g.rebuild(logOf({play("2024/03/01", 2.5f, kLamp)}), kToday);
    QCOMPARE(dataRow(g.gameTotalsGrid(), 1), (QStringList{"1", kLamp, "1", "2", "0:00:02", "2", "2.0"}));
}

void TestAllGraphs::gameRowsInGameOrder() {
    AllGraphs g;
    g.rebuild(logOf({play("2024/03/01", 30, kOrder), play("2024/03/01", 20, QStringLiteral("謎のゲーム")),
                     play("2024/03/02", 10, kKana), play("2024/03/02", 40, kOrder)}),
              kToday);
    // Rows follow the game list, not the file; games without plays and unknown names get no row.
    QCOMPARE(g.gameTotalsGrid().rows(), 3);
    QCOMPARE(dataRow(g.gameTotalsGrid(), 1), (QStringList{"1", kKana, "1", "10", "0:00:10", "10", "10.0"}));
    QCOMPARE(dataRow(g.gameTotalsGrid(), 2), (QStringList{"2", kOrder, "2", "70", "0:01:10", "40", "35.0"}));
    // The unknown game is still listed, charted under its own name and counted on its day.
    QCOMPARE(g.playsGrid().textMatrix(2, 3), QStringLiteral("謎のゲーム"));
    QCOMPARE(chartLabels(g.timelineChart()), (QStringList{"順番", "謎の", "抜か", "順番"}));
    QCOMPARE(g.dayTotalsGrid().textMatrix(1, 2), QStringLiteral("2"));
    QCOMPARE(g.dayTotalsGrid().textMatrix(1, 3), QStringLiteral("50"));
    // Names are compared exactly: a look-alike in another width is not the game.
    g.rebuild(logOf({play("2024/03/01", 30, QStringLiteral("ﾗﾝﾌﾟ"))}), kToday);
    QCOMPARE(g.gameTotalsGrid().rows(), 1);
}

void TestAllGraphs::durationText_data() {
    QTest::addColumn<QList<float>>("seconds");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("average");
    QTest::newRow("3725") << QList<float>{3600, 125} << "3725"
                          << "1:02:05"
                          << "1862.5";
    QTest::newRow("59") << QList<float>{59} << "59"
                        << "0:00:59"
                        << "59.0";
    QTest::newRow("one hour") << QList<float>{1800, 1800} << "3600"
                              << "1:00:00"
                              << "1800.0";
    QTest::newRow("a third") << QList<float>{10, 10, 11} << "31"
                             << "0:00:31"
                             << "10.3";
    QTest::newRow("two thirds") << QList<float>{10, 11, 11} << "32"
                                << "0:00:32"
                                << "10.7";
}

void TestAllGraphs::durationText() {
    QFETCH(QList<float>, seconds);
    QFETCH(QString, total);
    QFETCH(QString, duration);
    QFETCH(QString, average);
    QList<Play> plays;
    for (float s : seconds)
        plays.append(play("2024/03/01", s, kLamp));
    AllGraphs g;
    g.rebuild(logOf(plays), kToday);
    QCOMPARE(g.gameTotalsGrid().textMatrix(1, 2), QString::number(seconds.size()));
    QCOMPARE(g.gameTotalsGrid().textMatrix(1, 3), total);
    QCOMPARE(g.gameTotalsGrid().textMatrix(1, 4), duration);
    QCOMPARE(g.gameTotalsGrid().textMatrix(1, 6), average);
}

void TestAllGraphs::totalsBeyond32Bit() {
    // 22,000 plays of 100,000 seconds each: 2.2 billion, past 32-bit totals, on one day and in one game.
    QList<Play> plays(22000, play("2024/03/01", 100000));
    AllGraphs g;
    g.rebuild(logOf(plays), kToday);
    QCOMPARE(dataRow(g.gameTotalsGrid(), 1),
             (QStringList{"1", kKana, "22000", "2200000000", "611111:06:40", "100000", "100000.0"}));
    QCOMPARE(dataRow(g.dayTotalsGrid(), 1),
             (QStringList{"1", "2024/03/01", "22000", "2200000000", "100000", "100000.0"}));
}

void TestAllGraphs::recordLabelLength_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("label");
    QTest::newRow("16 records, 17 rows") << 16 << QStringLiteral("順番");
    QTest::newRow("17 records, 18 rows") << 17 << QStringLiteral("順");
}

void TestAllGraphs::recordLabelLength() {
    QFETCH(int, records);
    QFETCH(QString, label);
    QList<Play> plays;
    for (int i = 0; i < records; ++i)
        plays.append(play("2024/03/01", float(i + 1), kOrder));
    AllGraphs g;
    g.rebuild(logOf(plays), kToday);
    QCOMPARE(g.playsGrid().rows(), records + 1);
    QCOMPARE(g.timelineChart().rowCount(), records);
    for (int i = 1; i <= records; ++i) {
        QCOMPARE(g.timelineChart().rowLabel(i), label);
        QCOMPARE(g.timelineChart().value(i), double(i));
    }
    // The game chart follows the same rule on its own list, which is short.
    g.press(AllGraphsChart::GameTotals);
    QCOMPARE(g.totalsChart().rowLabel(1), QStringLiteral("順番"));
}

void TestAllGraphs::chartButtons_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("chart");
    QTest::addColumn<bool>("onMain2");
    QTest::addColumn<bool>("recordList");
    QTest::addColumn<Rgb>("highlight");
    const Rgb list{255, 224, 192}, day{255, 255, 192};
    const int records = int(AllGraphsChart::Records), dayCounts = int(AllGraphsChart::DayCounts);
    // The game and hour charts leave whichever list was shown; the others choose theirs.
    QTest::newRow("cmdDay2") << dayCounts << records << false << true << list;
    QTest::newRow("cmdTotal2 after days") << dayCounts << int(AllGraphsChart::GameTotals) << true << false << list;
    QTest::newRow("cmdTotal2 after plays") << records << int(AllGraphsChart::GameTotals) << true << true << list;
    QTest::newRow("cmdJikan2 after days") << dayCounts << int(AllGraphsChart::Hours) << true << false << list;
    QTest::newRow("cmdJikan2 after plays") << records << int(AllGraphsChart::Hours) << true << true << list;
    QTest::newRow("cmdHigoto") << records << dayCounts << false << false << day;
    QTest::newRow("cmdHigoto2") << records << int(AllGraphsChart::DaySeconds) << false << false << day;
    QTest::newRow("cmdHigoto3") << records << int(AllGraphsChart::DayAverages) << false << false << day;
}

void TestAllGraphs::chartButtons() {
    QFETCH(int, from);
    QFETCH(int, chart);
    QFETCH(bool, onMain2);
    QFETCH(bool, recordList);
    QFETCH(Rgb, highlight);
    AllGraphs g;
    g.rebuild(logOf({play("2024/03/01", 10), play("2024/03/03", 20, kLamp)}), kToday);
    g.press(AllGraphsChart(from));
    g.press(AllGraphsChart(chart));
    QCOMPARE(allGraphsButton(AllGraphsChart(chart)).highlight, highlight);
    QCOMPARE(g.currentChart(), AllGraphsChart(chart));
    for (int i = 0; i < kAllGraphsChartCount; ++i)
        QCOMPARE(g.buttonColor(AllGraphsChart(i)), i == chart ? highlight : kButtonFace);
    QCOMPARE(g.totalsChart().isVisible(), onMain2);
    QCOMPARE(g.timelineChart().isVisible(), !onMain2);
    QCOMPARE(g.playsListVisible(), recordList);
    QCOMPARE(g.dayTotalsListVisible(), !recordList);
}

void TestAllGraphs::hourChart() {
    AllGraphs g;
    g.rebuild(logOf({play("2024/03/01", 2.5f, kKana, "07:05:00"), play("2024/03/01", 3.5f, kKana, "07:59:59"),
                     play("2024/03/02", 100, kLamp, "23:10:00"), play("2024/03/02", 50, kLamp, "24:00:00"),
                     play("2024/03/02", 9, kLamp, "7:30:00"), play("2024/03/02", 40, kLamp, "--:--:--")}),
              kToday);
    g.press(AllGraphsChart::Hours);
    const ChartData &c = g.totalsChart();
    QCOMPARE(c.rowCount(), 24);
    QList<double> expected(24, 0);
    expected[7] = 15;   // 2.5 → 2, + 3.5 → 6 (half to even at each step), + 9 from "7:30:00"
    expected[23] = 100; // hour 24 and an unreadable time have no bar
    QCOMPARE(chartValues(c), expected);
    QCOMPARE(c.rowLabel(1), QStringLiteral(" 0"));
    QCOMPARE(c.rowLabel(8), QStringLiteral(" 7"));
    QCOMPARE(c.rowLabel(24), QStringLiteral(" 23"));

    // Pressed again, it starts from zero rather than adding to the last press.
    g.press(AllGraphsChart::Hours);
    QCOMPARE(chartValues(g.totalsChart()), expected);
}

void TestAllGraphs::dayCharts() {
    AllGraphs g;
    g.rebuild(logOf({play("2024/03/01", 10), play("2024/03/01", 15), play("2024/03/03", 7.5f)}), kToday);
    g.press(AllGraphsChart::DayCounts);
    QCOMPARE(chartValues(g.timelineChart()), (QList<double>{2, 0, 1}));
    QCOMPARE(chartLabels(g.timelineChart()), (QStringList{"2024/03/01", "2024/03/02", "2024/03/03"}));
    QCOMPARE(g.timelineChart().title(), QStringLiteral("日別のプレイ回数　全項目　2024/03/01～2024/03/03"));
    QCOMPARE(g.timelineChart().rowDate(2), QDate(2024, 3, 2)); // marked at calendar places
    QCOMPARE(g.timelineChart().valueKind(), ChartValueKind::Count);
    g.press(AllGraphsChart::DaySeconds);
    QCOMPARE(chartValues(g.timelineChart()), (QList<double>{25, 0, 8}));
    g.press(AllGraphsChart::DayAverages);
    QCOMPARE(chartValues(g.timelineChart()), (QList<double>{12.5, 0, 8}));
    // Back to the record chart: one bar per play, labelled again.
    g.press(AllGraphsChart::Records);
    QCOMPARE(chartValues(g.timelineChart()), (QList<double>{10, 15, 7.5}));
    QCOMPARE(chartLabels(g.timelineChart()), (QStringList{"抜か", "抜か", "抜か"}));
    // Dated, so that a long log is drawn in days, weeks or months.
    QCOMPARE(g.timelineChart().rowKind(), ChartRowKind::Plays);
    QCOMPARE(g.timelineChart().rowDate(3), QDate(2024, 3, 3));
    QCOMPARE(g.timelineChart().periodTitle(TimeUnit::Week),
             QStringLiteral("週ごとの平均秒数　全項目　2024/03/01～2024/03/03"));
    g.press(AllGraphsChart::GameTotals);
    QCOMPARE(chartValues(g.totalsChart()), (QList<double>{32}));
    QCOMPARE(chartLabels(g.totalsChart()), (QStringList{"抜か"}));
    QCOMPARE(g.totalsChart().title(), QStringLiteral("項目別の合計時間　2024/03/01～2024/03/03"));
    QCOMPARE(g.totalsChart().valueKind(), ChartValueKind::Duration);
}

void TestAllGraphs::currentChartRedrawnOnRefill_data() {
    QTest::addColumn<int>("chart");
    QTest::addColumn<QList<double>>("before");
    QTest::addColumn<QList<double>>("after");
    QTest::newRow("records") << int(AllGraphsChart::Records) << QList<double>{10, 20} << QList<double>{5, 6, 7};
    QTest::newRow("games") << int(AllGraphsChart::GameTotals) << QList<double>{30} << QList<double>{18};
    QTest::newRow("day counts") << int(AllGraphsChart::DayCounts) << QList<double>{1, 1} << QList<double>{2, 0, 0, 1};
    QTest::newRow("day seconds") << int(AllGraphsChart::DaySeconds) << QList<double>{10, 20}
                                 << QList<double>{11, 0, 0, 7};
}

void TestAllGraphs::currentChartRedrawnOnRefill() {
    QFETCH(int, chart);
    QFETCH(QList<double>, before);
    QFETCH(QList<double>, after);
    AllGraphs g;
    g.rebuild(logOf({play("2024/03/01", 10), play("2024/03/02", 20)}), kToday);
    g.press(AllGraphsChart(chart));
    const ChartData &shown = AllGraphsChart(chart) == AllGraphsChart::GameTotals ? g.totalsChart() : g.timelineChart();
    QCOMPARE(chartValues(shown), before);
    // The log changed between two openings: the current chart follows it and stays current.
    g.rebuild(logOf({play("2024/04/01", 5), play("2024/04/01", 6), play("2024/04/04", 7)}), kToday);
    QCOMPARE(g.currentChart(), AllGraphsChart(chart));
    QCOMPARE(chartValues(shown), after);
}

void TestAllGraphs::emptyLog() {
    AllGraphs g;
    QVERIFY(g.rebuild(PlayLogData(), kToday).isEmpty());
    QCOMPARE(g.playsGrid().rows(), 1);
    QCOMPARE(g.gameTotalsGrid().rows(), 1);
    QCOMPARE(g.dayTotalsGrid().rows(), 1);
    QCOMPARE(g.playsGrid().rowTexts(0), (QStringList{"", "日付", "時間", "項目", "秒"}));
    QCOMPARE(g.timelineChart().rowCount(), 0);
    g.press(AllGraphsChart::GameTotals);
    QCOMPARE(g.totalsChart().rowCount(), 0);
    g.press(AllGraphsChart::Hours);
    QCOMPARE(chartValues(g.totalsChart()), QList<double>(24, 0));
    for (AllGraphsChart day : {AllGraphsChart::DayCounts, AllGraphsChart::DaySeconds, AllGraphsChart::DayAverages}) {
        g.press(day);
        QCOMPARE(g.timelineChart().rowCount(), 0);
    }
}

void TestAllGraphs::emptyLogAfterFullLog() {
    AllGraphs g;
    g.rebuild(logOf({play("2024/03/01", 10), play("2024/03/05", 20)}), kToday);
    g.press(AllGraphsChart::DaySeconds);
    QCOMPARE(g.timelineChart().rowCount(), 5);
    // Every record deleted: nothing of the old log is left on show.
    g.rebuild(logOf({}), kToday);
    QCOMPARE(g.dayTotalsGrid().rows(), 1);
    QCOMPARE(g.timelineChart().rowCount(), 0);
}

void TestAllGraphs::outOfOrderLog() {
    AllGraphs g;
    // 20 February was saved under a clock set wrong, after 5 March; 9999/12/31 under one set years ahead.
    const QString notice = g.rebuild(logOf({play("2024/03/01", 10), play("2024/03/05", 20), play("2024/03/03", 30),
                                            play("2024/02/20", 40), play("9999/12/31", 60), play("2024/03/06", 50)}),
                                     kToday);
    // Every record is still listed and counted for its game.
    QCOMPARE(g.playsGrid().rows(), 7);
    QCOMPARE(g.gameTotalsGrid().textMatrix(1, 2), QStringLiteral("6"));
    QCOMPARE(g.gameTotalsGrid().textMatrix(1, 3), QStringLiteral("210"));
    // The days run from the earliest play to the latest one up to today: 20 February is on its own day,
    // and the future date stretches nothing.
    QCOMPARE(g.dayTotalsGrid().rows(), 17);
    QCOMPARE(g.dayTotalsGrid().rowTexts(0), (QStringList{"", "日付", "回数", "秒", "最大", "平均"}));
    QCOMPARE(dataRow(g.dayTotalsGrid(), 1), (QStringList{"1", "2024/02/20", "1", "40", "40", "40.0"}));
    QCOMPARE(dataRow(g.dayTotalsGrid(), 13), (QStringList{"13", "2024/03/03", "1", "30", "30", "30.0"}));
    QCOMPARE(g.dayTotalsGrid().textMatrix(16, 1), QStringLiteral("2024/03/06"));
    qint64 counted = 0;
    for (int d = 1; d < g.dayTotalsGrid().rows(); ++d)
        counted += g.dayTotalsGrid().textMatrix(d, 2).toLongLong();
    QCOMPARE(counted, 5);
    // The one record dated after today is told, with its date.
    QVERIFY2(notice.contains(QStringLiteral(" 1 件")) && notice.contains(QStringLiteral("9999/12/31")),
             qPrintable(notice));
    QVERIFY(notice.contains(QStringLiteral("データ.txt")));
}

void TestAllGraphs::lastBeforeFirst() {
    AllGraphs g;
    const QString notice =
        g.rebuild(logOf({play("2024/03/10", 10), play("2024/03/04", 20), play("2024/03/01", 30)}), kToday);
    QVERIFY(notice.isEmpty());
    QCOMPARE(g.dayTotalsGrid().rows(), 11);
    QCOMPARE(g.dayTotalsGrid().textMatrix(1, 1), QStringLiteral("2024/03/01"));
    QCOMPARE(g.dayTotalsGrid().textMatrix(10, 1), QStringLiteral("2024/03/10"));
    QCOMPARE(g.dayTotalsGrid().textMatrix(4, 3), QStringLiteral("20"));
}

void TestAllGraphs::unreadableDate() {
    AllGraphs g;
    const QString notice = g.rebuild(
        logOf({play("2024/13/45", 5), play("2024/03/01", 10), play("", 6), play("2024/03/02", 20), play("昨日", 7)}),
        kToday);
    QCOMPARE(g.playsGrid().rows(), 6);
    QCOMPARE(g.dayTotalsGrid().rows(), 3);
    QCOMPARE(g.dayTotalsGrid().textMatrix(1, 3), QStringLiteral("10"));
    QCOMPARE(g.dayTotalsGrid().textMatrix(2, 3), QStringLiteral("20"));
    QVERIFY(notice.contains(QStringLiteral(" 3 件")));
}

void TestAllGraphs::spanLimitedToLatestDays() {
    AllGraphs g;
    // A year typed wrongly makes a span of about 124 years; the list keeps the latest 32,766 days.
    const QString notice = g.rebuild(logOf({play("1900/01/01", 5), play("2024/03/01", 10)}), kToday);
    QCOMPARE(g.dayTotalsGrid().rows(), 32767);
    QCOMPARE(g.dayTotalsGrid().textMatrix(32766, 1), QStringLiteral("2024/03/01"));
    QCOMPARE(g.dayTotalsGrid().textMatrix(1, 1), dateText(QDate(2024, 3, 1).addDays(-32765)));
    QVERIFY(notice.contains(QStringLiteral(" 1 件")));
}

void TestAllGraphs::scrollsToLastRow_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("listTop");
    QTest::addColumn<int>("dayTop");
    QTest::newRow("8 plays, 7 days") << 8 << 7 << 1 << 1;
    QTest::newRow("9 plays, 8 days") << 9 << 8 << 9 << 8;
    QTest::newRow("9 plays, 7 days") << 9 << 7 << 9 << 1;
}

void TestAllGraphs::scrollsToLastRow() {
    QFETCH(int, records);
    QFETCH(int, days);
    QFETCH(int, listTop);
    QFETCH(int, dayTop);
    QList<Play> plays;
    for (int i = 0; i < records; ++i)
        plays.append(play(dateText(QDate(2024, 3, 1).addDays(std::min(i, days - 1))), 10));
    AllGraphs g;
    g.rebuild(logOf(plays), kToday);
    QCOMPARE(g.dayTotalsGrid().rows(), days + 1);
    QCOMPARE(g.playsGrid().topRow(), listTop);
    QCOMPARE(g.dayTotalsGrid().topRow(), dayTop);
}

void TestAllGraphs::largeLog() {
    QList<Play> plays;
    plays.reserve(32766);
    for (int i = 0; i < 32766; ++i)
        plays.append(play(dateText(QDate(1990, 1, 1).addDays(i / 3)), float(i % 180) + 0.5f, mirute::gameNames()[i % 7],
                          QStringLiteral("%1:00:00").arg(i % 24, 2, 10, QLatin1Char('0'))));
    const PlayLogData log = logOf(plays);
    AllGraphs g;
    QElapsedTimer timer;
    timer.start();
    g.rebuild(log, kToday);
    g.press(AllGraphsChart::Hours);
    g.press(AllGraphsChart::DayAverages);
    // Generous for a debug build on a busy machine; a fill that went quadratic would take minutes.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(g.playsGrid().rows(), 32767);
    QCOMPARE(g.dayTotalsGrid().rows(), 10923);
    QCOMPARE(g.gameTotalsGrid().rows(), 8);
    QCOMPARE(g.timelineChart().rowCount(), 10922);
}

QTEST_GUILESS_MAIN(TestAllGraphs)
#include "tst_all_graphs.moc"
