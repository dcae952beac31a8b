#pragma once

#include "views/log_panel.h"

namespace mirute {

// 集計表示
class TotalsPanel : public LogPanel {
    Q_OBJECT
public:
    explicit TotalsPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
};

} // namespace mirute
