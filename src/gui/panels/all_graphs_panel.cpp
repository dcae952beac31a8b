#include "gui/panels/all_graphs_panel.h"

#include "core/base/clock.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kAllGraphsPanelName = QStringLiteral("fraRenTai");
const QString kAllGraphsPlaysListName = QStringLiteral("msgDayList2");
const QString kDayTotalsListName = QStringLiteral("msgDayList3");
const QString kGameTotalsListName = QStringLiteral("msgDayTotal2");
const QString kAllGraphsTotalsChartName = QStringLiteral("mcrMain2");
const QString kTimelineChartName = QStringLiteral("mcrMain3");

const QString kAllGraphsTitle = QStringLiteral("全グラフ");

GridWidget *allGraphsGrid(Grid *grid, const QString &name, QWidget *parent) {
    auto *w = new GridWidget(grid, parent);
    w->setObjectName(name);
    w->setAccessibleName(name);
    return w;
}

ChartWidget *allGraphsChart(ChartData *data, const QString &name, const QColor &colour, QWidget *parent) {
    auto *w = new ChartWidget(data, parent);
    w->setObjectName(name);
    w->setAccessibleName(name);
    w->setSeriesColors({colour});
    w->setMinimumSize(360, 240);
    return w;
}

} // namespace

AllGraphsPanel::AllGraphsPanel(MainState &state, QWidget *parent) : LogPanel(state, kAllGraphsPanelName, parent) {
    auto *layout = new QHBoxLayout(this);

    auto *lists = new QVBoxLayout;
    m_playsGrid = allGraphsGrid(&m_graphs.playsGrid(), kAllGraphsPlaysListName, this);
    m_dayTotalsGrid = allGraphsGrid(&m_graphs.dayTotalsGrid(), kDayTotalsListName, this);
    m_gameTotalsGrid = allGraphsGrid(&m_graphs.gameTotalsGrid(), kGameTotalsListName, this);
    m_gameTotalsGrid->setFileTitle(kAllGraphsTitle + QStringLiteral("_項目別集計"));
    lists->addWidget(m_playsGrid, 3);
    lists->addWidget(m_dayTotalsGrid, 3);
    lists->addWidget(m_gameTotalsGrid, 2);
    layout->addLayout(lists, 2);

    auto *charts = new QVBoxLayout;
    auto *buttons = new QGridLayout;
    buildButtons(buttons);
    charts->addLayout(buttons);
    m_totalsChart = allGraphsChart(&m_graphs.totalsChart(), kAllGraphsTotalsChartName, QColor(255, 160, 64), this);
    m_timelineChart = allGraphsChart(&m_graphs.timelineChart(), kTimelineChartName, QColor(64, 128, 224), this);
    charts->addWidget(m_totalsChart, 1);
    charts->addWidget(m_timelineChart, 1);
    layout->addLayout(charts, 3);

    showCurrentChart();
}

void AllGraphsPanel::buildButtons(QGridLayout *layout) {
    const QList<AllGraphsButton> &all = allGraphsButtons();
    for (int i = 0; i < all.size(); ++i) {
        auto *b = new QPushButton(all[i].caption, this);
        b->setObjectName(all[i].name);
        const AllGraphsChart chart = all[i].chart;
        connect(b, &QPushButton::clicked, this, [this, chart] { press(chart); });
        // The three list charts on the first line, the three day charts on the second.
        layout->addWidget(b, i / 3, i % 3);
        m_buttons.append(b);
    }
}

void AllGraphsPanel::fill() {
    const PlayLogData log = readLogAndWarn();
    const QString notice = m_graphs.rebuild(log, appClock().now().date());
    showCurrentChart();
    if (!notice.isEmpty())
        MessageDialog::information(this, kAllGraphsTitle, notice);
}

QString AllGraphsPanel::helpTourText() const {
    return helptexts::allGraphs();
}

void AllGraphsPanel::releaseRows() {
    LogPanel::releaseRows();
    m_graphs.releaseNumbers();
}

QWidget *AllGraphsPanel::firstFocus() {
    return m_buttons.value(int(m_graphs.currentChart()));
}

void AllGraphsPanel::press(AllGraphsChart chart) {
    m_graphs.press(chart);
    showCurrentChart();
}

void AllGraphsPanel::showCurrentChart() {
    for (int i = 0; i < m_buttons.size(); ++i)
        setButtonColor(m_buttons[i], m_graphs.buttonColor(AllGraphsChart(i)));
    // The lists beside a chart and the chart itself are saved under the chart's caption.
    const QString shown = kAllGraphsTitle + u'_' + allGraphsButton(m_graphs.currentChart()).caption;
    for (ChartWidget *chart : {m_totalsChart, m_timelineChart})
        chart->setFileTitle(shown);
    for (GridWidget *grid : {m_playsGrid, m_dayTotalsGrid})
        grid->setFileTitle(shown);
    m_playsGrid->setVisible(m_graphs.playsListVisible());
    m_dayTotalsGrid->setVisible(m_graphs.dayTotalsListVisible());
}

} // namespace mirute
