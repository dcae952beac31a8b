#include "gui/panels/calendar_panel.h"

#include "core/base/clock.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_model.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "gui/widgets/streak_labels_widget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QVBoxLayout>

#include <functional>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kCalendarPanelName = QStringLiteral("fraCale");
const QString kMonthGridName = QStringLiteral("msgCale");
const QString kWeekGridName = QStringLiteral("msgCale_w");
const QString kLegendLabelName = QStringLiteral("lblHan_%1");
const QString kCalendarStreakName = QStringLiteral("lblCaleStreak");
const QString kCalendarLongestStreakName = QStringLiteral("lblCaleLongestStreak");
const QString kGoalLegendName = QStringLiteral("lblMokuhyouHan");
const QString kPlaysByWeekdayChartName = QStringLiteral("mcrKensu");
const QString kSecondsByWeekdayChartName = QStringLiteral("mcrKingaku");

const QString kCalendarTitle = QStringLiteral("カレンダー");

GridWidget *calendarGrid(Grid *grid, const QString &name, QWidget *parent) {
    auto *w = new GridWidget(grid, parent);
    w->setObjectName(name);
    w->setAccessibleName(name);
    w->setMouseTracking(true);
    return w;
}

ChartWidget *calendarChart(ChartData *data, const QString &name, const QString &series, const QColor &colour,
                           QWidget *parent) {
    auto *w = new ChartWidget(data, parent);
    w->setObjectName(name);
    w->setAccessibleName(series);
    w->setSeriesColors({colour});
    w->setSeriesNames({series});
    w->setFileTitle(kCalendarTitle + QStringLiteral("_曜日別") + series);
    w->setMinimumSize(280, 180);
    return w;
}

// A frame around the cell of a day that met the goal, drawn over the colour of its number of plays.
class GoalDayFrame : public QStyledItemDelegate {
public:
    GoalDayFrame(std::function<bool(int row, int col)> isGoalDay, QObject *parent)
        : QStyledItemDelegate(parent), m_isGoalDay(std::move(isGoalDay)) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        // The header is not a model row: model row 0 is grid row 1.
        if (!m_isGoalDay(index.row() + 1, index.column()))
            return;
        painter->save();
        QPen pen(GridModel::color(kGoalDayFrame));
        pen.setWidth(kFrameWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -kFrameWidth, -kFrameWidth));
        painter->restore();
    }

private:
    static constexpr int kFrameWidth = 2;
    std::function<bool(int, int)> m_isGoalDay;
};

QString labelStyle(const Rgb &c) {
    return QStringLiteral("QLabel { background-color: rgb(%1, %2, %3); color: black; border: 1px solid gray; "
                          "padding: 2px 6px; }")
        .arg(c.r)
        .arg(c.g)
        .arg(c.b);
}

} // namespace

CalendarPanel::CalendarPanel(MainState &state, QWidget *parent) : LogPanel(state, kCalendarPanelName, parent) {
    auto *layout = new QVBoxLayout(this);
    m_month = calendarGrid(&m_calendar.monthGrid(), kMonthGridName, this);
    m_month->setFileTitle(kCalendarTitle + QStringLiteral("_月"));
    m_month->setRowsChosen(false);
    layout->addWidget(m_month, 1);

    auto *lower = new QHBoxLayout;
    m_week = calendarGrid(&m_calendar.weekGrid(), kWeekGridName, this);
    m_week->setFileTitle(kCalendarTitle + QStringLiteral("_週"));
    m_week->setRowsChosen(false);
    lower->addWidget(m_week, 2);

    auto *legend = new QVBoxLayout;
    for (int i = 0; i < Calendar::kLegendCount; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(kLegendLabelName.arg(i));
        l->setAccessibleDescription(QStringLiteral("凡例"));
        l->setStyleSheet(labelStyle(Calendar::classColor(i)));
        legend->addWidget(l);
        m_legend.append(l);
    }
    m_goalLegend = new QLabel(this);
    m_goalLegend->setObjectName(kGoalLegendName);
    m_goalLegend->setAccessibleDescription(QStringLiteral("凡例"));
    m_goalLegend->setStyleSheet(
        QStringLiteral("QLabel { background-color: white; color: black; border: 2px solid rgb(%1, %2, %3); "
                       "padding: 1px 5px; }")
            .arg(kGoalDayFrame.r)
            .arg(kGoalDayFrame.g)
            .arg(kGoalDayFrame.b));
    m_goalLegend->setToolTip(QStringLiteral("緑の枠は、毎日の目標を達成した日です"));
    m_goalLegend->hide();
    legend->addWidget(m_goalLegend);
    legend->addSpacing(8);
    m_streaks = new StreakLabelsWidget(kCalendarStreakName, kCalendarLongestStreakName, Qt::Vertical, this);
    legend->addWidget(m_streaks);
    legend->addStretch(1);
    lower->addLayout(legend);

    auto *charts = new QVBoxLayout;
    m_counts = calendarChart(&m_calendar.playsByWeekdayChart(), kPlaysByWeekdayChartName, QStringLiteral("回数"),
                             QColor(96, 160, 96), this);
    m_seconds = calendarChart(&m_calendar.secondsByWeekdayChart(), kSecondsByWeekdayChartName, QStringLiteral("秒"),
                              QColor(96, 96, 192), this);
    charts->addWidget(m_counts);
    charts->addWidget(m_seconds);
    lower->addLayout(charts, 2);
    layout->addLayout(lower, 1);

    m_month->viewport()->installEventFilter(this);
    m_week->viewport()->installEventFilter(this);
    m_month->setItemDelegate(new GoalDayFrame(
        [this](int row, int col) { return m_calendar.isGoalDay(m_calendar.monthCellDate(row, col)); }, m_month));
    m_week->setItemDelegate(new GoalDayFrame(
        [this](int row, int col) { return m_calendar.isGoalDay(m_calendar.weekCellDate(row, col)); }, m_week));
    showLegend();
}

void CalendarPanel::fill() {
    const PlayLogData log = readLogAndWarn();
    const QDate today = appClock().now().date();
    const QString notice = m_calendar.fill(log, today);
    const DailyGoal goal = readGoalAndWarn();
    const PlayedDays played(log.records, today);
    m_calendar.markGoalDays(played, goal);
    const DayStreaks streaks = dayStreaks(played, goal);
    m_calendar.markLongestRun(streaks);
    m_streaks->showStreaks(streaks, goal);
    showLegend();
    if (!notice.isEmpty())
        MessageDialog::information(this, kCalendarTitle, notice);
}

QString CalendarPanel::helpTourText() const {
    return helptexts::calendar();
}

QWidget *CalendarPanel::firstFocus() {
    return m_month;
}

void CalendarPanel::showLegend() {
    for (int i = 0; i < m_legend.size(); ++i)
        m_legend[i]->setText(m_calendar.legendText(i));
    m_goalLegend->setText(m_calendar.goalLegendText());
    m_goalLegend->setVisible(!m_goalLegend->text().isEmpty());
}

QString CalendarPanel::toolTipAt(GridWidget *grid, const QPoint &viewportPos) const {
    const QModelIndex index = grid->indexAt(viewportPos);
    if (!index.isValid())
        return {};
    // The header is not a model row: model row 0 is grid row 1.
    const int row = index.row() + 1;
    const int col = index.column();
    return grid == m_month ? m_calendar.monthTooltip(row, col) : m_calendar.weekTooltip(row, col);
}

bool CalendarPanel::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::ToolTip) {
        GridWidget *grid = nullptr;
        if (watched == m_month->viewport())
            grid = m_month;
        else if (watched == m_week->viewport())
            grid = m_week;
        if (grid) {
            auto *help = static_cast<QHelpEvent *>(event);
            const QString text = toolTipAt(grid, help->pos());
            if (text.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), text, grid->viewport());
            return true;
        }
    }
    return LogPanel::eventFilter(watched, event);
}

} // namespace mirute
