#pragma once

#include "ui/grid.h"
#include "views/log_panel.h"

class QLineEdit;
class QPushButton;

namespace mirute {

class GridWidget;

// 編集: deleting single plays, the new start, restoring the log from a backup and the user's name.
class EditPanel : public LogPanel {
    Q_OBJECT
public:
    explicit EditPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    QWidget *firstFocus() override;

private:
    void msgHenList_Click(int row, int col);
    void cmdRowDel_Click();
    void cmdNew1_Click();
    void cmdPHozon1_Click();
    void cmdRestore_Click();

    Grid m_henList;
    int m_selectedRow = 0; // 0: no row clicked since the last fill or delete
    GridWidget *m_msgHenList = nullptr;
    QPushButton *m_cmdRowDel = nullptr;
    QPushButton *m_cmdNew1 = nullptr;
    QPushButton *m_cmdPHozon1 = nullptr;
    QPushButton *m_cmdRestore = nullptr;
    QLineEdit *m_txtPriData = nullptr;
};

} // namespace mirute
