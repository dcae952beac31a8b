#pragma once

#include <QWidget>

class QGridLayout;
class QLabel;

namespace mirute {

struct FigureChange;
struct GameDefinition;
struct Scoreboard;

// The figures of a play under the start buttons: time, answers, right, wrong, rate, per second and the best
// reaction, each a caption over its value, and the notice of a new personal best. After a play, under the
// last three figures, their change against the last play of the same mode and limit.
class ScoreboardWidget : public QWidget {
    Q_OBJECT
public:
    ScoreboardWidget(const GameDefinition &def, QWidget *parent);
    void render(const Scoreboard &board);

private:
    QLabel *addCaption(const QString &text, int row, int col);
    QLabel *addFigure(const QString &caption, const QString &name, int row, int col);
    QLabel *addChange(const QString &figureName, int col);
    void showChange(QLabel *label, const FigureChange &change);

    QGridLayout *m_grid = nullptr;
    QLabel *m_time = nullptr, *m_answers = nullptr, *m_ok = nullptr, *m_ng = nullptr;
    QLabel *m_rate = nullptr, *m_perSecond = nullptr, *m_bestReaction = nullptr;
    QLabel *m_bestNotice = nullptr;
    QLabel *m_rateChange = nullptr, *m_perSecondChange = nullptr, *m_reactionChange = nullptr;
};

} // namespace mirute
