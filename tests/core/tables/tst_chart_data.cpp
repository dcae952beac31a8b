#include "core/tables/chart_data.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

using namespace mirute;

class TestChartData : public QObject {
    Q_OBJECT
private slots:
    void resetToSingleZero();
    void setDataParsesNumber_data();
    void setDataParsesNumber();
    void fillFromRows();
    void outOfRangeIgnored_data();
    void outOfRangeIgnored();
    void resizingKeepsValues();
    void axisRange_data();
    void axisRange();
    void valueScale_data();
    void valueScale();
    void playsAsPeriods_data();
    void playsAsPeriods();
    void dateMarks_data();
    void dateMarks();
    void batchEmitsOneChange();
    void visibility();
    void repeatedLabelsStayDistinct();
};

void TestChartData::resetToSingleZero() {
    ChartData d;
    d.setColumnCount(2);
    d.setRowCount(5);
    d.setColumn(2);
    d.setRow(4);
    d.setData("12");
    d.setRowLabel("x");
    d.setRow(1);
    d.setColumn(1);
    d.setData("7");
    d.setColumn(2);
    d.setRow(3);
    QSignalSpy changed(&d, &ChartData::changed);
    d.resetToSingleZero();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(d.columnCount(), 1);
    QCOMPARE(d.column(), 1);
    QCOMPARE(d.rowCount(), 1);
    QCOMPARE(d.row(), 1);
    QCOMPARE(d.value(1), 0.0);
    QCOMPARE(d.rowLabel(1), QString());
    // A reset of a chart that already held its single zero still asks for a redraw.
    d.resetToSingleZero();
    QCOMPARE(changed.count(), 2);
}

void TestChartData::setDataParsesNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("per second") << QStringLiteral("0.42/秒") << 0.42;
    QTest::newRow("decimal zero") << QStringLiteral("80.0") << 80.0;
    QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("zero") << QStringLiteral("0") << 0.0;
    QTest::newRow("seconds") << QStringLiteral("60秒") << 60.0;
    QTest::newRow("percent") << QStringLiteral("87.5%") << 87.5;
    QTest::newRow("empty") << QString() << 0.0;
}

void TestChartData::setDataParsesNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    ChartData d;
    d.setRowCount(2);
    d.setRow(2);
    d.setValue(99); // replaced, even by a text without a number
    d.setData(text);
    QCOMPARE(d.value(2), value);
    QCOMPARE(d.value(1), 0.0);
}

void TestChartData::fillFromRows() {
    ChartData d;
    d.setColumnCount(2);
    d.setRowCount(3);
    const QStringList ok{"10", "12", "9"}, ng{"1", "0", "3"};
    for (int r = 1; r <= 3; ++r) {
        d.setRow(r);
        d.setRowLabel(QString::number(r));
        d.setColumn(1);
        d.setData(ok[r - 1]);
        d.setColumn(2);
        d.setData(ng[r - 1]);
    }
    QCOMPARE(d.columnValues(1), (QList<double>{10, 12, 9}));
    QCOMPARE(d.columnValues(2), (QList<double>{1, 0, 3}));
    QCOMPARE(d.rowLabel(3), QStringLiteral("3"));
    QCOMPARE(d.value(2, 2), 0.0);
}

void TestChartData::outOfRangeIgnored_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("row 0") << 0 << 1;
    QTest::newRow("row after the last") << 4 << 1;
    QTest::newRow("negative row") << -2 << 1;
    QTest::newRow("column 0") << 1 << 0;
    QTest::newRow("column after the last") << 1 << 3;
}

void TestChartData::outOfRangeIgnored() {
    QFETCH(int, row);
    QFETCH(int, column);
    ChartData d;
    d.setColumnCount(2);
    d.setRowCount(3);
    QSignalSpy changed(&d, &ChartData::changed);
    d.setRow(row);
    d.setColumn(column);
    d.setData("5");
    d.setValue(6);
    QCOMPARE(changed.count(), 0);
    for (int c = 1; c <= 2; ++c)
        QCOMPARE(d.columnValues(c), (QList<double>{0, 0, 0}));
    QCOMPARE(d.value(row, column), 0.0);
    // A label belongs to the row alone: only a row outside the chart loses it.
    const bool rowInside = row >= 1 && row <= 3;
    d.setRowLabel("x");
    QCOMPARE(changed.count(), rowInside ? 1 : 0);
    QCOMPARE(d.rowLabel(row), rowInside ? QStringLiteral("x") : QString());
    QCOMPARE(d.distinctRowLabels().size(), 3);
}

void TestChartData::resizingKeepsValues() {
    ChartData d;
    d.setRowCount(2);
    d.setRow(2);
    d.setValue(4);
    d.setRowLabel("b");
    d.setRowCount(4);
    d.setColumnCount(2);
    QCOMPARE(d.columnValues(1), (QList<double>{0, 4, 0, 0}));
    QCOMPARE(d.columnValues(2), (QList<double>{0, 0, 0, 0}));
    QCOMPARE(d.rowLabel(2), QStringLiteral("b"));
    d.setRowCount(1);
    d.setRowCount(2);
    QCOMPARE(d.value(2), 0.0);
    QCOMPARE(d.rowLabel(2), QString());
    d.setRowCount(-3);
    QCOMPARE(d.rowCount(), 0);
    d.setColumnCount(0);
    QCOMPARE(d.columnCount(), 1);
}

void TestChartData::axisRange_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("shownMin");
    QTest::addColumn<double>("shownMax");
    QTest::newRow("as given") << 0.0 << 120.0 << 0.0 << 120.0;
    QTest::newRow("fraction") << 0.0 << 1.5 << 0.0 << 1.5;
    QTest::newRow("reversed") << 50.0 << 10.0 << 10.0 << 50.0;
    QTest::newRow("all-zero chart") << 0.0 << 0.0 << 0.0 << 1.0;
}

void TestChartData::axisRange() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, shownMin);
    QFETCH(double, shownMax);
    ChartData d;
    d.setRowCount(1);
    d.setRow(1);
    d.setValue(500);
    QVERIFY(!d.axisRange());
    d.setAxisRange(min, max);
    QVERIFY(d.axisRange());
    QCOMPARE(*d.axisRange(), std::make_pair(shownMin, shownMax));
    // The axis covers the fixed range and every bar, up to a round step above the highest.
    QCOMPARE(d.displayRange(), std::make_pair(0.0, 600.0));
    d.resetToSingleZero();
    QVERIFY(d.axisRange()); // a reset keeps the window's scale
    d.setAxisAuto();
    QVERIFY(!d.axisRange());
    QCOMPARE(d.displayRange(), std::make_pair(0.0, 1.0));
}

void TestChartData::valueScale_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("fixedTop"); // 0: none
    QTest::addColumn<int>("room");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<QString>("axisTitle");
    const int number = int(ChartValueKind::Number), count = int(ChartValueKind::Count),
              duration = int(ChartValueKind::Duration);
    QTest::newRow("no rows") << QList<double>{} << number << 0.0 << 6 << "0.0 0.2 0.4 0.6 0.8 1.0"
                             << "値（秒）";
    QTest::newRow("no plays counted") << QList<double>{0} << count << 0.0 << 6 << "0 1"
                                      << "値（秒）";
    QTest::newRow("fractions") << QList<double>{0.42, 0.9} << number << 0.0 << 6 << "0.0 0.2 0.4 0.6 0.8 1.0"
                               << "値（秒）";
    QTest::newRow("just above one") << QList<double>{1.2} << number << 0.0 << 6 << "0.0 0.5 1.0 1.5"
                                    << "値（秒）";
    // A 秒数 chart of 10-second plays: the top stands above the bars.
    QTest::newRow("ten-second plays") << QList<double>{10, 10} << number << 0.0 << 6 << "0 5 10 15"
                                      << "値（秒）";
    QTest::newRow("exactly round") << QList<double>{100} << number << 0.0 << 6 << "0 50 100 150"
                                   << "値（秒）";
    QTest::newRow("a short chart") << QList<double>{100} << number << 0.0 << 3 << "0 100 200"
                                   << "値（秒）";
    QTest::newRow("negative") << QList<double>{-3, 7} << number << 0.0 << 6 << "-5 0 5 10"
                              << "値（秒）";
    // The calendar's plays per weekday, once 0 / 36 / 72.
    QTest::newRow("plays") << QList<double>{72, 15} << count << 0.0 << 6 << "0 20 40 60 80"
                           << "値（秒）";
    QTest::newRow("just under a step") << QList<double>{58} << count << 0.0 << 6 << "0 20 40 60 80"
                                       << "値（秒）";
    // The main panel's hours under a day's longest play of 95.2 seconds, once 0 / 47.6 / 95.2.
    QTest::newRow("seconds of a day") << QList<double>{30} << duration << 95.2 << 6 << "0 20 40 60 80 100"
                                      << "値（秒）";
    QTest::newRow("minutes") << QList<double>{1500} << duration << 0.0 << 6 << "0 10 20 30"
                             << "値（分）";
    QTest::newRow("half hours") << QList<double>{7300} << duration << 0.0 << 6 << "0:00 0:30 1:00 1:30 2:00 2:30"
                                << "値（時間）";
    // The calendar's seconds per weekday, once up to 50000.
    QTest::newRow("hours") << QList<double>{50000, 12000} << duration << 0.0 << 6 << "0:00 5:00 10:00 15:00"
                           << "値（時間）";
}

// Round steps, in the unit the values ask for, with room above the highest bar.
void TestChartData::valueScale() {
    QFETCH(QList<double>, values);
    QFETCH(int, kind);
    QFETCH(double, fixedTop);
    QFETCH(int, room);
    QFETCH(QString, labels);
    QFETCH(QString, axisTitle);
    ChartData d;
    d.describe({.valuesTitle = QStringLiteral("値"), .valueUnit = QStringLiteral("秒"), .kind = ChartValueKind(kind)});
    d.setRowCount(int(values.size()));
    for (int r = 1; r <= values.size(); ++r) {
        d.setRow(r);
        d.setValue(values[r - 1]);
    }
    if (fixedTop > 0)
        d.setAxisRange(0, fixedTop);
    const ValueScale scale = d.valueScale(room);
    QStringList shown;
    for (const AxisTick &tick : scale.ticks) {
        QCOMPARE(tick.value, scale.min + shown.size() * scale.step);
        shown.append(tick.label);
    }
    QCOMPARE(shown.join(u' '), labels);
    QCOMPARE(std::make_pair(scale.min, scale.max), std::make_pair(scale.ticks.first().value, scale.ticks.last().value));
    QCOMPARE(d.valueAxisTitle(scale), axisTitle);
    // A rate stays within its 100 %.
    d.setValueLimit(100);
    if (ChartValueKind(kind) == ChartValueKind::Number && values == QList<double>{100})
        QCOMPARE(d.valueScale(room).max, 100.0);
}

void TestChartData::playsAsPeriods_data() {
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<int>("maxBars");
    QTest::addColumn<QString>("title"); // "" while every play has its bar
    QTest::addColumn<QString>("means");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("firstHover");
    // Values 10, 20, 30, 40 and 99, the last play undated. 2024/03/01 is a Friday.
    const QStringList spread{"2024/03/01", "2024/03/02", "2024/03/03", "2024/03/20", "--"};
    QTest::newRow("every play fits") << spread << 5 << ""
                                     << ""
                                     << ""
                                     << "";
    QTest::newRow("days") << QStringList{"2024/03/01", "2024/03/01", "2024/03/01", "2024/03/03", "--"} << 4
                          << "日ごとの平均秒数　全項目"
                          << "20 0 40"
                          << "3 0 1"
                          << "2024/03/01 3回 平均 20.0秒";
    QTest::newRow("weeks from Sunday") << spread << 4 << "週ごとの平均秒数　全項目"
                                       << "15 30 0 40"
                                       << "2 1 0 1"
                                       << "2024/02/25～2024/03/02 2回 平均 15.0秒";
    QTest::newRow("months") << spread << 3 << "月ごとの平均秒数　全項目"
                            << "25"
                            << "4"
                            << "2024/03 4回 平均 25.0秒";
}

// Plays that outnumber the bars are drawn as the smallest period whose number fits, each its plays' mean.
void TestChartData::playsAsPeriods() {
    QFETCH(QStringList, dates);
    QFETCH(int, maxBars);
    QFETCH(QString, title);
    QFETCH(QString, means);
    QFETCH(QString, counts);
    QFETCH(QString, firstHover);
    ChartData d;
    d.describe({.measure = QStringLiteral("プレイごとの秒数"),
                .scope = QStringLiteral("全項目"),
                .valueUnit = QStringLiteral("秒"),
                .rowKind = ChartRowKind::Plays,
                .periodMeasure = QStringLiteral("%1ごとの平均秒数")});
    d.setRowCount(int(dates.size()));
    for (int r = 1; r <= dates.size(); ++r) {
        d.setRow(r);
        d.setValue(r < dates.size() ? 10 * r : 99);
        d.setRowDate(QDate::fromString(dates[r - 1], QStringLiteral("yyyy/MM/dd")));
    }
    const std::optional<TimeUnit> unit = d.periodUnit(maxBars);
    QCOMPARE(unit.has_value(), !title.isEmpty());
    if (!unit)
        return;
    const TimeBars bars = d.periodBars(*unit);
    QStringList shownMeans, shownCounts;
    for (qsizetype i = 0; i < bars.means.size(); ++i) {
        shownMeans.append(QString::number(bars.means[i]));
        shownCounts.append(QString::number(bars.counts[i]));
    }
    QCOMPARE(shownMeans.join(u' '), means);
    QCOMPARE(shownCounts.join(u' '), counts);
    QCOMPARE(d.periodTitle(*unit), title);
    QCOMPARE(d.periodHoverText(bars, 0), firstHover);
    if (*unit == TimeUnit::Week)
        QCOMPARE(d.periodHoverText(bars, 2), QStringLiteral("2024/03/10～2024/03/16 0回"));
}

void TestChartData::dateMarks_data() {
    QTest::addColumn<QDate>("first");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("bars");
    QTest::addColumn<int>("room");
    QTest::addColumn<QString>("labels");
    const int day = int(TimeUnit::Day), week = int(TimeUnit::Week), month = int(TimeUnit::Month);
    const QDate january30(2024, 1, 30); // 70 days run to 2024/04/08
    QTest::newRow("every day") << january30 << day << 5 << 10
                               << "2024/01/30 2024/01/31 2024/02/01 2024/02/02 2024/02/03";
    QTest::newRow("days 1, 6, 11, …") << january30 << day << 70 << 14
                                      << "2024/02/01 2024/02/06 2024/02/11 2024/02/16 2024/02/21 2024/02/26 "
                                         "2024/03/01 2024/03/06 2024/03/11 2024/03/16 2024/03/21 2024/03/26 "
                                         "2024/04/01 2024/04/06";
    QTest::newRow("days 1 and 16") << january30 << day << 70 << 5
                                   << "2024/02/01 2024/02/16 2024/03/01 2024/03/16 2024/04/01";
    QTest::newRow("every other month") << january30 << day << 70 << 2 << "2024/03/01";
    QTest::newRow("too short for a place") << QDate(2024, 1, 12) << day << 3 << 2 << "2024/01/12";
    // 60 weeks from Sunday 2023/12/31: the first Sunday of every other month.
    QTest::newRow("weeks") << QDate(2023, 12, 31) << week << 60 << 12
                           << "2024/01/07 2024/03/03 2024/05/05 2024/07/07 2024/09/01 2024/11/03 2025/01/05";
    QTest::newRow("years of months") << QDate(2020, 1, 1) << month << 60 << 6
                                     << "2020/01 2021/01 2022/01 2023/01 2024/01";
}

// Dates under consecutive days, weeks or months stand at calendar places, as many as there is room for.
void TestChartData::dateMarks() {
    QFETCH(QDate, first);
    QFETCH(int, unit);
    QFETCH(int, bars);
    QFETCH(int, room);
    QFETCH(QString, labels);
    QList<QDate> starts;
    for (int i = 0; i < bars; ++i)
        starts.append(TimeUnit(unit) == TimeUnit::Month
                          ? first.addMonths(i)
                          : first.addDays(i * (TimeUnit(unit) == TimeUnit::Week ? 7 : 1)));
    QStringList shown;
    for (const RowMark &mark : mirute::dateMarks(starts, TimeUnit(unit), room)) {
        QCOMPARE(dateMarkText(starts[mark.index], TimeUnit(unit)), mark.label);
        shown.append(mark.label);
    }
    QCOMPARE(shown.join(u' '), labels);
}

void TestChartData::batchEmitsOneChange() {
    ChartData d;
    QSignalSpy changed(&d, &ChartData::changed);
    d.beginBatch();
    d.setRowCount(1000);
    for (int r = 1; r <= 1000; ++r) {
        d.setRow(r);
        d.setData(QString::number(r));
        d.setRowLabel(QString::number(r));
    }
    QCOMPARE(changed.count(), 0);
    d.endBatch();
    QCOMPARE(changed.count(), 1);
    d.endBatch(); // an unmatched end does nothing
    QCOMPARE(changed.count(), 1);
    d.setRow(5);
    d.setData("1");
    QCOMPARE(changed.count(), 2);
}

void TestChartData::visibility() {
    ChartData d;
    QSignalSpy visible(&d, &ChartData::visibilityChanged);
    QVERIFY(d.isVisible());
    d.setVisible(false);
    d.setVisible(false);
    d.setVisible(true);
    QCOMPARE(visible.count(), 2);
    QCOMPARE(visible.at(0).at(0).toBool(), false);
    QCOMPARE(visible.at(1).at(0).toBool(), true);
}

void TestChartData::repeatedLabelsStayDistinct() {
    ChartData d;
    const QStringList labels{"抜", "抜", "", "座", "", "抜"};
    d.setRowCount(int(labels.size()) + 1); // the last row keeps its empty label
    for (int r = 1; r <= labels.size(); ++r) {
        d.setRow(r);
        d.setRowLabel(labels[r - 1]);
    }
    const QStringList shown = d.distinctRowLabels();
    QCOMPARE(shown.size(), labels.size() + 1);
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QVERIFY(!shown[i].isNull());
        // What is visible of each label is the label itself.
        QString visible = shown[i];
        visible.remove(QChar(0x2060)).remove(QChar(0x200B)).remove(QChar(0x200C));
        QCOMPARE(visible, i < labels.size() ? labels[i] : QString(""));
    }
    QCOMPARE(shown[0], QStringLiteral("抜"));
}

QTEST_GUILESS_MAIN(TestChartData)
#include "tst_chart_data.moc"
