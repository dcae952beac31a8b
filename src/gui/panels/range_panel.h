#pragma once

#include "core/views/range_view.h"
#include "gui/panels/log_panel.h"

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
    void releaseRows() override;

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
    // A handler that refreshes the lists is handed the log, read afresh: its damage is told at the opening,
    // and by a filter button only when the file changed since.
    void refresh(const std::function<void(const QList<PlayRecord> &)> &handler, LogWarning when = LogWarning::WhenNew);
    void readControls();
    void showState();
    void pickGame(QListWidgetItem *item);

    RangeView m_view;
    QHash<QString, QPushButton *> m_buttons;
    QComboBox *m_fromBox = nullptr;
    QComboBox *m_toBox = nullptr;
    QLineEdit *m_keyBox = nullptr;
    QListWidget *m_gameList = nullptr;
    GridWidget *m_rangePlaysGrid = nullptr;
    GridWidget *m_rangeTotalsGrid = nullptr;
    ChartWidget *m_rangePlaysChart = nullptr;
    ChartWidget *m_rangeTotalsChart = nullptr;
    QStringList m_shownDates;
};

} // namespace mirute
