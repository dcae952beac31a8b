#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;
class QWidget;

namespace mirute {

class GameWindow;

// The keyboard on the field of a click game: the arrow keys move the focus over its cells in two dimensions,
// Space or Enter clicks the focused cell (the very click of the mouse, judged and timed alike), and a frame
// around the focused cell shows where it is. The game window gives the field the focus for a play.
class FieldKeyboard : public QObject {
public:
    // Cells in rows of `columns`, row by row from the top left, inside `field`.
    FieldKeyboard(GameWindow &window, QWidget *field, QList<QAbstractButton *> cells, int columns);

    // The field without a cell: keys click nothing while the lights count down.
    void focusField();
    // The cell focused last, or the first one shown.
    void focusCell();
    // Frames the focused cell, or nothing when the focus is elsewhere.
    void markFocusedCell();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void moveFrom(int index, int rows, int columns);
    void focusIndex(int index);

    QWidget *m_field;
    QList<QAbstractButton *> m_cells;
    int m_columns;
    int m_current = 0;
    QWidget *m_mark;
};

} // namespace mirute
