#include "gui/panels/day_panel.h"

#include "core/base/clock.h"
#include "core/base/day_time.h"
#include "core/log/play_log.h"
#include "gui/panels/goal_dialog.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/face_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/lamp_shape_widget.h"
#include "gui/widgets/message_dialog.h"
#include "gui/widgets/streak_labels_widget.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kDayPanelName = QStringLiteral("fraMain");
const QString kMonthCalendarName = QStringLiteral("mtvmain");
const QString kSulkyFaceName = QStringLiteral("imgkana");
const QString kSmilingFaceName = QStringLiteral("imgniko");
const QString kLaughingFaceName = QStringLiteral("imgwara");
const QString kNoFaceName = QStringLiteral("imgNashi");
const QString kRatingLabelName = QStringLiteral("lblMHyouka");
const QString kStreakName = QStringLiteral("lblStreak");
const QString kLongestStreakName = QStringLiteral("lblLongestStreak");
const QString kGoalProgressName = QStringLiteral("lblMokuhyou");
const QString kGoalButtonName = QStringLiteral("cmdMokuhyou");
const QString kDayListName = QStringLiteral("msgDayList");
const QString kDayTotalsName = QStringLiteral("msgDayTotal");
const QString kDayTimeName = QStringLiteral("lblDayTotal");
const QString kTimeLineButtonName = QStringLiteral("cmdDay");
const QString kPerGameButtonName = QStringLiteral("cmdTotal");
const QString kPerHourButtonName = QStringLiteral("cmdJikan");
const QString kDayChartName = QStringLiteral("mcrMain");

QString backgroundStyle(const Rgb &c) {
    return QStringLiteral("QLabel { background-color: rgb(%1, %2, %3); border: 1px solid gray; padding: 2px; }")
        .arg(c.r)
        .arg(c.g)
        .arg(c.b);
}

// The progress label is white until the goal is met, and has no colour of its own without a goal.
QString goalStyle(const GoalProgress &p) {
    if (p.measure == GoalMeasure::None)
        return QStringLiteral("QLabel { border: 1px solid gray; padding: 2px; }");
    return backgroundStyle(p.met ? kGoalMetBack : kWhite);
}

} // namespace

DayPanel::DayPanel(MainState &state, QWidget *parent) : LogPanel(state, kDayPanelName, parent) {
    auto *root = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    buildRatingArea(left);
    m_monthCalendar = new QCalendarWidget(this);
    m_monthCalendar->setObjectName(kMonthCalendarName);
    m_monthCalendar->setAccessibleName(QStringLiteral("カレンダー"));
    m_monthCalendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    m_monthCalendar->setFirstDayOfWeek(Qt::Sunday);
    m_monthCalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_monthCalendar->setGridVisible(true);
    // A click picks the day; Enter does the same from the keyboard.
    connect(m_monthCalendar, &QCalendarWidget::clicked, this, &DayPanel::onCalendarDateClicked);
    connect(m_monthCalendar, &QCalendarWidget::activated, this, &DayPanel::onCalendarDateClicked);
    left->addWidget(m_monthCalendar);
    left->addStretch();
    root->addLayout(left);

    auto *right = new QVBoxLayout;
    buildLists(right);
    buildChart(right);
    root->addLayout(right, 1);
    paintViewButtons();
}

void DayPanel::buildRatingArea(QBoxLayout *into) {
    auto *row = new QHBoxLayout;
    auto *faces = new QGridLayout;
    const QList<QPair<QString, DayFace>> faceNames = {{kSulkyFaceName, DayFace::Sulky},
                                                      {kSmilingFaceName, DayFace::Smiling},
                                                      {kLaughingFaceName, DayFace::Laughing},
                                                      {kNoFaceName, DayFace::None}};
    for (const auto &[name, face] : faceNames) {
        auto *w = new FaceWidget(face, this);
        w->setObjectName(name);
        w->setFixedSize(72, 72);
        w->setVisible(face == DayFace::None);
        faces->addWidget(w, 0, 0);
        m_faces.append(w);
    }
    row->addLayout(faces);

    auto *rating = new QVBoxLayout;
    auto *lamps = new QHBoxLayout;
    lamps->setSpacing(4);
    for (int i = 1; i <= kLampCount; ++i) {
        auto *lamp = new LampShapeWidget(i, this);
        lamp->setFixedSize(24, 24);
        m_lamps.append(lamp);
        lamps->addWidget(lamp);
    }
    lamps->addStretch();
    rating->addLayout(lamps);
    m_ratingLabel = new QLabel(this);
    m_ratingLabel->setObjectName(kRatingLabelName);
    m_ratingLabel->setAccessibleDescription(QStringLiteral("その日の評価"));
    m_ratingLabel->setAlignment(Qt::AlignCenter);
    QFont f = m_ratingLabel->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    m_ratingLabel->setFont(f);
    rating->addWidget(m_ratingLabel);
    m_streaks = new StreakLabelsWidget(kStreakName, kLongestStreakName, Qt::Horizontal, this);
    rating->addWidget(m_streaks);
    auto *goal = new QHBoxLayout;
    m_goalLabel = new QLabel(this);
    m_goalLabel->setObjectName(kGoalProgressName);
    m_goalLabel->setTextFormat(Qt::PlainText);
    m_goalLabel->setAlignment(Qt::AlignCenter);
    m_goalLabel->setAccessibleDescription(QStringLiteral("今日の目標"));
    goal->addWidget(m_goalLabel, 1);
    m_goalButton = new QPushButton(QStringLiteral("目標…"), this);
    m_goalButton->setObjectName(kGoalButtonName);
    m_goalButton->setToolTip(QStringLiteral("毎日の目標と、連続を数えるときの休みを決めます"));
    m_goalButton->setAutoDefault(true);
    connect(m_goalButton, &QPushButton::clicked, this, &DayPanel::onGoalClicked);
    goal->addWidget(m_goalButton);
    rating->addLayout(goal);
    row->addLayout(rating, 1);
    into->addLayout(row);
    showRating(DayRating{});
    showGoalProgress(GoalProgress{});
}

void DayPanel::buildLists(QBoxLayout *into) {
    auto *row = new QHBoxLayout;
    m_dayPlaysGrid = new GridWidget(&m_view.dayList(), this);
    m_dayPlaysGrid->setObjectName(kDayListName);
    m_dayPlaysGrid->setAccessibleName(QStringLiteral("その日のプレイ一覧"));
    m_dayPlaysGrid->setFileTitle(QStringLiteral("メイン_その日のプレイ一覧"));
    row->addWidget(m_dayPlaysGrid, 3);

    auto *totals = new QVBoxLayout;
    m_dayTotalsGrid = new GridWidget(&m_view.dayTotal(), this);
    m_dayTotalsGrid->setObjectName(kDayTotalsName);
    m_dayTotalsGrid->setAccessibleName(QStringLiteral("その日の項目別合計"));
    m_dayTotalsGrid->setFileTitle(QStringLiteral("メイン_その日の項目別合計"));
    totals->addWidget(m_dayTotalsGrid, 1);
    auto *sum = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("合計時間"), this);
    m_dayTimeLabel = new QLabel(QStringLiteral("0:00:00"), this);
    m_dayTimeLabel->setObjectName(kDayTimeName);
    m_dayTimeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_dayTimeLabel->setFrameShape(QFrame::Panel);
    m_dayTimeLabel->setFrameShadow(QFrame::Sunken);
    m_dayTimeLabel->setMinimumWidth(90);
    QFont f = m_dayTimeLabel->font();
    f.setPointSize(f.pointSize() + 3);
    m_dayTimeLabel->setFont(f);
    // A screen reader reads the value itself; the caption is its label (buddy) and its description.
    caption->setBuddy(m_dayTimeLabel);
    m_dayTimeLabel->setAccessibleDescription(caption->text());
    sum->addStretch();
    sum->addWidget(caption);
    sum->addWidget(m_dayTimeLabel);
    totals->addLayout(sum);
    row->addLayout(totals, 2);
    into->addLayout(row, 1);
}

QPushButton *DayPanel::addViewButton(const QString &name, const QString &caption, DayChartView view) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(true);
    m_viewButtons.append({b, view});
    connect(b, &QPushButton::clicked, this, [this, view] { showChartView(view); });
    return b;
}

void DayPanel::buildChart(QBoxLayout *into) {
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(addViewButton(kTimeLineButtonName, QStringLiteral("時系列"), DayChartView::TimeLine));
    buttons->addWidget(addViewButton(kPerGameButtonName, QStringLiteral("項目別"), DayChartView::PerGame));
    buttons->addWidget(addViewButton(kPerHourButtonName, QStringLiteral("時間別"), DayChartView::PerHour));
    buttons->addStretch();
    into->addLayout(buttons);
    m_dayChart = new ChartWidget(&m_view.chart(), this);
    m_dayChart->setObjectName(kDayChartName);
    m_dayChart->setAccessibleName(QStringLiteral("グラフ"));
    m_dayChart->setSeriesColors({QColor(255, 140, 140)});
    m_dayChart->setSeriesNames({QStringLiteral("秒")});
    into->addWidget(m_dayChart, 1);
}

void DayPanel::resetDayGrids() {
    m_view.resetDayGrids();
}

void DayPanel::showSelectedDay() {
    // Picking one day after another reads the same file again: its damage is told once.
    const PlayLogData log = readLogAndWarn(LogWarning::WhenNew);
    const DaySummary &s = m_view.show(log, mainState().selectedDate);
    mainState().emptyLog = s.emptyLog;
    if (!s.emptyLog) {
        mainState().firstPlayDate = s.firstPlayDate;
        mainState().lastPlayDate = s.lastPlayDate;
    }
    // An emptied log shows no time rather than the total of the day shown before.
    m_dayTimeLabel->setText(s.dayTotalText());
    showRating(s.rating);
    // Streaks and the goal run up to today, whichever day is picked.
    const DailyGoal goal = readGoalAndWarn();
    const PlayedDays played(log.records, appClock().now().date());
    m_streaks->showStreaks(dayStreaks(played, goal), goal);
    showGoalProgress(goalProgress(played, goal));
    paintViewButtons();
}

void DayPanel::showRating(const DayRating &rating) {
    for (FaceWidget *face : m_faces)
        face->setVisible(face->face() == rating.face);
    for (int i = 0; i < m_lamps.size(); ++i)
        m_lamps[i]->setFillColor(rating.lamps[i], i < rating.kinds);
    m_ratingLabel->setText(rating.caption);
    m_ratingLabel->setStyleSheet(backgroundStyle(rating.captionBack));
    m_ratingLabel->setProperty("backColor",
                               QVariantList{rating.captionBack.r, rating.captionBack.g, rating.captionBack.b});
}

void DayPanel::showGoalProgress(const GoalProgress &progress) {
    m_goalLabel->setText(progress.text());
    m_goalLabel->setAccessibleName(progress.text());
    m_goalLabel->setStyleSheet(goalStyle(progress));
}

void DayPanel::onGoalClicked() {
    GoalDialog dialog(mainState().dataDir, readGoalAndWarn(), this);
    if (dialog.exec() == QDialog::Accepted)
        showSelectedDay();
}

void DayPanel::setSelectedDate(const QDate &date) {
    mainState().selectedDate = date;
    const QSignalBlocker block(m_monthCalendar);
    m_monthCalendar->setSelectedDate(date);
}

QWidget *DayPanel::firstFocus() {
    return m_monthCalendar;
}

void DayPanel::onCalendarDateClicked(const QDate &date) {
    mainState().selectedDate = date;
    showSelectedDay();
    // The focus stays on the calendar, so that the arrows go on moving the day after a click.
}

void DayPanel::showChartView(DayChartView view) {
    m_view.drawChart(view);
    paintViewButtons();
}

void DayPanel::paintViewButtons() {
    for (const auto &[button, view] : m_viewButtons) {
        setButtonColor(button, view == m_view.chartView() ? kSelectedView : kButtonFace);
        if (view == m_view.chartView())
            m_dayChart->setFileTitle(QStringLiteral("メイン_") + button->text());
    }
}

} // namespace mirute
