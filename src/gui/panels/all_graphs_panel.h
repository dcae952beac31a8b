#pragma once

#include "core/views/all_graphs.h"
#include "gui/panels/log_panel.h"

#include <QList>

class QGridLayout;
class QPushButton;

namespace mirute {

class ChartWidget;
class GridWidget;

// 全グラフ: the lists and the six charts of AllGraphs, rebuilt from the log at every opening.
class AllGraphsPanel : public LogPanel {
    Q_OBJECT
public:
    explicit AllGraphsPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    bool fillsBeforeHiding() const override { return true; }
    QWidget *firstFocus() override;
    void releaseRows() override;

private:
    void buildButtons(QGridLayout *layout);
    void press(AllGraphsChart chart);
    void showCurrentChart();

    AllGraphs m_graphs;
    QList<QPushButton *> m_buttons; // in AllGraphsChart order
    GridWidget *m_playsGrid = nullptr;
    GridWidget *m_gameTotalsGrid = nullptr;
    GridWidget *m_dayTotalsGrid = nullptr;
    ChartWidget *m_totalsChart = nullptr;
    ChartWidget *m_timelineChart = nullptr;
};

} // namespace mirute
