#pragma once

#include "ui/grid.h"
#include "views/log_panel.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mirute {

class GridWidget;

// 一言日記: the one-line diary of every play and the free memo.
class DiaryPanel : public LogPanel {
    Q_OBJECT
public:
    explicit DiaryPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    QWidget *firstFocus() override;
    // READ_MEMO: the memo file into txtKizuki (start-up).
    void readMemo();

private:
    void msgMemoList_Click(int row, int col);
    void cmdMemoHozon_Click();
    void cmdKizukiHozon_Click();

    Grid m_memoList;
    int m_selectedRow = 0; // 0: no row clicked since the last fill
    GridWidget *m_msgMemoList = nullptr;
    QLineEdit *m_txtMemo = nullptr;
    QPushButton *m_cmdMemoHozon = nullptr;
    QPlainTextEdit *m_txtKizuki = nullptr;
    QPushButton *m_cmdKizukiHozon = nullptr;
};

} // namespace mirute
