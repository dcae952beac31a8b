#pragma once

class QPoint;
class QWidget;

namespace mirute {
class GameWindow;
}

namespace mirute::test {

// Events posted by a click or a layout change are handled, as the event loop would between two events.
void settle();

// A click where the player sees the control (at its centre, or at `inside`): it reaches whatever lies there,
// the control itself only when nothing covers it.
void clickWhereShown(QWidget *window, QWidget *control);
void clickWhereShown(QWidget *window, QWidget *control, const QPoint &inside);

// One right answer to the question on screen, given as the player gives it: typed into the answer box, or
// clicked on the field (順番クリック: the nine numbers of the question in their order) — with the mouse, or
// with the keyboard: the arrow keys from the focused cell, then Space or Enter.
void answerRightly(GameWindow *window, bool byKeys = false);

} // namespace mirute::test
