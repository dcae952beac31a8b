#pragma once

#include "core/tables/grid.h"

#include <QFrame>
#include <QList>

class QCheckBox;
class QLabel;

namespace mirute {

class GameWindow;

// The question of the typing games 1 and 2: labels 1..n in a grid on a frame
// which flashes green or red after each answer.
class LabelQuestionWidget : public QFrame {
    Q_OBJECT
public:
    LabelQuestionWidget(GameWindow &window, int count, int columns, int pointSize);
    void setTexts(const QStringList &texts);
    QStringList texts() const;
    void setBaseColor(const Rgb &c);

private:
    QList<QLabel *> m_labels;
};

// The check box "順番通り表示" (show the items in row order), the game's own settings field kInOrderField.
QCheckBox *addInOrderCheckBox(GameWindow &window);

} // namespace mirute
