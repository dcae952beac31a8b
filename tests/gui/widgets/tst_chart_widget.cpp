#include "core/base/day_time.h"
#include "gui/widgets/chart_widget.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QContextMenuEvent>
#include <QDate>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImageReader>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>

using namespace mirute;

namespace {

QBarSeries *barSeries(const ChartWidget &w) {
    const auto series = w.chart()->series();
    return series.isEmpty() ? nullptr : qobject_cast<QBarSeries *>(series.first());
}

QAbstractSeries *drawnSeries(const ChartWidget &w) {
    const auto series = w.chart()->series();
    return series.isEmpty() ? nullptr : series.first();
}

// The values drawn for the first series: its bars, or the tops of a whole log's runs drawn as one area.
QList<double> drawnTops(const ChartWidget &w) {
    QList<double> tops;
    if (auto *area = qobject_cast<QAreaSeries *>(drawnSeries(w))) {
        const QList<QPointF> outline = area->upperSeries()->points();
        for (qsizetype i = 0; i + 1 < outline.size(); i += 2) {
            if (outline[i].y() != outline[i + 1].y() || outline[i + 1].x() - outline[i].x() != 1.0)
                return {}; // not one flat step a run
            tops.append(outline[i].y());
        }
    } else if (QBarSeries *bars = barSeries(w)) {
        for (int i = 0; i < bars->barSets().first()->count(); ++i)
            tops.append(bars->barSets().first()->at(i));
    }
    return tops;
}

QLineSeries *drawnTrend(const ChartWidget &w) {
    QLineSeries *found = nullptr;
    for (QAbstractSeries *s : w.chart()->series())
        if (auto *line = qobject_cast<QLineSeries *>(s))
            found = found ? nullptr : line; // exactly one
    return found;
}

QBarCategoryAxis *categoryAxis(const ChartWidget &w) {
    const auto axes = w.chart()->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis *>(axes.first());
}

QValueAxis *valueAxis(const ChartWidget &w) {
    const auto axes = w.chart()->axes(Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(axes.first());
}

void fill(ChartData &d, const QStringList &labels, const QList<QStringList> &columns) {
    d.setColumnCount(int(columns.size()));
    d.setRowCount(int(labels.size()));
    for (int r = 1; r <= labels.size(); ++r) {
        d.setRow(r);
        d.setRowLabel(labels[r - 1]);
        for (int c = 1; c <= columns.size(); ++c) {
            d.setColumn(c);
            d.setData(columns[c - 1][r - 1]);
        }
    }
}

} // namespace

class TestChartWidget : public QObject {
    Q_OBJECT
private slots:
    void drawsOneSeries();
    void twoSeriesShowLegend();
    void redrawIsCoalesced();
    void hiddenChartIsRedrawnAsItIsShown();
    void fixedAndAutomaticAxis();
    void valueLabelsKeepRoundSteps();
    void emptyChart();
    void visibilityFollowsData();
    void labelsOrRowNumbers_data();
    void labelsOrRowNumbers();
    void maximumBars();
    void drawsDataOwnedElsewhere();
    void trendLine_data();
    void trendLine();
    void hoverTellsBar_data();
    void hoverTellsBar();
    void contextMenuSavesImage();
    void labelsThinnedToFit_data();
    void labelsThinnedToFit();
};

void TestChartWidget::drawsOneSeries() {
    ChartWidget w;
    w.resize(400, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fill(w.data(), {"抜", "抜", "座"}, {{"0.42/秒", "1.5/秒", "abc"}});
    QTRY_VERIFY(!w.redrawPending());
    QBarSeries *series = barSeries(w);
    QVERIFY(series);
    QCOMPARE(series->count(), 1);
    QBarSet *set = series->barSets().first();
    QCOMPARE(set->count(), 3);
    QCOMPARE(set->at(0), 0.42);
    QCOMPARE(set->at(1), 1.5);
    QCOMPARE(set->at(2), 0.0);
    QCOMPARE(categoryAxis(w)->count(), 3); // the repeated label keeps its own bar
    QVERIFY(!w.chart()->legend()->isVisible());
    QVERIFY(w.chartView()->renderHints().testFlag(QPainter::Antialiasing));
    QCOMPARE(set->color(), QColor(70, 114, 196));
}

void TestChartWidget::twoSeriesShowLegend() {
    ChartWidget w;
    w.setSeriesNames({"OK", "NG"});
    w.setSeriesColors({Qt::darkBlue, Qt::darkRed});
    fill(w.data(), {"1", "2"}, {{"10", "12"}, {"2", "0"}});
    QTRY_VERIFY(!w.redrawPending());
    QBarSeries *series = barSeries(w);
    QVERIFY(series);
    QCOMPARE(series->count(), 2);
    QCOMPARE(series->barSets().at(0)->label(), QStringLiteral("OK"));
    QCOMPARE(series->barSets().at(1)->label(), QStringLiteral("NG"));
    QCOMPARE(series->barSets().at(1)->color(), QColor(Qt::darkRed));
    QCOMPARE(series->barSets().at(1)->at(0), 2.0);
    QVERIFY(w.chart()->legend()->isVisible());
    w.data().resetToSingleZero();
    QTRY_VERIFY(!w.redrawPending());
    QVERIFY(!w.chart()->legend()->isVisible());
    QCOMPARE(barSeries(w)->count(), 1);
    QCOMPARE(barSeries(w)->barSets().first()->count(), 1);
}

void TestChartWidget::redrawIsCoalesced() {
    ChartWidget w;
    fill(w.data(), {"a"}, {{"1"}});
    QTRY_VERIFY(!w.redrawPending());
    QBarSeries *before = barSeries(w);
    // Outside a batch every setting signals a change; the chart still waits for the event loop.
    fill(w.data(), {"a", "b", "c", "d"}, {{"1", "2", "3", "4"}});
    QVERIFY(w.redrawPending());
    QCOMPARE(barSeries(w), before);
    QCOMPARE(before->barSets().first()->count(), 1);
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(barSeries(w)->barSets().first()->count(), 4);
    QCOMPARE(barSeries(w)->barSets().first()->at(3), 4.0);
}

// A panel fills its charts while hidden and then shows them: the new bars are drawn as the chart is shown,
// so its first paint already shows them.
void TestChartWidget::hiddenChartIsRedrawnAsItIsShown() {
    QWidget panel;
    auto *w = new ChartWidget(&panel);
    QTRY_VERIFY(!w->redrawPending());
    fill(w->data(), {"a", "b", "c"}, {{"1", "2", "3"}});
    QVERIFY(w->redrawPending());
    panel.show();
    QVERIFY(!w->redrawPending());
    QCOMPARE(barSeries(*w)->barSets().first()->count(), 3);
    QCOMPARE(barSeries(*w)->barSets().first()->at(2), 3.0);
}

// However short the chart, the value labels step by round numbers (0, 10, 20), never by 6.66667 — nor by
// 666.667 or 166667 on a chart of seconds — each on its own value, and the top stands above the highest bar.
void TestChartWidget::valueLabelsKeepRoundSteps() {
    for (const double top : {20.0, 2000.0, 500000.0}) {
        ChartWidget w;
        fill(w.data(), {"a", "b"}, {{QString::number(top), "7"}});
        w.show();
        for (int height = 100; height <= 420; height += 16) {
            w.resize(400, height);
            QTRY_VERIFY(!w.redrawPending());
            QApplication::processEvents();
            auto *axis = qobject_cast<QCategoryAxis *>(valueAxis(w));
            QVERIFY(axis);
            const QStringList labels = axis->categoriesLabels();
            QVERIFY(labels.size() >= 2 && labels.size() <= 6);
            const double step = labels[1].toDouble();
            const double power = std::pow(10.0, std::floor(std::log10(step)));
            QVERIFY2(QList<double>({1, 2, 5}).contains(std::round(step / power)), qPrintable(labels.join(u' ')));
            for (qsizetype i = 0; i < labels.size(); ++i)
                QCOMPARE(axis->endValue(labels[i]), i * step);
            QCOMPARE(axis->max(), labels.last().toDouble());
            QVERIFY(axis->max() > top);
        }
    }
}

void TestChartWidget::fixedAndAutomaticAxis() {
    ChartWidget w;
    w.resize(400, 300); // room for six value labels
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fill(w.data(), {"a", "b"}, {{"30", "80"}});
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(valueAxis(w)->min(), 0.0);
    QCOMPARE(valueAxis(w)->max(), 100.0);
    w.data().setAxisRange(0, 200);
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(valueAxis(w)->max(), 250.0);
    w.data().setAxisAuto();
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(valueAxis(w)->max(), 100.0);
}

void TestChartWidget::emptyChart() {
    ChartWidget w;
    w.resize(300, 200);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fill(w.data(), {"a"}, {{"5"}});
    w.data().setAxisTitles(QStringLiteral("プレイ"), QStringLiteral("秒数"));
    w.data().setRowCount(0);
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(barSeries(w)->barSets().first()->count(), 0);
    QCOMPARE(valueAxis(w)->max(), 1.0);
    // The rows' axis is laid out, its name under the plot: an axis Qt Charts did not lay out left it over
    // the window's top left corner (the main panel on a day not played yet).
    const auto rowsTitle = [&w]() -> const QGraphicsTextItem * {
        for (const QGraphicsItem *item : w.chart()->scene()->items())
            if (auto *text = dynamic_cast<const QGraphicsTextItem *>(item); text && text->toPlainText() == "プレイ")
                return text;
        return nullptr;
    };
    QVERIFY(rowsTitle());
    QTRY_VERIFY(rowsTitle()->sceneBoundingRect().top() >= w.chart()->plotArea().bottom());
    QVERIFY(!w.grab().isNull());
}

void TestChartWidget::visibilityFollowsData() {
    QWidget window;
    auto *w = new ChartWidget(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(w->isVisible());
    w->data().setVisible(false);
    QVERIFY(!w->isVisible());
    w->data().setVisible(true);
    QVERIFY(w->isVisible());
}

void TestChartWidget::maximumBars() {
    constexpr int kRows = 32766;
    ChartWidget w;
    w.resize(500, 400);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QElapsedTimer timer;
    timer.start();
    ChartData &d = w.data();
    d.beginBatch();
    d.setRowCount(kRows);
    for (int r = 1; r <= kRows; ++r) {
        d.setRow(r);
        d.setRowLabel(QString::number(r % 100)); // labels repeat, as the first characters of dates do
        d.setData(QString::number(r % 180));
    }
    d.endBatch();
    QTRY_VERIFY(!w.redrawPending());
    QVERIFY(!w.grab().isNull());
    qDebug() << "charted and drew" << kRows << "bars in" << timer.elapsed() << "ms";
    // No more bars than the chart has pixel columns: more would only be painted over one another.
    // The runs are drawn as one shape, not as hundreds of bars, standing on zero.
    auto *area = qobject_cast<QAreaSeries *>(drawnSeries(w));
    QVERIFY(area);
    QCOMPARE(area->lowerSeries()->at(0).y(), 0.0);
    const int narrowBars = int(drawnTops(w).size());
    QVERIFY2(narrowBars <= 500 * w.devicePixelRatioF() && narrowBars >= 200, qPrintable(QString::number(narrowBars)));
    // Widened, it draws finer runs: each a run of 33 plays showing its largest value, at most 1,000 runs.
    w.resize(1400, 400);
    QTRY_COMPARE(drawnTops(w).size(), 993);
    const QList<double> tops = drawnTops(w);
    QCOMPARE(tops.at(0), 33.0);    // plays 1..33 hold 1..33
    QCOMPARE(tops.at(5), 179.0);   // plays 166..198 pass the top value 179
    QCOMPARE(tops.at(992), 179.0); // the last run: plays 32737..32766 hold 157..179 and 0..6
    auto *numbers = qobject_cast<QCategoryAxis *>(w.chart()->axes(Qt::Horizontal).first());
    QVERIFY(numbers);
    QCOMPARE(numbers->min(), -0.5);
    QCOMPARE(numbers->max(), 992.5);
    // Round row numbers under the bars that hold them, as many as have room.
    const QStringList shown = numbers->categoriesLabels();
    QVERIFY(shown.size() >= 4);
    const int step = shown[1].toInt() - shown[0].toInt();
    for (const QString &label : shown) {
        QCOMPARE(label.toInt() % step, 0);
        QCOMPARE(numbers->endValue(label), double((label.toInt() - 1) / 33));
    }
    QVERIFY(shown.last().toInt() + step > kRows);
}

void TestChartWidget::labelsOrRowNumbers_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("labelled");
    QTest::addColumn<bool>("dated"); // plays, one a day from 2024/01/01
    QTest::newRow("a month of days") << 31 << true << false;
    QTest::newRow("last labelled") << 1000 << true << false;
    QTest::newRow("first numbered") << 1001 << false << false;
    QTest::newRow("plays of years in weeks") << 1001 << false << true;
}

void TestChartWidget::labelsOrRowNumbers() {
    QFETCH(int, rows);
    QFETCH(bool, labelled);
    QFETCH(bool, dated);
    ChartWidget w;
    w.resize(1400, 300); // room for a bar for every two of 1,001 rows
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ChartData &d = w.data();
    d.beginBatch();
    d.setRowCount(rows);
    if (dated)
        d.describe({.measure = "秒数", .rowKind = ChartRowKind::Plays, .periodMeasure = "%1ごとの平均"});
    for (int r = 1; r <= rows; ++r) {
        d.setRow(r);
        d.setRowLabel(QStringLiteral("抜"));
        d.setValue(r);
        d.setRowDate(dated ? QDate(2024, 1, 1).addDays(r - 1) : QDate());
    }
    d.endBatch();
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(w.chart()->axes(Qt::Horizontal).size(), 1);
    if (dated) {
        // More plays than the chart's 1,000 bars, over more days: weeks, under dates, named as such.
        QCOMPARE(drawnTops(w).size(),
                 periodCount(QDate(2024, 1, 1), QDate(2024, 1, 1).addDays(rows - 1), TimeUnit::Week));
        QCOMPARE(drawnTops(w).at(1), 10.0); // the mean of plays 7 … 13, 2024/01/07 to 2024/01/13
        QCOMPARE(w.chart()->title(), QStringLiteral("週ごとの平均"));
        QCOMPARE(w.chart()->axes(Qt::Horizontal).first()->titleText(), QStringLiteral("週（日曜から）"));
        const QStringList shown =
            qobject_cast<QCategoryAxis *>(w.chart()->axes(Qt::Horizontal).first())->categoriesLabels();
        QVERIFY(shown.size() >= 4);
        for (const QString &label : shown)
            QVERIFY2(parseDateText(label).isValid(), qPrintable(label));
        return;
    }
    QCOMPARE(drawnTops(w).size(), labelled ? rows : (rows + 1) / 2); // 1,001 rows: 2 a bar
    // Under one bar a row the rows' own labels (as many as fit); under runs of rows, row numbers.
    QAbstractAxis *axis = w.chart()->axes(Qt::Horizontal).first();
    auto *thinned = qobject_cast<QCategoryAxis *>(axis);
    const QStringList shown = thinned ? thinned->categoriesLabels() : categoryAxis(w)->categories();
    QVERIFY(!shown.isEmpty());
    for (const QString &label : shown)
        QVERIFY2(labelled ? label.startsWith(QStringLiteral("抜")) : label.toInt() > 0, qPrintable(label));
    if (!labelled)
        QCOMPARE(thinned->max(), (rows + 1) / 2 - 0.5);
    // The bars stay on the axis they were drawn against after the next redraw.
    d.setRowCount(3);
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(w.chart()->axes(Qt::Horizontal).size(), 1);
    QCOMPARE(drawnSeries(w)->attachedAxes().size(), 2);
    QCOMPARE(drawnSeries(w)->attachedAxes().first(), w.chart()->axes(Qt::Horizontal).first());
}

void TestChartWidget::drawsDataOwnedElsewhere() {
    auto *data = new ChartData;
    fill(*data, {"a", "b"}, {{"3", "4"}});
    ChartWidget w(data);
    QCOMPARE(&w.data(), data);
    QCOMPARE(barSeries(w)->barSets().first()->at(1), 4.0);
    fill(*data, {"a", "b", "c"}, {{"3", "4", "9"}});
    QTRY_VERIFY(!w.redrawPending());
    QCOMPARE(barSeries(w)->barSets().first()->count(), 3);
    delete data;
    QCOMPARE(w.data().rowCount(), 0);
    QCOMPARE(barSeries(w)->barSets().first()->count(), 0);

    auto *hidden = new ChartData;
    hidden->setVisible(false);
    QWidget window;
    auto *chart = new ChartWidget(hidden, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!chart->isVisible());
    hidden->setVisible(true);
    QVERIFY(chart->isVisible());
    delete hidden;
}

void TestChartWidget::trendLine_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<QPointF>>("points");
    // Row r holds r: the mean of the last five plays is r − 2 from the fifth play on.
    QTest::newRow("six plays") << 6 << QList<QPointF>{{0, 1}, {1, 1.5}, {2, 2}, {3, 2.5}, {4, 3}, {5, 4}};
    // Two plays a bar: each bar carries the trend after its second play (rows 2, 4, …, 1000, then 1001 alone).
    QTest::newRow("runs of plays") << 1001 << QList<QPointF>{{0, 1.5}, {1, 2.5}, {2, 4}, {499, 998}, {500, 999}};
}

void TestChartWidget::trendLine() {
    QFETCH(int, rows);
    QFETCH(QList<QPointF>, points);
    ChartWidget w;
    w.resize(1400, 300); // room for a bar for every two of 1,001 rows
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ChartData &d = w.data();
    d.beginBatch();
    d.setRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        d.setRow(r);
        d.setValue(r);
    }
    d.endBatch();
    QTRY_VERIFY(!w.redrawPending());
    QVERIFY(!drawnTrend(w)); // only charts that ask for it
    QVERIFY(!w.chart()->legend()->isVisible());

    d.setTrendPlays(5);
    QTRY_VERIFY(!w.redrawPending());
    QLineSeries *line = drawnTrend(w);
    QVERIFY(line);
    QCOMPARE(line->name(), QStringLiteral("平均(5回)"));
    QCOMPARE(line->count(), drawnTops(w).size());
    for (const QPointF &p : points)
        QCOMPARE(line->at(int(p.x())), p);
    QCOMPARE(line->attachedAxes(), drawnSeries(w)->attachedAxes());
    // The legend names the line; the single series of bars needs no entry.
    QVERIFY(w.chart()->legend()->isVisible());
    QTRY_VERIFY(w.chart()->legend()->markers(line).first()->isVisible());
    QVERIFY(!w.chart()->legend()->markers(drawnSeries(w)).first()->isVisible());
}

void TestChartWidget::hoverTellsBar_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("series");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("detailed");
    QTest::addColumn<QString>("text");
    // Row r is labelled "rN", its value r / 10 (series 2: r / 10 + 100).
    QTest::newRow("a bar with its unit") << 5 << 0 << 2 << "秒" << false << "r3 0.3秒";
    QTest::newRow("a detail names the row") << 5 << 0 << 4 << "%" << true << "5回 r5 0.5%";
    QTest::newRow("the second series is named") << 5 << 1 << 1 << "" << false << "r2 ＮＧ 100.2";
    // 2,001 rows, three a bar: bar 10 stands for rows 31 to 33, named after the first, showing the largest.
    QTest::newRow("a run of rows") << 2001 << 0 << 10 << "/秒" << false << "r31 3.3/秒";
}

void TestChartWidget::hoverTellsBar() {
    QFETCH(int, rows);
    QFETCH(int, series);
    QFETCH(int, bar);
    QFETCH(QString, unit);
    QFETCH(bool, detailed);
    QFETCH(QString, text);
    ChartWidget w;
    w.setSeriesNames({QStringLiteral("ＯＫ"), QStringLiteral("ＮＧ")});
    w.resize(rows > 1000 ? 2400 : 500, 300); // wide enough for a mouse to rest on one of 667 bars
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ChartData &d = w.data();
    d.beginBatch();
    d.setColumnCount(series + 1);
    d.setRowCount(rows);
    d.setValueUnit(unit);
    for (int r = 1; r <= rows; ++r) {
        d.setRow(r);
        d.setRowLabel(QStringLiteral("r%1").arg(r));
        if (detailed)
            d.setRowDetail(QStringLiteral("%1回 r%1").arg(r));
        for (int c = 1; c <= series + 1; ++c) {
            d.setColumn(c);
            d.setValue(r / 10.0 + (c - 1) * 100);
        }
    }
    d.endBatch();
    QTRY_VERIFY(!w.redrawPending());
    QApplication::processEvents(); // the axes fitted to the plot's size

    // The mouse rests on the middle of the bar, as a player's would.
    const int sets = barSeries(w) ? int(barSeries(w)->count()) : 1;
    const qreal x = bar + (series == 0 ? -0.1 : 0.1) * (sets - 1);
    const double value = barSeries(w) ? barSeries(w)->barSets().at(series)->at(bar) : drawnTops(w).at(bar);
    const QPointF inBar = w.chart()->mapToPosition(QPointF(x, value / 2), drawnSeries(w));
    const QPoint at = w.chartView()->mapFromScene(w.chart()->mapToScene(inBar));
    QTest::mouseMove(w.chartView()->viewport(), at);
    // Shown as plain text: the rows' names come from the files as typed there.
    const auto shown = [] {
        QTextDocument document;
        document.setHtml(QToolTip::text());
        return document.toPlainText();
    };
    QTRY_COMPARE(shown(), QStringLiteral("\u2068%1\u2069").arg(text));
    // The mouse rests there: the window system asks the view for its tip, which must still tell the bar.
    QToolTip::hideText();
    QTRY_VERIFY(QToolTip::text().isEmpty());
    QHelpEvent rest(QEvent::ToolTip, at, w.chartView()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.chartView()->viewport(), &rest);
    QCOMPARE(shown(), QStringLiteral("\u2068%1\u2069").arg(text));
    QTest::mouseMove(w.chartView()->viewport(), QPoint(2, 2)); // off the bars
    QTRY_VERIFY(QToolTip::text().isEmpty());
}

void TestChartWidget::contextMenuSavesImage() {
    QTemporaryDir dir;
    ChartWidget w;
    w.resize(420, 260);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fill(w.data(), {"a", "b"}, {{"3", "4"}});
    QTRY_VERIFY(!w.redrawPending());
    const QString path = dir.filePath(QStringLiteral("グラフ.png"));
    bool menuSeen = false, dialogSeen = false;

    // The file dialog opens from the menu's action; answer it as a user would, by typing a name.
    QTimer dialogPoll;
    dialogPoll.setInterval(10);
    connect(&dialogPoll, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialogPoll.stop();
        dialogSeen = dialog->objectName() == QStringLiteral("dlgImage");
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!name)
            return dialog->reject();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTimer::singleShot(0, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction *save = menu->findChild<QAction *>(QStringLiteral("mnuImage"));
        if (!save) {
            menu->close();
            return;
        }
        menuSeen = save->text() == QStringLiteral("画像保存…");
        dialogPoll.start();
        menu->setActiveAction(save);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint at = w.chartView()->viewport()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.chartView()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.chartView()->viewport(), &event);
    dialogPoll.stop();
    QVERIFY(menuSeen);
    QVERIFY(dialogSeen);
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    // The chart as shown, title included, over a line that tells the day it was saved.
    const QImage shown = w.chartView()->grab().toImage();
    QCOMPARE(image.width(), shown.width());
    QVERIFY(image.height() > shown.height());
    QCOMPARE(image.pixelColor(image.width() / 2, 2), shown.pixelColor(image.width() / 2, 2));
    bool written = false;
    for (int x = 0; x < image.width() && !written; ++x)
        for (int y = shown.height(); y < image.height() && !written; ++y)
            written = image.pixelColor(x, y).lightness() < 128;
    QVERIFY(written);

    // A file that cannot be written is told, and nothing is left behind.
    const QString missing = dir.filePath(QStringLiteral("無い/グラフ.png"));
    QVERIFY(!w.saveImage(missing).isEmpty());
    QVERIFY(!QFileInfo::exists(missing));
}

void TestChartWidget::labelsThinnedToFit_data() {
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("thinned");
    QStringList hours, days, years, games;
    for (int h = 0; h < 24; ++h)
        hours << QStringLiteral(" %1").arg(h);
    for (QDate d(2024, 1, 1); d < QDate(2024, 2, 1); d = d.addDays(1))
        days << d.toString(QStringLiteral("yyyy/MM/dd"));
    for (QDate d(2023, 1, 1); d < QDate(2026, 1, 1); d = d.addDays(1))
        years << d.toString(QStringLiteral("yyyy/MM/dd"));
    QTest::newRow("hours, wide") << hours << 1200 << false;
    QTest::newRow("hours, narrow") << hours << 400 << true;
    QTest::newRow("a month of days") << days << 600 << true;
    QTest::newRow("three years of days") << years << 600 << true; // one bar a day and a half: still dates
    QTest::newRow("three games") << QStringList{"抜か", "宝探", "座標"} << 400 << false;
}

// Labels too wide for their bars are not all cut to "...": every so many is shown, whole, under its own
// bar, and a label that names its row (an hour, a date) stays itself even when a bar stands for several rows.
void TestChartWidget::labelsThinnedToFit() {
    QFETCH(QStringList, labels);
    QFETCH(int, width);
    QFETCH(bool, thinned);
    ChartWidget w;
    w.resize(width, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fill(w.data(), labels, {QStringList(labels.size(), QStringLiteral("5"))});
    QTRY_VERIFY(!w.redrawPending());
    QApplication::processEvents(); // the plot's width is known: the axis is thinned to it
    QAbstractAxis *axis = w.chart()->axes(Qt::Horizontal).first();
    const qreal plot = w.chart()->plotArea().width();
    const QFontMetricsF fm(axis->labelsFont());
    if (!thinned) {
        QVERIFY(categoryAxis(w));
        QCOMPARE(categoryAxis(w)->categories(), labels);
        return;
    }
    auto *shown = qobject_cast<QCategoryAxis *>(axis);
    QVERIFY(shown);
    const QStringList texts = shown->categoriesLabels();
    QVERIFY(texts.size() >= 2);
    const int bars = int(drawnTops(w).size());
    const int perBar = (labels.size() + bars - 1) / bars;
    for (const QString &text : texts) {
        const int row = int(labels.indexOf(text));
        QVERIFY2(row >= 0, qPrintable(text));                  // a row's own label, not a row number
        QCOMPARE(shown->endValue(text), double(row / perBar)); // under its own bar
        // Qt Charts gives each label the plot's width shared among the labels and one more.
        QVERIFY(fm.horizontalAdvance(text) + 8 <= plot / (texts.size() + 1));
    }
}

QTEST_MAIN(TestChartWidget)
#include "tst_chart_widget.moc"
