#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace mirute {

class ChartWidget;
class GameEngine;
class GridWidget;

// The 苦手 view of a game window: the items of the last plays, weakest first, as a list and as a chart of the
// weakest of them, in place of the history list and its chart. Its choices (the two orders and the number of
// last plays) form a group of their own beside the chart buttons. It renders the engine's WeakView and
// forwards the clicks.
class WeakPanelWidget : public QWidget {
    Q_OBJECT
public:
    WeakPanelWidget(GameEngine &engine, QWidget *window);

    // The group "苦手", a child of the window, for the bar of choices.
    QGroupBox *choicesBox() const { return m_choices; }
    GridWidget *list() const { return m_list; }
    // The controls in the order Tab visits them.
    QList<QWidget *> tabChain() const;
    void render();

private:
    GameEngine &m_engine;
    QLabel *m_caption = nullptr;
    GridWidget *m_list = nullptr;
    ChartWidget *m_chart = nullptr;
    QGroupBox *m_choices = nullptr;
    QPushButton *m_missesButton = nullptr, *m_slowButton = nullptr;
    QComboBox *m_playsBox = nullptr;
};

} // namespace mirute
