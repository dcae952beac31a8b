#pragma once

#include "views/log_panel.h"

namespace mirute {

// 並び替え
class SortPanel : public LogPanel {
    Q_OBJECT
public:
    explicit SortPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
};

} // namespace mirute
