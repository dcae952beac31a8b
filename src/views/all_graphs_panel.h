#pragma once

#include "views/log_panel.h"

namespace mirute {

// 全グラフ
class AllGraphsPanel : public LogPanel {
    Q_OBJECT
public:
    explicit AllGraphsPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    bool fillsBeforeHiding() const override { return true; }
};

} // namespace mirute
