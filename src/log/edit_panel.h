#pragma once

#include "views/log_panel.h"

namespace mirute {

// 編集
class EditPanel : public LogPanel {
    Q_OBJECT
public:
    explicit EditPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
};

} // namespace mirute
