#pragma once

#include "core/tables/grid.h"
#include "gui/panels/log_panel.h"

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
    void onEditRowClicked(int row, int col);
    void deleteSelectedPlay();
    void startAfresh();
    void saveUserName();
    void restoreFromBackup();

    Grid m_editRows;
    int m_selectedRow = 0; // 0: no row clicked since the last fill or delete
    GridWidget *m_editList = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_newStartButton = nullptr;
    QPushButton *m_saveNameButton = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QLineEdit *m_nameBox = nullptr;
};

} // namespace mirute
