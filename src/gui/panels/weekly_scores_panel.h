#pragma once

#include "core/views/weekly_scores.h"
#include "gui/panels/log_panel.h"

class QComboBox;

namespace mirute {

class ChartWidget;
class GridWidget;

// 週別スコア: one game's score per week, as a list and as bars with the rolling average, from its history file.
// The game and the mode and limit chosen are kept while the main window lives.
class WeeklyScoresPanel : public LogPanel {
    Q_OBJECT
public:
    explicit WeeklyScoresPanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    QWidget *firstFocus() override;

    const WeeklyScoresView &view() const { return m_view; }

private:
    // Reads the game's history and shows its weeks; warns about the file only when it was asked to.
    void showGame(bool warn);
    void chooseGame(int index);
    void chooseLimit(int index);

    WeeklyScoresView m_view;
    int m_gameNo = 1;
    PlayLimit m_limit; // none: the game's most played
    QComboBox *m_gameBox = nullptr;
    QComboBox *m_limitBox = nullptr;
    GridWidget *m_grid = nullptr;
    ChartWidget *m_chart = nullptr;
};

} // namespace mirute
