#pragma once

#include "views/log_panel.h"

namespace mirute {

// 一言日記
class DiaryPanel : public LogPanel {
    Q_OBJECT
public:
    explicit DiaryPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    // READ_MEMO: the memo file into txtKizuki (start-up).
    void readMemo();
};

} // namespace mirute
