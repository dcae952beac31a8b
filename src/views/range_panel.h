#pragma once

#include "views/log_panel.h"
#include "views/range_view.h"

#include <QHash>
#include <QStringList>

#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace mirute {

class ChartWidget;
class GridWidget;

// 範囲指定: the plays of the log filtered by period, weekday and a part of the game name, with their totals
// per game and three charts. The filter state lives as long as the main window.
class RangePanel : public LogPanel {
    Q_OBJECT
public:
    explicit RangePanel(MainState &state, QWidget *parent = nullptr);
    void fill() override;
    QString helpTourText() const override;
    QWidget *firstFocus() override;

    RangeView &view() { return m_view; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *addButton(const QString &name, const QString &caption);
    QLayout *buildPeriodRow();
    QLayout *buildWeekdayRow();
    QLayout *buildItemRow();
    QLayout *buildChartButtons();
    // Every handler runs between these: the typed texts go into the view, the view's state comes back.
    void run(const std::function<void()> &handler);
    void readControls();
    void showState();
    void reportReadFailure();
    void pickGame(QListWidgetItem *item);

    RangeView m_view;
    QHash<QString, QPushButton *> m_buttons;
    QComboBox *m_cboStdate = nullptr;
    QComboBox *m_cboEddate = nullptr;
    QLineEdit *m_txtKey = nullptr;
    QListWidget *m_lstAct2 = nullptr;
    GridWidget *m_msgBunseki = nullptr;
    GridWidget *m_msgBunseki2 = nullptr;
    ChartWidget *m_mcrBunseki = nullptr;
    ChartWidget *m_mcrBunseki2 = nullptr;
    QStringList m_shownDates;
};

} // namespace mirute
