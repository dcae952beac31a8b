#include "core/views/day_view.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/base/number_texts.h"

#include <QHash>

#include <algorithm>

namespace mirute {

namespace {

QString shortName(const QString &name, int length) {
    return name.left(length);
}

} // namespace

DayView::DayView(QObject *parent) : QObject(parent) {
    resetDayGrids();
    m_chart.resetToSingleZero();
}

void DayView::resetDayGrids() {
    setUpGrid(m_dayList, 11,
              {{QString(), 500, Grid::Right},
               {QStringLiteral("時間"), 1040, Grid::Center},
               {QStringLiteral("項目"), 2400, Grid::Left},
               {QStringLiteral("秒"), 810, Grid::Right}});
    setUpGrid(m_dayTotal, 10,
              {{QString(), 350, Grid::Right},
               {QStringLiteral("項目"), 1840, Grid::Left},
               {QStringLiteral("回"), 500, Grid::Right},
               {QStringLiteral("秒合計"), 750, Grid::Right}});
}

const DaySummary &DayView::show(const PlayLogData &log, const QDate &date) {
    resetDayGrids();
    m_chart.resetToSingleZero();
    m_summary = computeDay(log, date);
    m_date = date;
    // The axis always follows this refresh, so an emptied log does not keep the last day's scale.
    m_chart.setAxisRange(0, m_summary.largest);
    describeChart();
    if (m_summary.emptyLog)
        return m_summary;
    fillDayList();
    fillDayTotal();
    drawChart(m_view);
    return m_summary;
}

void DayView::fillDayList() {
    GridBatch batch(m_dayList);
    m_dayList.setRows(int(m_summary.plays.size()) + 1);
    SecondsTexts seconds;
    int n = 1;
    for (const DayPlay &p : m_summary.plays) {
        m_dayList.setTextMatrix(n, 0, numberText(n));
        m_dayList.setTextMatrix(n, 1, p.time);
        m_dayList.setTextMatrix(n, 2, p.game);
        m_dayList.setTextMatrix(n, 3, seconds.text(p.seconds));
        ++n;
    }
    if (m_dayList.rows() > kDayListScrollRows)
        m_dayList.setTopRow(m_dayList.rows() - 1);
}

void DayView::fillDayTotal() {
    GridBatch batch(m_dayTotal);
    int n = 1;
    for (const DayGameTotal &g : m_summary.games) {
        if (g.count == 0)
            continue;
        m_dayTotal.appendRow({QString::number(n), g.name, QString::number(g.count), QString::number(g.seconds)});
        ++n;
    }
}

void DayView::describeChart() {
    const QString day = m_date.isValid() ? dateText(m_date) : QString();
    switch (m_view) {
    case DayChartView::TimeLine:
        m_chart.describe({.measure = QStringLiteral("プレイごとの秒数"),
                          .scope = day,
                          .rowsTitle = QStringLiteral("プレイ（項目）"),
                          .valuesTitle = QStringLiteral("秒数"),
                          .valueUnit = QStringLiteral("秒")});
        break;
    case DayChartView::PerGame:
        m_chart.describe({.measure = QStringLiteral("項目別の合計時間"),
                          .scope = day,
                          .rowsTitle = QStringLiteral("項目"),
                          .valuesTitle = QStringLiteral("合計時間"),
                          .kind = ChartValueKind::Duration});
        break;
    case DayChartView::PerHour:
        m_chart.describe({.measure = QStringLiteral("時刻別の合計時間"),
                          .scope = day,
                          .rowsTitle = QStringLiteral("時刻（時）"),
                          .valuesTitle = QStringLiteral("合計時間"),
                          .kind = ChartValueKind::Duration});
        break;
    }
}

void DayView::drawChart(DayChartView view) {
    m_view = view;
    describeChart();
    if (m_summary.emptyLog)
        return;
    m_chart.beginBatch();
    switch (view) {
    case DayChartView::TimeLine: drawTimeLine(); break;
    case DayChartView::PerGame: drawPerGame(); break;
    case DayChartView::PerHour: drawPerHour(); break;
    }
    // 時系列 keeps the axis at the day's longest play; a bar that sums several plays (項目別, 時間別) would
    // run off the top of that axis and look as short as one play, so there the axis reaches its top.
    double top = m_summary.largest;
    if (view != DayChartView::TimeLine)
        for (double v : m_chart.columnValues(1))
            top = std::max(top, v);
    m_chart.setAxisRange(0, top);
    m_chart.endBatch();
}

void DayView::drawTimeLine() {
    const int points = int(m_summary.plays.size());
    if (points < 1) {
        m_chart.resetToSingleZero();
        return;
    }
    // Many plays (header row included) leave room under each bar for one character only.
    const int labelLength = points + 1 > kDayListShortLabelRows ? 1 : 2;
    m_chart.setColumnCount(1);
    m_chart.setRowCount(points);
    m_chart.setColumn(1);
    SecondsTexts seconds; // each bar as high as the seconds its row of the list shows
    for (int i = 1; i <= points; ++i) {
        const DayPlay &play = m_summary.plays[i - 1];
        m_chart.setRow(i);
        m_chart.setRowLabel(shortName(play.game, labelLength));
        m_chart.setValue(seconds.shownValue(play.seconds));
    }
}

void DayView::drawPerGame() {
    QList<const DayGameTotal *> played;
    for (const DayGameTotal &g : m_summary.games)
        if (g.count > 0)
            played.append(&g);
    if (played.isEmpty()) {
        m_chart.resetToSingleZero();
        return;
    }
    m_chart.setColumnCount(1);
    m_chart.setRowCount(int(played.size()));
    m_chart.setColumn(1);
    for (int i = 1; i <= played.size(); ++i) {
        m_chart.setRow(i);
        m_chart.setRowLabel(shortName(played[i - 1]->name, 2));
        m_chart.setValue(double(played[i - 1]->seconds));
    }
}

void DayView::drawPerHour() {
    m_chart.setColumnCount(1);
    m_chart.setRowCount(kChartedHours);
    m_chart.setColumn(1);
    for (int hour = 0; hour < kChartedHours; ++hour) {
        m_chart.setRow(hour + 1);
        m_chart.setRowLabel(QStringLiteral(" ") + QString::number(hour));
        m_chart.setValue(double(m_summary.hourSeconds[hour]));
    }
}

} // namespace mirute
