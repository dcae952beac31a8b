#include "views/all_graphs_panel.h"

#include "app/help_texts.h"
#include "games/common/clock.h"
#include "log/play_log.h"
#include "ui/button_color_widget.h"
#include "ui/chart_widget.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {

namespace {

const QString kTitle = QStringLiteral("全グラフ");

GridWidget *gridWidget(Grid *grid, const QString &name, QWidget *parent) {
    auto *w = new GridWidget(grid, parent);
    w->setObjectName(name);
    w->setAccessibleName(name);
    return w;
}

ChartWidget *chartWidget(ChartData *data, const QString &name, const QColor &colour, QWidget *parent) {
    auto *w = new ChartWidget(data, parent);
    w->setObjectName(name);
    w->setAccessibleName(name);
    w->setSeriesColors({colour});
    w->setMinimumSize(360, 240);
    return w;
}

} // namespace

AllGraphsPanel::AllGraphsPanel(MainState &state, QWidget *parent)
    : LogPanel(state, QStringLiteral("fraRenTai"), parent) {
    auto *layout = new QHBoxLayout(this);

    auto *lists = new QVBoxLayout;
    m_dayList2 = gridWidget(&m_graphs.msgDayList2(), QStringLiteral("msgDayList2"), this);
    m_dayList3 = gridWidget(&m_graphs.msgDayList3(), QStringLiteral("msgDayList3"), this);
    m_dayTotal2 = gridWidget(&m_graphs.msgDayTotal2(), QStringLiteral("msgDayTotal2"), this);
    lists->addWidget(m_dayList2, 3);
    lists->addWidget(m_dayList3, 3);
    lists->addWidget(m_dayTotal2, 2);
    layout->addLayout(lists, 2);

    auto *charts = new QVBoxLayout;
    auto *buttons = new QGridLayout;
    buildButtons(buttons);
    charts->addLayout(buttons);
    m_main2 = chartWidget(&m_graphs.mcrMain2(), QStringLiteral("mcrMain2"), QColor(255, 160, 64), this);
    m_main3 = chartWidget(&m_graphs.mcrMain3(), QStringLiteral("mcrMain3"), QColor(64, 128, 224), this);
    charts->addWidget(m_main2, 1);
    charts->addWidget(m_main3, 1);
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
    const PlayLogData log = readPlayLog(mainState().dataDir);
    if (!log.error.isEmpty())
        MessageDialog::warning(this, kTitle, log.error);
    const QString notice = m_graphs.SHOW_RENTAI(log, appClock().now().date());
    showCurrentChart();
    if (!notice.isEmpty())
        MessageDialog::information(this, kTitle, notice);
}

QString AllGraphsPanel::helpTourText() const {
    return helptexts::allGraphs();
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
    m_dayList2->setVisible(m_graphs.dayList2Visible());
    m_dayList3->setVisible(m_graphs.dayList3Visible());
}

} // namespace mirute
