#pragma once

#include "views/log_panel.h"

namespace mirute {

// 範囲指定
class RangePanel : public LogPanel {
    Q_OBJECT
public:
    explicit RangePanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
};

} // namespace mirute
