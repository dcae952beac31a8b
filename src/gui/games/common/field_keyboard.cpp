#include "gui/games/common/field_keyboard.h"

#include "gui/games/common/game_window.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>

namespace mirute {

namespace {

// Width of the frame; it lies outside the cell, over the gap to its neighbours, so that it hides nothing the
// cell shows.
constexpr int kMarkWidth = 3;

// The frame around the focused cell, drawn over the window and never in the way of a click.
class FocusMark : public QWidget {
public:
    explicit FocusMark(QWidget *window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // It lies over the cells by design.
        setProperty("layoutCheckIgnore", true);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QPen pen(QColor(0, 90, 255), kMarkWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        const qreal half = kMarkWidth / 2.0;
        p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    }
};

bool isClickKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

FieldKeyboard::FieldKeyboard(GameWindow &window, QWidget *field, QList<QAbstractButton *> cells, int columns)
    : QObject(field), m_field(field), m_cells(std::move(cells)), m_columns(columns), m_mark(new FocusMark(&window)) {
    for (QAbstractButton *cell : std::as_const(m_cells)) {
        // Reached by Tab and the arrows; a mouse click leaves the keyboard's place where it is.
        cell->setFocusPolicy(Qt::TabFocus);
        cell->installEventFilter(this);
    }
    m_field->installEventFilter(this);
    // What a screen reader names while the lights count down, when the field holds the focus without a cell.
    if (m_field->accessibleName().isEmpty())
        m_field->setAccessibleName(QStringLiteral("問題"));
    window.setFieldKeyboard(this);
}

void FieldKeyboard::focusField() {
    m_field->setFocus(Qt::OtherFocusReason);
}

void FieldKeyboard::focusCell() {
    int index = m_current;
    if (!m_cells[index]->isVisibleTo(m_field))
        for (index = 0; index + 1 < m_cells.size() && !m_cells[index]->isVisibleTo(m_field); ++index) {
        }
    focusIndex(index);
}

void FieldKeyboard::focusIndex(int index) {
    m_current = index;
    m_cells[index]->setFocus(Qt::OtherFocusReason);
    markFocusedCell();
}

// The arrows stop at the edges of the cells shown.
void FieldKeyboard::moveFrom(int index, int rows, int columns) {
    const int row = index / m_columns + rows, column = index % m_columns + columns;
    const int target = row * m_columns + column;
    if (row < 0 || column < 0 || column >= m_columns || target >= m_cells.size() ||
        !m_cells[target]->isVisibleTo(m_field))
        return;
    focusIndex(target);
}

void FieldKeyboard::markFocusedCell() {
    QAbstractButton *cell = m_cells.value(m_current);
    QWidget *window = m_mark->parentWidget();
    const bool shown = cell && window->focusWidget() == cell && cell->isVisibleTo(window);
    if (shown) {
        const QRect at(cell->mapTo(window, QPoint(0, 0)), cell->size());
        m_mark->setGeometry(at.adjusted(-kMarkWidth, -kMarkWidth, kMarkWidth, kMarkWidth));
        m_mark->raise();
    }
    m_mark->setVisible(shown);
}

bool FieldKeyboard::eventFilter(QObject *watched, QEvent *event) {
    const int index = m_cells.indexOf(qobject_cast<QAbstractButton *>(watched));
    switch (event->type()) {
    case QEvent::FocusIn:
        if (index >= 0)
            m_current = index;
        markFocusedCell();
        break;
    case QEvent::FocusOut:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide: markFocusedCell(); break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int rows = key->key() == Qt::Key_Up ? -1 : key->key() == Qt::Key_Down ? 1 : 0;
        const int columns = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
        if (rows == 0 && columns == 0 && !isClickKey(key->key()))
            break;
        if (index < 0) {
            // The field itself holds the focus (the countdown): an arrow enters it, Space and Enter do nothing.
            if (m_field->window()->focusWidget() != m_field)
                break;
            if (!isClickKey(key->key()))
                focusCell();
        } else if (isClickKey(key->key())) {
            if (!key->isAutoRepeat())
                m_cells[index]->click();
        } else {
            moveFrom(index, rows, columns);
        }
        return true;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mirute
