#pragma once

#include "core/tables/grid.h"
#include "gui/panels/log_panel.h"

namespace mirute {

class GridWidget;

// 並び替え: every play with its diary, reordered by the four sort buttons.
class SortPanel : public LogPanel {
    Q_OBJECT
public:
    explicit SortPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    QWidget *firstFocus() override;

    Grid &grid() { return m_grid; }

private:
    Grid m_grid;
    GridWidget *m_sortList = nullptr;
};

} // namespace mirute
