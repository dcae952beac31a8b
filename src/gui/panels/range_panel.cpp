#include "gui/panels/range_panel.h"

#include "core/base/clock.h"
#include "core/log/game_names.h"
#include "core/views/help_texts.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kRangePanelName = QStringLiteral("fraTaijyu");
const QString kPeriodCaptionName = QStringLiteral("lblKikan");
const QString kWholeLogButtonName = QStringLiteral("cmdAllDay");
const QString kOwnPeriodButtonName = QStringLiteral("cmdKikanF");
const QString kFromBoxName = QStringLiteral("cboStdate");
const QString kToBoxName = QStringLiteral("cboEddate");
const QString kPeriodDashName = QStringLiteral("lblKara");
const QString kWeekdayCaptionName = QStringLiteral("lblWeek");
const QString kAllWeekdaysButtonName = QStringLiteral("cmdAllWeek");
const QString kGameCaptionName = QStringLiteral("lblAct");
const QString kAllGamesButtonName = QStringLiteral("cmdAllact");
const QString kKeyBoxName = QStringLiteral("txtKey");
const QString kSearchButtonName = QStringLiteral("cmdKensaku");
const QString kGameListName = QStringLiteral("lstAct2");
const QString kPlaysListName = QStringLiteral("msgBunseki");
const QString kTotalsListName = QStringLiteral("msgBunseki2");
const QString kPlaysChartName = QStringLiteral("mcrBunseki");
const QString kTotalsChartName = QStringLiteral("mcrBunseki2");
const QString kPlaysChartButtonName = QStringLiteral("cmdDay3");
const QString kGameChartButtonName = QStringLiteral("cmdTotal3");
const QString kHourChartButtonName = QStringLiteral("cmdJikan3");

QLabel *groupLabel(const QString &name, const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QComboBox *dateCombo(const QString &name, QWidget *parent) {
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumContentsLength(10);
    c->setAccessibleName(name == kFromBoxName ? QStringLiteral("開始日") : QStringLiteral("終了日"));
    return c;
}

} // namespace

RangePanel::RangePanel(MainState &state, QWidget *parent)
    : LogPanel(state, kRangePanelName, parent), m_view(gameNames()) {
    auto *root = new QVBoxLayout(this);
    root->addLayout(buildPeriodRow());
    root->addLayout(buildWeekdayRow());
    root->addLayout(buildItemRow());

    m_rangePlaysGrid = new GridWidget(&m_view.list(), this);
    m_rangePlaysGrid->setObjectName(kPlaysListName);
    m_rangePlaysGrid->setFileTitle(QStringLiteral("範囲指定_一覧"));
    m_rangeTotalsGrid = new GridWidget(&m_view.totals(), this);
    m_rangeTotalsGrid->setObjectName(kTotalsListName);
    m_rangeTotalsGrid->setFileTitle(QStringLiteral("範囲指定_集計"));
    m_rangePlaysChart = new ChartWidget(&m_view.recordChart(), this);
    m_rangePlaysChart->setObjectName(kPlaysChartName);
    m_rangePlaysChart->setAccessibleName(QStringLiteral("時系列グラフ"));
    m_rangePlaysChart->setFileTitle(QStringLiteral("範囲指定_時系列"));
    m_rangePlaysChart->setSeriesColors({QColor(255, 140, 140)});
    m_rangePlaysChart->setSeriesNames({QStringLiteral("秒")});
    m_rangeTotalsChart = new ChartWidget(&m_view.groupChart(), this);
    m_rangeTotalsChart->setObjectName(kTotalsChartName);
    m_rangeTotalsChart->setAccessibleName(QStringLiteral("項目別・時間別グラフ"));
    m_rangeTotalsChart->setFileTitle(QStringLiteral("範囲指定_項目別・時間別"));
    m_rangeTotalsChart->setSeriesColors({QColor(120, 170, 255)});
    m_rangeTotalsChart->setSeriesNames({QStringLiteral("秒")});

    auto *body = new QHBoxLayout;
    body->addWidget(m_rangePlaysGrid, 3);
    auto *middle = new QVBoxLayout;
    middle->addWidget(m_gameList, 1);
    middle->addWidget(m_rangeTotalsGrid, 1);
    body->addLayout(middle, 2);
    auto *right = new QVBoxLayout;
    right->addLayout(buildChartButtons());
    auto *charts = new QGridLayout;
    charts->addWidget(m_rangePlaysChart, 0, 0);
    charts->addWidget(m_rangeTotalsChart, 0, 0);
    right->addLayout(charts, 1);
    body->addLayout(right, 4);
    root->addLayout(body, 1);
    showState();
}

QPushButton *RangePanel::addButton(const QString &name, const QString &caption) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(true);
    m_buttons.insert(name, b);
    return b;
}

QLayout *RangePanel::buildPeriodRow() {
    auto *row = new QHBoxLayout;
    row->addWidget(groupLabel(kPeriodCaptionName, QStringLiteral("期間指定"), this));
    connect(addButton(kWholeLogButtonName, QStringLiteral("全部")), &QPushButton::clicked, this, [this] {
        refresh([this](const QList<PlayRecord> &log) {
            const QString first = mainState().emptyLog ? QString() : mainState().firstPlayDate;
            m_view.chooseWholeLog(first, appClock().now().date(), log);
        });
    });
    row->addWidget(m_buttons.value(kWholeLogButtonName));
    for (const RangePeriodButton &p : RangeView::periodButtons()) {
        QPushButton *b = addButton(p.name, p.caption);
        connect(b, &QPushButton::clicked, this, [this, name = p.name] {
            refresh([this, name](const QList<PlayRecord> &log) {
                m_view.choosePeriod(name, appClock().now().date(), log);
            });
        });
        row->addWidget(b);
    }
    QPushButton *f = addButton(kOwnPeriodButtonName, QStringLiteral("任意"));
    connect(f, &QPushButton::clicked, this,
            [this] { refresh([this](const QList<PlayRecord> &log) { m_view.chooseOwnPeriod(log); }); });
    row->addWidget(f);
    m_fromBox = dateCombo(kFromBoxName, this);
    m_toBox = dateCombo(kToBoxName, this);
    row->addSpacing(8);
    row->addWidget(m_fromBox);
    row->addWidget(groupLabel(kPeriodDashName, QStringLiteral("～"), this));
    row->addWidget(m_toBox);
    row->addStretch();
    return row;
}

QLayout *RangePanel::buildWeekdayRow() {
    auto *row = new QHBoxLayout;
    row->addWidget(groupLabel(kWeekdayCaptionName, QStringLiteral("曜日指定"), this));
    QPushButton *all = addButton(kAllWeekdaysButtonName, QStringLiteral("全部"));
    connect(all, &QPushButton::clicked, this,
            [this] { refresh([this](const QList<PlayRecord> &log) { m_view.chooseAllWeekdays(log); }); });
    row->addWidget(all);
    for (int i = 0; i < 7; ++i) {
        QPushButton *b = addButton(RangeView::weekdayButtonName(i), RangeView::weekdayCaption(i));
        connect(b, &QPushButton::clicked, this,
                [this, i] { refresh([this, i](const QList<PlayRecord> &log) { m_view.chooseWeekday(i, log); }); });
        row->addWidget(b);
    }
    row->addStretch();
    return row;
}

QLayout *RangePanel::buildItemRow() {
    auto *row = new QHBoxLayout;
    row->addWidget(groupLabel(kGameCaptionName, QStringLiteral("項目指定"), this));
    QPushButton *all = addButton(kAllGamesButtonName, QStringLiteral("全部"));
    connect(all, &QPushButton::clicked, this,
            [this] { refresh([this](const QList<PlayRecord> &log) { m_view.chooseAllGames(log); }); });
    row->addWidget(all);
    m_keyBox = new QLineEdit(this);
    m_keyBox->setObjectName(kKeyBoxName);
    m_keyBox->setAccessibleName(QStringLiteral("状況"));
    m_keyBox->installEventFilter(this);
    m_keyBox->setMaximumWidth(240);
    connect(m_keyBox, &QLineEdit::returnPressed, this,
            [this] { refresh([this](const QList<PlayRecord> &log) { m_view.applyKey(log); }); });
    row->addWidget(m_keyBox);
    QPushButton *search = addButton(kSearchButtonName, QStringLiteral("検索"));
    connect(search, &QPushButton::clicked, this,
            [this] { refresh([this](const QList<PlayRecord> &log) { m_view.searchKey(log); }); });
    row->addWidget(search);
    row->addStretch();

    m_gameList = new QListWidget(this);
    m_gameList->setObjectName(kGameListName);
    m_gameList->setAccessibleName(QStringLiteral("項目"));
    m_gameList->addItems(m_view.games());
    connect(m_gameList, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { pickGame(item); });
    m_gameList->installEventFilter(this);
    return row;
}

QLayout *RangePanel::buildChartButtons() {
    auto *row = new QHBoxLayout;
    QPushButton *day = addButton(kPlaysChartButtonName, QStringLiteral("時系列"));
    QPushButton *total = addButton(kGameChartButtonName, QStringLiteral("項目別"));
    QPushButton *hour = addButton(kHourChartButtonName, QStringLiteral("時間別"));
    connect(day, &QPushButton::clicked, this, [this] { run([this] { m_view.showPlaysChart(); }); });
    connect(total, &QPushButton::clicked, this, [this] { run([this] { m_view.showGameChart(); }); });
    connect(hour, &QPushButton::clicked, this, [this] { run([this] { m_view.showHourChart(); }); });
    row->addWidget(day);
    row->addWidget(total);
    row->addWidget(hour);
    row->addStretch();
    return row;
}

void RangePanel::fill() {
    refresh([this](const QList<PlayRecord> &log) { m_view.open(log); }, LogWarning::EveryRead);
}

QString RangePanel::helpTourText() const {
    return helptexts::range();
}

void RangePanel::releaseRows() {
    LogPanel::releaseRows();
    m_view.releaseNumbers();
}

// The key box empties itself when focused, so the panel starts on the first period button instead.
QWidget *RangePanel::firstFocus() {
    return m_buttons.value(kWholeLogButtonName);
}

void RangePanel::pickGame(QListWidgetItem *item) {
    if (item)
        refresh([this, game = item->text()](const QList<PlayRecord> &log) { m_view.chooseGame(game, log); });
}

bool RangePanel::eventFilter(QObject *watched, QEvent *event) {
    // Enter on the game list picks its current entry, as a click does.
    if (watched == m_gameList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pickGame(m_gameList->currentItem());
            return true;
        }
    }
    if (watched == m_keyBox && event->type() == QEvent::FocusIn) {
        // Coming back from another window or a popup menu is not the user entering the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_view.onKeyBoxFocused();
            m_keyBox->clear();
        }
    }
    return LogPanel::eventFilter(watched, event);
}

void RangePanel::run(const std::function<void()> &handler) {
    readControls();
    handler();
    showState();
}

void RangePanel::refresh(const std::function<void(const QList<PlayRecord> &)> &handler, LogWarning when) {
    run([&] { handler(readLogAndWarn(when).records); });
}

void RangePanel::readControls() {
    m_view.filter().from = m_fromBox->currentText();
    m_view.filter().to = m_toBox->currentText();
    m_view.filter().key = m_keyBox->text();
}

void RangePanel::showState() {
    if (m_shownDates != m_view.comboDates()) {
        const QSignalBlocker b1(m_fromBox), b2(m_toBox);
        m_fromBox->clear();
        m_toBox->clear();
        m_fromBox->addItems(m_view.comboDates());
        m_toBox->addItems(m_view.comboDates());
        m_shownDates = m_view.comboDates();
    }
    if (m_fromBox->currentText() != m_view.filter().from)
        m_fromBox->setEditText(m_view.filter().from);
    if (m_toBox->currentText() != m_view.filter().to)
        m_toBox->setEditText(m_view.filter().to);
    if (m_keyBox->text() != m_view.filter().key)
        m_keyBox->setText(m_view.filter().key);
    for (const QString &name : RangeView::buttonNames())
        setButtonColor(m_buttons.value(name), m_view.buttonColor(name));
}

} // namespace mirute
