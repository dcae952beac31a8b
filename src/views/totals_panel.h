#pragma once

#include "ui/grid.h"
#include "views/log_panel.h"
#include "views/totals.h"

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
    void optList2_Click(int index);

    Grid m_months; // msgKakei1
    Grid m_days;   // msgKakei2
    QButtonGroup *m_optList2 = nullptr;
    bool m_opening = false;
};

} // namespace mirute
