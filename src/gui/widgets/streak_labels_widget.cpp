#include "gui/widgets/streak_labels_widget.h"

#include <QBoxLayout>
#include <QLabel>

namespace mirute {

namespace {

QLabel *streakLabel(const QString &name, QWidget *parent) {
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

void setFigure(QLabel *label, const QString &text) {
    label->setText(text);
    label->setAccessibleName(text);
}

} // namespace

StreakLabelsWidget::StreakLabelsWidget(const QString &currentName, const QString &longestName,
                                       Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent) {
    auto *layout =
        new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_current = streakLabel(currentName, this);
    m_longest = streakLabel(longestName, this);
    layout->addWidget(m_current);
    layout->addWidget(m_longest);
    showStreaks(DayStreaks{}, DailyGoal{});
}

void StreakLabelsWidget::showStreaks(const DayStreaks &s, const DailyGoal &goal) {
    setFigure(m_current, currentStreakText(s));
    setFigure(m_longest, longestStreakText(s));
    const QString rules = streakRulesText(goal);
    for (QLabel *l : {m_current, m_longest}) {
        l->setToolTip(rules);
        l->setAccessibleDescription(rules);
    }
}

} // namespace mirute
