#pragma once

#include "core/log/daily_goal.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace mirute {

// 「目標」: the daily goal (minutes, plays or different games, or none) and the rest days the streaks allow.
// OK writes "目標.txt" in the working folder; a failed write is told and the dialog stays open.
class GoalDialog : public QDialog {
    Q_OBJECT
public:
    GoalDialog(const QString &dataDir, const DailyGoal &current, QWidget *parent = nullptr);
    // The goal as the controls stand.
    DailyGoal goal() const;

    void accept() override;

private:
    void onMeasureChosen();

    QString m_dataDir;
    QComboBox *m_measureBox = nullptr;
    QSpinBox *m_targetBox = nullptr;
    QComboBox *m_restBox = nullptr;
};

} // namespace mirute
