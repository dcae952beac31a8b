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
    void automaticRange_data();
    void automaticRange();
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
    d.setValue(500); // a fixed axis is kept even below the largest value
    QVERIFY(!d.axisRange());
    d.setAxisRange(min, max);
    QVERIFY(d.axisRange());
    QCOMPARE(*d.axisRange(), std::make_pair(shownMin, shownMax));
    QCOMPARE(d.displayRange(), std::make_pair(shownMin, shownMax));
    d.resetToSingleZero();
    QVERIFY(d.axisRange()); // a reset keeps the window's scale
    d.setAxisAuto();
    QVERIFY(!d.axisRange());
    QCOMPARE(d.displayRange(), std::make_pair(0.0, 1.0));
}

void TestChartData::automaticRange_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("no rows") << QList<double>{} << 0.0 << 1.0;
    QTest::newRow("zero") << QList<double>{0} << 0.0 << 1.0;
    QTest::newRow("fractions") << QList<double>{0.42, 0.9} << 0.0 << 1.0;
    QTest::newRow("just above one") << QList<double>{1.2} << 0.0 << 2.0;
    QTest::newRow("eighty") << QList<double>{12, 80} << 0.0 << 100.0;
    QTest::newRow("exactly round") << QList<double>{100} << 0.0 << 100.0;
    QTest::newRow("two and a half") << QList<double>{230} << 0.0 << 250.0;
    QTest::newRow("above two and a half") << QList<double>{251} << 0.0 << 500.0;
    QTest::newRow("seconds of a day") << QList<double>{3725} << 0.0 << 5000.0;
    QTest::newRow("negative") << QList<double>{-3, 7} << -5.0 << 10.0;
}

void TestChartData::automaticRange() {
    QFETCH(QList<double>, values);
    QFETCH(double, low);
    QFETCH(double, high);
    ChartData d;
    d.setRowCount(int(values.size()));
    for (int r = 1; r <= values.size(); ++r) {
        d.setRow(r);
        d.setValue(values[r - 1]);
    }
    QCOMPARE(d.displayRange(), std::make_pair(low, high));
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
