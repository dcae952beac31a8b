#include "core/base/day_time.h"
#include "core/views/calendar.h"

#include <QTest>

using namespace mirute;

namespace {

// The day the calendar is opened on: after every play of these logs.
const QDate kToday(2026, 12, 8);

PlayLogData logOf(const QList<QPair<QString, float>> &plays) {
    PlayLogData log;
    log.exists = true;
    for (const auto &[date, seconds] : plays)
        log.records.append(PlayRecord{date, QStringLiteral("10:00:00"), QStringLiteral("抜かな"), seconds, QString()});
    return log;
}

// n plays of 10 seconds on each date.
PlayLogData playsOn(const QList<QPair<QString, int>> &days) {
    QList<QPair<QString, float>> plays;
    for (const auto &[date, n] : days)
        for (int i = 0; i < n; ++i)
            plays.append({date, 10.0f});
    return logOf(plays);
}

QStringList legend(const Calendar &c) {
    QStringList texts;
    for (int i = 0; i < Calendar::kLegendCount; ++i)
        texts.append(c.legendText(i));
    return texts;
}

QList<double> values(const ChartData &c) {
    return c.columnValues(1);
}

// Non-empty cells of a grid's data rows.
int filledCells(const Grid &g) {
    int n = 0;
    for (int r = 1; r < g.rows(); ++r)
        for (int c = 1; c < g.cols(); ++c)
            n += g.textMatrix(r, c).isEmpty() ? 0 : 1;
    return n;
}

const QStringList kWeekdays{"日", "月", "火", "水", "木", "金", "土"};

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT
private slots:
    void gridLayout();
    void colourClasses_data();
    void colourClasses();
    void monthRowsAndLegend_data();
    void monthRowsAndLegend();
    void monthRowsAcrossYearEnd();
    void weekGridStart_data();
    void weekGridStart();
    void weekdayCharts();
    void emptyLog();
    void refillForgetsOldLog();
    void outOfOrderLog();
    void tooltips();
    void scrollsToLastRow_data();
    void scrollsToLastRow();
    void largeLog();
};

void TestCalendar::gridLayout() {
    Calendar c;
    c.fill(playsOn({{"2024/03/01", 1}}), kToday);
    const Grid &m = c.monthGrid();
    QCOMPARE(m.cols(), 32);
    QCOMPARE(m.textMatrix(0, 0), QStringLiteral("年月"));
    QCOMPARE(m.colWidth(0), 1290);
    QCOMPARE(m.colAlignment(0), int(Grid::Center));
    QCOMPARE(m.fixedAlignment(0), int(Grid::Center));
    for (int d = 1; d <= 31; ++d) {
        QCOMPARE(m.textMatrix(0, d), QString::number(d));
        QCOMPARE(m.colWidth(d), 310);
    }
    const Grid &w = c.weekGrid();
    QCOMPARE(w.fontSize(), 9);
    QCOMPARE(w.cols(), 8);
    QCOMPARE(w.textMatrix(0, 0), QStringLiteral("年月日"));
    QCOMPARE(w.colWidth(0), 1310);
    QCOMPARE(w.colAlignment(0), int(Grid::Center));
    for (int d = 1; d <= 7; ++d) {
        QCOMPARE(w.textMatrix(0, d), kWeekdays[d - 1]);
        QCOMPARE(w.colWidth(d), 320);
        QCOMPARE(w.fixedAlignment(d), int(Grid::Center));
    }
}

void TestCalendar::colourClasses_data() {
    QTest::addColumn<int>("plays");
    QTest::addColumn<int>("colourClass");
    QTest::addColumn<Rgb>("colour");
    QTest::newRow("1") << 1 << 1 << Rgb{255, 192, 192};
    QTest::newRow("2") << 2 << 1 << Rgb{255, 192, 192};
    QTest::newRow("3") << 3 << 2 << Rgb{255, 224, 192};
    QTest::newRow("4") << 4 << 2 << Rgb{255, 224, 192};
    QTest::newRow("5") << 5 << 3 << Rgb{255, 255, 192};
    QTest::newRow("6") << 6 << 3 << Rgb{255, 255, 192};
    QTest::newRow("7") << 7 << 4 << Rgb{192, 255, 192};
    QTest::newRow("8") << 8 << 4 << Rgb{192, 255, 192};
    QTest::newRow("9") << 9 << 5 << Rgb{192, 255, 255};
    QTest::newRow("10") << 10 << 5 << Rgb{192, 255, 255};
    QTest::newRow("11") << 11 << 6 << Rgb{192, 192, 255};
    QTest::newRow("40") << 40 << 6 << Rgb{192, 192, 255};
}

void TestCalendar::colourClasses() {
    QFETCH(int, plays);
    QFETCH(int, colourClass);
    QFETCH(Rgb, colour);
    QCOMPARE(Calendar::colourClass(plays), colourClass);
    QCOMPARE(Calendar::classColor(colourClass), colour);

    // 2024/03/06 is a Wednesday: week row 1, column 4.
    Calendar c;
    c.fill(playsOn({{"2024/03/06", plays}}), kToday);
    const Grid &m = c.monthGrid();
    QCOMPARE(m.textMatrix(1, 6), QString::number(plays));
    QVERIFY(m.hasCellBackColor(1, 6));
    QCOMPARE(m.cellBackColor(1, 6), colour);
    QVERIFY(!m.hasCellBackColor(1, 5));
    QVERIFY(m.textMatrix(1, 5).isEmpty());
    const Grid &w = c.weekGrid();
    QCOMPARE(w.textMatrix(1, 4), QString::number(plays));
    QCOMPARE(w.cellBackColor(1, 4), colour);
    QVERIFY(!w.hasCellBackColor(1, 3));

    QStringList expected = Calendar::designLegend();
    expected[colourClass] = colourClass == 6
                                ? QStringLiteral("10超：1日")
                                : QStringLiteral("%1-%2回：1日").arg(2 * colourClass - 1).arg(2 * colourClass);
    QCOMPARE(legend(c), expected);
}

void TestCalendar::monthRowsAndLegend_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("spanDays");
    QTest::newRow("common year, 53 days") << "2023" << 53;
    QTest::newRow("leap year, 54 days") << "2024" << 54;
}

void TestCalendar::monthRowsAndLegend() {
    QFETCH(QString, year);
    QFETCH(int, spanDays);
    Calendar c;
    const QString notice = c.fill(playsOn({{year + "/01/10", 1},
                                           {year + "/01/11", 2},
                                           {year + "/02/15", 3},
                                           {year + "/02/28", 11},
                                           {year + "/03/03", 5}}),
                                  kToday);
    QVERIFY(notice.isEmpty());
    const Grid &m = c.monthGrid();
    QCOMPARE(m.rows(), 4);
    QCOMPARE(m.textMatrix(1, 0), year + "年01月");
    QCOMPARE(m.textMatrix(2, 0), year + "年02月");
    QCOMPARE(m.textMatrix(3, 0), year + "年03月");
    QCOMPARE(m.textMatrix(1, 10), QStringLiteral("1"));
    QCOMPARE(m.textMatrix(1, 11), QStringLiteral("2"));
    QCOMPARE(m.textMatrix(2, 15), QStringLiteral("3"));
    QCOMPARE(m.textMatrix(2, 28), QStringLiteral("11"));
    QCOMPARE(m.textMatrix(3, 3), QStringLiteral("5"));
    QCOMPARE(filledCells(m), 5);
    QCOMPARE(legend(c), (QStringList{QStringLiteral("0回：%1日").arg(spanDays - 5), "1-2回：2日", "3-4回：1日",
                                     "5-6回：1日", "7-8回：0日", "9-10回：0日", "10超：1日"}));
}

void TestCalendar::monthRowsAcrossYearEnd() {
    Calendar c;
    c.fill(playsOn({{"2023/11/30", 1}, {"2024/02/29", 2}}), kToday);
    const Grid &m = c.monthGrid();
    QCOMPARE(m.rows(), 5);
    QCOMPARE(m.textMatrix(2, 0), QStringLiteral("2023年12月"));
    QCOMPARE(m.textMatrix(3, 0), QStringLiteral("2024年01月"));
    QCOMPARE(m.textMatrix(4, 29), QStringLiteral("2"));
    // 30 Nov to 29 Feb: 1 + 31 + 31 + 29 days, two of them played.
    QCOMPARE(c.legendText(0), QStringLiteral("0回：90日"));
}

void TestCalendar::weekGridStart_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("firstCol");
    // 2024/01/10 is a Wednesday, 2024/01/14 a Sunday, 2024/01/13 a Saturday.
    QTest::newRow("Wednesday") << "2024/01/10"
                               << "2024/01/21" << QDate(2024, 1, 7)
                               << QStringList{"24年01月07日", "24年01月14日", "24年01月21日"} << 1 << 4;
    QTest::newRow("Sunday") << "2024/01/14"
                            << "2024/01/20" << QDate(2024, 1, 7) << QStringList{"24年01月07日", "24年01月14日"} << 2
                            << 1;
    QTest::newRow("Saturday") << "2024/01/13"
                              << "2024/01/13" << QDate(2024, 1, 7) << QStringList{"24年01月07日"} << 1 << 7;
    QTest::newRow("year end") << "2025/12/31"
                              << "2026/01/04" << QDate(2025, 12, 28) << QStringList{"25年12月28日", "26年01月04日"} << 1
                              << 4;
}

void TestCalendar::weekGridStart() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QDate, start);
    QFETCH(QStringList, labels);
    QFETCH(int, firstRow);
    QFETCH(int, firstCol);
    Calendar c;
    c.fill(playsOn({{first, 1}, {last, 2}}), kToday);
    QCOMPARE(c.weekStart(), start);
    QCOMPARE(c.weekStart().dayOfWeek(), 7);
    const Grid &w = c.weekGrid();
    QCOMPARE(w.rows(), labels.size() + 1);
    for (int r = 1; r <= labels.size(); ++r)
        QCOMPARE(w.textMatrix(r, 0), labels[r - 1]);
    QCOMPARE(w.textMatrix(firstRow, firstCol), first == last ? QStringLiteral("3") : QStringLiteral("1"));
    if (firstRow == 2) {
        // A first play on a Sunday leaves the first week empty.
        for (int col = 1; col <= 7; ++col)
            QVERIFY(w.textMatrix(1, col).isEmpty());
    }
    const QDate lastDate = parseDateText(last);
    QCOMPARE(w.textMatrix(w.rows() - 1, weekdayIndex(lastDate) + 1), first == last ? "3" : "2");
}

void TestCalendar::weekdayCharts() {
    Calendar c;
    // Sunday 3 March 2024 twice (2.5 rounds to 2, then 5.5 to 6), Wednesday 6 March once.
    c.fill(logOf({{"2024/03/03", 2.5f}, {"2024/03/06", 100.25f}, {"2024/03/03", 3.5f}}), kToday);
    for (const ChartData *chart : {&c.playsByWeekdayChart(), &c.secondsByWeekdayChart()}) {
        QCOMPARE(chart->rowCount(), 7);
        for (int i = 1; i <= 7; ++i)
            QCOMPARE(chart->rowLabel(i), kWeekdays[i - 1]);
    }
    QCOMPARE(values(c.playsByWeekdayChart()), (QList<double>{2, 0, 0, 1, 0, 0, 0}));
    QCOMPARE(values(c.secondsByWeekdayChart()), (QList<double>{6, 0, 0, 100, 0, 0, 0}));
    QCOMPARE(c.secondsByWeekdayChart().title(), QStringLiteral("曜日別の合計時間　全項目　2024/03/03～2024/03/06"));
    QCOMPARE(c.secondsByWeekdayChart().valueKind(), ChartValueKind::Duration);
}

void TestCalendar::emptyLog() {
    Calendar c;
    QVERIFY(c.fill(PlayLogData(), kToday).isEmpty());
    QCOMPARE(c.monthGrid().rows(), 1);
    QCOMPARE(c.weekGrid().rows(), 1);
    QCOMPARE(c.monthGrid().textMatrix(0, 0), QStringLiteral("年月"));
    QCOMPARE(values(c.playsByWeekdayChart()), QList<double>(7, 0));
    QCOMPARE(values(c.secondsByWeekdayChart()), QList<double>(7, 0));
    QCOMPARE(c.playsByWeekdayChart().rowLabel(1), QStringLiteral("日"));
    QCOMPARE(legend(c), (QStringList{"0回：0日", "1-2回：0日", "3-4回：0日", "5-6回：0日", "7-8回：0日", "9-10回：0日",
                                     "10超：0日"}));
    QCOMPARE(c.monthTooltip(1, 1), QString());
    QCOMPARE(c.weekTooltip(1, 1), QString());
}

void TestCalendar::refillForgetsOldLog() {
    Calendar c;
    c.fill(playsOn({{"2024/03/01", 4}, {"2024/05/01", 1}}), kToday);
    QCOMPARE(c.monthGrid().rows(), 4);
    c.fill(playsOn({{"2024/06/02", 1}}), kToday);
    QCOMPARE(c.monthGrid().rows(), 2);
    QCOMPARE(c.monthGrid().textMatrix(1, 0), QStringLiteral("2024年06月"));
    QCOMPARE(filledCells(c.monthGrid()), 1);
    QVERIFY(!c.monthGrid().hasCellBackColor(1, 1));
    QCOMPARE(values(c.playsByWeekdayChart()), (QList<double>{1, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(c.legendText(2), QStringLiteral("3-4回：0日"));
    c.fill(PlayLogData(), kToday);
    QCOMPARE(legend(c), Calendar::designLegend());
    QCOMPARE(values(c.playsByWeekdayChart()), QList<double>(7, 0));
}

void TestCalendar::outOfOrderLog() {
    Calendar c;
    // 10 March and 25 February were saved out of order, 9999/12/31 under a clock set years ahead. The span
    // runs from the earliest play, 25 February, to the latest one up to today, 20 March.
    const QString notice = c.fill(playsOn({{"2024/03/01", 1},
                                           {"2024/03/15", 2},
                                           {"2024/03/10", 1},
                                           {"2024/02/25", 3},
                                           {"2024/99/99", 1},
                                           {"9999/12/31", 2},
                                           {"2024/03/20", 1}}),
                                  kToday);
    const Grid &m = c.monthGrid();
    QCOMPARE(m.rows(), 3);
    QCOMPARE(m.rowTexts(0).first(), QStringLiteral("年月"));
    QCOMPARE(m.textMatrix(1, 0), QStringLiteral("2024年02月"));
    QCOMPARE(m.textMatrix(1, 25), QStringLiteral("3"));
    QCOMPARE(m.textMatrix(2, 10), QStringLiteral("1"));
    QCOMPARE(filledCells(m), 5);
    QCOMPARE(filledCells(c.weekGrid()), 5);
    QCOMPARE(c.weekGrid().textMatrix(0, 1), QStringLiteral("日"));
    QCOMPARE(legend(c), (QStringList{"0回：20日", "1-2回：4日", "3-4回：1日", "5-6回：0日", "7-8回：0日", "9-10回：0日",
                                     "10超：0日"}));
    // The unreadable date and the two plays dated after today are told.
    QVERIFY2(notice.contains(QStringLiteral(" 3 件")), qPrintable(notice));
    // The weekday charts take every play whose date can be read: Sundays 25 February (3) and 10 March (1);
    // Fridays 1 and 15 March (3) and the two of 9999/12/31.
    QCOMPARE(values(c.playsByWeekdayChart())[0], 4.0);
    QCOMPARE(values(c.playsByWeekdayChart())[5], 5.0);
    double total = 0;
    for (double v : values(c.playsByWeekdayChart()))
        total += v;
    QCOMPARE(total, 10.0);
}

void TestCalendar::tooltips() {
    Calendar c;
    c.fill(logOf({{"2024/02/10", 100}, {"2024/02/10", 125}, {"2024/03/02", 3725}}), kToday);
    // Month grid: row 1 is February 2024.
    QCOMPARE(c.monthCellDate(1, 10), QDate(2024, 2, 10));
    QCOMPARE(c.monthTooltip(1, 10), QStringLiteral("2024/02/10(土) 2回 0:03:45"));
    QCOMPARE(c.monthTooltip(1, 11), QStringLiteral("2024/02/11(日) 0回 0:00:00"));
    QCOMPARE(c.monthTooltip(1, 29), QStringLiteral("2024/02/29(木) 0回 0:00:00"));
    QCOMPARE(c.monthTooltip(1, 30), QString()); // no 30 February
    QCOMPARE(c.monthTooltip(1, 9), QString());  // before the first play
    QCOMPARE(c.monthTooltip(2, 2), QStringLiteral("2024/03/02(土) 1回 1:02:05"));
    QCOMPARE(c.monthTooltip(2, 3), QString()); // after the last play
    QCOMPARE(c.monthTooltip(0, 10), QString());
    QCOMPARE(c.monthTooltip(1, 0), QString());
    QCOMPARE(c.monthTooltip(3, 1), QString());
    // Week grid: weeks from Sunday 4 February; 10 February is the Saturday of row 1.
    QCOMPARE(c.weekCellDate(1, 7), QDate(2024, 2, 10));
    QCOMPARE(c.weekTooltip(1, 7), QStringLiteral("2024/02/10(土) 2回 0:03:45"));
    QCOMPARE(c.weekTooltip(1, 6), QString());
    QCOMPARE(c.weekTooltip(4, 7), QStringLiteral("2024/03/02(土) 1回 1:02:05"));
    QCOMPARE(c.weekTooltip(4, 8), QString());
    QCOMPARE(c.weekTooltip(0, 7), QString());
}

void TestCalendar::scrollsToLastRow_data() {
    QTest::addColumn<QDate>("last");
    QTest::addColumn<int>("monthTop");
    QTest::addColumn<int>("weekTop");
    // From Monday 1 January 2024 the week grid starts on Sunday 31 December 2023.
    const QDate weekStart(2023, 12, 31);
    QTest::newRow("15 weeks, 16 rows") << weekStart.addDays(7 * 14 + 6) << 1 << 1;
    QTest::newRow("16 weeks, 17 rows") << weekStart.addDays(7 * 15) << 1 << 16;
    QTest::newRow("12 months, 13 rows") << QDate(2024, 12, 31) << 1 << 53;
    QTest::newRow("13 months, 14 rows") << QDate(2025, 1, 1) << 13 << 53;
}

void TestCalendar::scrollsToLastRow() {
    QFETCH(QDate, last);
    QFETCH(int, monthTop);
    QFETCH(int, weekTop);
    Calendar c;
    c.fill(playsOn({{"2024/01/01", 1}, {dateText(last), 1}}), kToday);
    QCOMPARE(c.monthGrid().topRow(), monthTop);
    QCOMPARE(c.weekGrid().topRow(), weekTop);
    if (weekTop > 1)
        QCOMPARE(c.weekGrid().rows(), weekTop + 1);
}

void TestCalendar::largeLog() {
    // 32,766 plays, three a day on most days, every fourth day skipped.
    QList<QPair<QString, float>> plays;
    const QDate first(1980, 1, 1);
    for (int i = 0; plays.size() < 32766; ++i) {
        if (i % 4 == 3)
            continue;
        for (int k = 0; k < 3 && plays.size() < 32766; ++k)
            plays.append({dateText(first.addDays(i)), 10.0f});
    }
    Calendar c;
    QVERIFY(c.fill(logOf(plays), kToday).isEmpty());
    const QDate last = parseDateText(plays.last().first);
    const qint64 spanDays = first.daysTo(last) + 1;
    QCOMPARE(c.monthGrid().rows(), (last.year() - 1980) * 12 + last.month() + 1);
    QCOMPARE(c.weekGrid().rows(), int(c.weekStart().daysTo(last) / 7) + 2);
    QCOMPARE(c.weekGrid().topRow(), c.weekGrid().rows() - 1);
    // Every day of the span is in exactly one legend class.
    qint64 days = 0;
    for (int i = 0; i < Calendar::kLegendCount; ++i)
        days += QStringView(c.legendText(i)).mid(c.legendText(i).indexOf(u'：') + 1).chopped(1).toLongLong();
    QCOMPARE(days, spanDays);
    double total = 0;
    for (double v : values(c.playsByWeekdayChart()))
        total += v;
    QCOMPARE(total, 32766.0);
    QCOMPARE(filledCells(c.monthGrid()), filledCells(c.weekGrid()));
}

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
