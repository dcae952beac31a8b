#pragma once

#include "core/games/common/game_history.h"

#include <QFrame>

class QComboBox;
class QPushButton;

namespace mirute {

class ChartWidget;
class GridWidget;
class WeakPanelWidget;
class WeakView;

// The history panel of a game window: the list of saved plays and, in the chart layout, the chart of the
// chosen button under it. Its choices (the chart buttons and the two filters) form a bar of their own that
// the window places at its bottom. It renders the GameHistory it is given and forwards the clicks.
class HistoryPanelWidget : public QFrame {
    Q_OBJECT
public:
    HistoryPanelWidget(GameHistory &history, const GameDefinition &def, QWidget *window);

    // The chart buttons and the filters, a child of the window.
    QWidget *choicesBar() const { return m_choicesBar; }
    GridWidget *list() const { return m_list; }
    // The list in view: the 苦手 list while it is shown, else the history list.
    GridWidget *shownList() const;
    // The list shows a few plays above the chart, and the panel keeps the room of the chart layout in the
    // list layout too, so that the window never jumps.
    void fitToRows(int listRows);
    // The 苦手 view of the games that keep their answers: shown in the panel in place of the list and its
    // chart, its choices beside the chart buttons; a history choice puts it away.
    void addWeakPanel(WeakPanelWidget *weak, WeakView &view);
    // The controls in the order Tab visits them.
    QList<QWidget *> tabChain() const;
    void render();

private:
    QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent);
    void buildChoicesBar(const GameDefinition &def, QWidget *window);
    void hideWeak();

    GameHistory &m_history;
    QString m_gameName;
    GridWidget *m_list = nullptr;
    ChartWidget *m_chart = nullptr, *m_okNgChart = nullptr;
    QWidget *m_chartArea = nullptr;
    QWidget *m_choicesBar = nullptr;
    QPushButton *m_chartButtons[GameHistory::ButtonCount] = {};
    QComboBox *m_secondsFilter = nullptr, *m_countFilter = nullptr;
    QPushButton *m_showAllButton = nullptr;
    WeakPanelWidget *m_weakPanel = nullptr;
    WeakView *m_weakView = nullptr;
};

} // namespace mirute
