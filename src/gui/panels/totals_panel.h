#pragma once

#include "core/tables/grid.h"
#include "core/views/totals.h"
#include "gui/panels/log_panel.h"

class QButtonGroup;

namespace mirute {

class GridWidget;

// 集計表示: the log by calendar month and by calendar day, one column per game, in one of three measures.
class TotalsPanel : public LogPanel {
    Q_OBJECT
public:
    explicit TotalsPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    QWidget *firstFocus() override;

    Grid &monthGrid() { return m_months; }
    Grid &dayGrid() { return m_days; }

private:
    void chooseMeasure(int index);

    Grid m_months;
    Grid m_days;
    QButtonGroup *m_measureButtons = nullptr;
    bool m_opening = false;
};

} // namespace mirute
