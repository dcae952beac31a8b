#pragma once

#include "views/log_panel.h"

namespace mirute {

// カレンダー
class CalendarPanel : public LogPanel {
    Q_OBJECT
public:
    explicit CalendarPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
};

} // namespace mirute
