#pragma once

#include "core/views/streaks.h"

#include <QWidget>

class QLabel;

namespace mirute {

// The two streak figures, "連続 N 日" and "最長 M 日", side by side or one above the other; each label
// gives its text to screen readers as its name, and tells what the streaks count in its tooltip.
class StreakLabelsWidget : public QWidget {
    Q_OBJECT
public:
    StreakLabelsWidget(const QString &currentName, const QString &longestName, Qt::Orientation orientation,
                       QWidget *parent = nullptr);
    void showStreaks(const DayStreaks &s, const DailyGoal &goal);

private:
    QLabel *m_current = nullptr;
    QLabel *m_longest = nullptr;
};

} // namespace mirute
