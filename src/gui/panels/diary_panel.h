#pragma once

#include "core/tables/grid.h"
#include "gui/panels/log_panel.h"

class QLabel;
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
    // The memo file into the memo box (at start-up).
    void readMemo();
    // Before the memo box is put away or the window closes: text typed since the last "メモ保存" is saved or
    // thrown away as the user answers. False when the user cancels (or the save failed): stay.
    bool settleMemo();

private:
    void onDiaryRowClicked(int row, int col);
    void onSaveDiaryClicked();
    bool saveMemoBox();
    void onSaveMemoClicked();
    void showDiaryTarget();

    Grid m_diaryRows;
    int m_selectedRow = 0; // 0: no row clicked since the last fill
    GridWidget *m_diaryList = nullptr;
    QLabel *m_diaryTarget = nullptr; // which play the diary box edits
    QLineEdit *m_diaryBox = nullptr;
    QPushButton *m_saveDiaryButton = nullptr;
    QPlainTextEdit *m_memoBox = nullptr;
    QPushButton *m_saveMemoButton = nullptr;
    QString m_storedMemo; // the memo as the file holds it, read or saved last
};

} // namespace mirute
