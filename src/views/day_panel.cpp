#include "views/day_panel.h"

#include "games/common/clock.h"
#include "log/day_time.h"
#include "log/play_log.h"
#include "ui/button_color_widget.h"
#include "ui/chart_widget.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"
#include "views/face_widget.h"
#include "views/lamp_shape_widget.h"
#include "views/streak_labels_widget.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {

namespace {

QString backgroundStyle(const Rgb &c) {
    return QStringLiteral("QLabel { background-color: rgb(%1, %2, %3); border: 1px solid gray; padding: 2px; }")
        .arg(c.r)
        .arg(c.g)
        .arg(c.b);
}

} // namespace

DayPanel::DayPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraMain"), parent) {
    auto *root = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    buildRatingArea(left);
    m_mtvmain = new QCalendarWidget(this);
    m_mtvmain->setObjectName(QStringLiteral("mtvmain"));
    m_mtvmain->setAccessibleName(QStringLiteral("カレンダー"));
    m_mtvmain->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    m_mtvmain->setFirstDayOfWeek(Qt::Sunday);
    m_mtvmain->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_mtvmain->setGridVisible(true);
    // A click picks the day; Enter does the same from the keyboard.
    connect(m_mtvmain, &QCalendarWidget::clicked, this, &DayPanel::mtvmain_DateClick);
    connect(m_mtvmain, &QCalendarWidget::activated, this, &DayPanel::mtvmain_DateClick);
    left->addWidget(m_mtvmain);
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
    const QList<QPair<QString, DayFace>> faceNames = {{"imgkana", DayFace::Sulky},
                                                      {"imgniko", DayFace::Smiling},
                                                      {"imgwara", DayFace::Laughing},
                                                      {"imgNashi", DayFace::None}};
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
        m_shpLed.append(lamp);
        lamps->addWidget(lamp);
    }
    lamps->addStretch();
    rating->addLayout(lamps);
    m_lblMHyouka = new QLabel(this);
    m_lblMHyouka->setObjectName(QStringLiteral("lblMHyouka"));
    m_lblMHyouka->setAccessibleDescription(QStringLiteral("その日の評価"));
    m_lblMHyouka->setAlignment(Qt::AlignCenter);
    QFont f = m_lblMHyouka->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    m_lblMHyouka->setFont(f);
    rating->addWidget(m_lblMHyouka);
    m_streaks = new StreakLabelsWidget(QStringLiteral("lblStreak"), QStringLiteral("lblLongestStreak"), Qt::Horizontal,
                                       this);
    rating->addWidget(m_streaks);
    row->addLayout(rating, 1);
    into->addLayout(row);
    showRating(DayRating{});
}

void DayPanel::buildLists(QBoxLayout *into) {
    auto *row = new QHBoxLayout;
    m_msgDayList = new GridWidget(&m_view.dayList(), this);
    m_msgDayList->setObjectName(QStringLiteral("msgDayList"));
    m_msgDayList->setAccessibleName(QStringLiteral("その日のプレイ一覧"));
    row->addWidget(m_msgDayList, 3);

    auto *totals = new QVBoxLayout;
    m_msgDayTotal = new GridWidget(&m_view.dayTotal(), this);
    m_msgDayTotal->setObjectName(QStringLiteral("msgDayTotal"));
    m_msgDayTotal->setAccessibleName(QStringLiteral("その日の項目別合計"));
    totals->addWidget(m_msgDayTotal, 1);
    auto *sum = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("合計時間"), this);
    m_lblDayTotal = new QLabel(QStringLiteral("0:00:00"), this);
    m_lblDayTotal->setObjectName(QStringLiteral("lblDayTotal"));
    m_lblDayTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblDayTotal->setFrameShape(QFrame::Panel);
    m_lblDayTotal->setFrameShadow(QFrame::Sunken);
    m_lblDayTotal->setMinimumWidth(90);
    QFont f = m_lblDayTotal->font();
    f.setPointSize(f.pointSize() + 3);
    m_lblDayTotal->setFont(f);
    // A screen reader reads the value itself; the caption is its label (buddy) and its description.
    caption->setBuddy(m_lblDayTotal);
    m_lblDayTotal->setAccessibleDescription(caption->text());
    sum->addStretch();
    sum->addWidget(caption);
    sum->addWidget(m_lblDayTotal);
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
    buttons->addWidget(addViewButton(QStringLiteral("cmdDay"), QStringLiteral("時系列"), DayChartView::TimeLine));
    buttons->addWidget(addViewButton(QStringLiteral("cmdTotal"), QStringLiteral("項目別"), DayChartView::PerGame));
    buttons->addWidget(addViewButton(QStringLiteral("cmdJikan"), QStringLiteral("時間別"), DayChartView::PerHour));
    buttons->addStretch();
    into->addLayout(buttons);
    m_mcrMain = new ChartWidget(&m_view.chart(), this);
    m_mcrMain->setObjectName(QStringLiteral("mcrMain"));
    m_mcrMain->setAccessibleName(QStringLiteral("グラフ"));
    m_mcrMain->setSeriesColors({QColor(255, 140, 140)});
    m_mcrMain->setSeriesNames({QStringLiteral("秒")});
    into->addWidget(m_mcrMain, 1);
}

void DayPanel::INIT_DAY_GRIDS() {
    m_view.INIT_DAY_GRIDS();
}

void DayPanel::SHOW_DAYLIST() {
    const PlayLogData log = readPlayLog(mainState().dataDir);
    reportLogProblems(log);
    const DaySummary &s = m_view.show(log, mainState().selectedDate);
    mainState().emptyLog = s.emptyLog;
    if (!s.emptyLog) {
        mainState().firstPlayDate = s.firstPlayDate;
        mainState().lastPlayDate = s.lastPlayDate;
    }
    // An emptied log shows no time rather than the total of the day shown before.
    m_lblDayTotal->setText(s.dayTotalText());
    showRating(s.rating);
    // Streaks run up to today, whichever day is picked.
    m_streaks->showStreaks(dayStreaks(log.records, appClock().now().date()));
    paintViewButtons();
}

void DayPanel::reportLogProblems(const PlayLogData &log) {
    const QString text = log.error.isEmpty() ? problemsMessage(kPlayLogFile, log.problems) : log.error;
    // Told once: picking one day after another must not repeat the same warning.
    if (!text.isEmpty() && text != m_lastLogProblem)
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), text);
    m_lastLogProblem = text;
}

void DayPanel::showRating(const DayRating &rating) {
    for (FaceWidget *face : m_faces)
        face->setVisible(face->face() == rating.face);
    for (int i = 0; i < m_shpLed.size(); ++i)
        m_shpLed[i]->setFillColor(rating.lamps[i], i < rating.kinds);
    m_lblMHyouka->setText(rating.caption);
    m_lblMHyouka->setStyleSheet(backgroundStyle(rating.captionBack));
    m_lblMHyouka->setProperty("backColor",
                              QVariantList{rating.captionBack.r, rating.captionBack.g, rating.captionBack.b});
}

void DayPanel::setSelectedDate(const QDate &date) {
    mainState().selectedDate = date;
    const QSignalBlocker block(m_mtvmain);
    m_mtvmain->setSelectedDate(date);
}

QWidget *DayPanel::firstFocus() {
    return m_mtvmain;
}

void DayPanel::mtvmain_DateClick(const QDate &date) {
    mainState().selectedDate = date;
    SHOW_DAYLIST();
    // The focus stays on the calendar, so that the arrows go on moving the day after a click.
}

void DayPanel::showChartView(DayChartView view) {
    m_view.drawChart(view);
    paintViewButtons();
}

void DayPanel::paintViewButtons() {
    for (const auto &[button, view] : m_viewButtons)
        setButtonColor(button, view == m_view.chartView() ? kSelectedView : kButtonFace);
}

} // namespace mirute
