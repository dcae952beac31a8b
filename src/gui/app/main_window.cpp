#include "gui/app/main_window.h"

#include "core/base/clock.h"
#include "core/base/data_files.h"
#include "core/base/text_file.h"
#include "core/games/common/kept_plays.h"
#include "core/log/app_state.h"
#include "core/log/backups.h"
#include "core/views/help_texts.h"
#include "gui/app/help_viewer_window.h"
#include "gui/panels/all_graphs_panel.h"
#include "gui/panels/calendar_panel.h"
#include "gui/panels/day_panel.h"
#include "gui/panels/diary_panel.h"
#include "gui/panels/edit_panel.h"
#include "gui/panels/range_panel.h"
#include "gui/panels/sort_panel.h"
#include "gui/panels/totals_panel.h"
#include "gui/panels/weekly_scores_panel.h"
#include "gui/widgets/help_tour_dialog.h"
#include "gui/widgets/icons.h"
#include "gui/widgets/message_dialog.h"
#include "gui/widgets/window_place.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kWindowName = QStringLiteral("frmMain");
const QString kGameButtonName = QStringLiteral("cmdGame");
const QString kMainButtonName = QStringLiteral("cmdMain");
const QString kAllGraphsButtonName = QStringLiteral("cmdRentai");
const QString kRangeButtonName = QStringLiteral("cmdTaijyu");
const QString kSortButtonName = QStringLiteral("cmdBunseki");
const QString kTotalsButtonName = QStringLiteral("cmdSyuukei");
const QString kCalendarButtonName = QStringLiteral("cmdCale");
const QString kWeeklyButtonName = QStringLiteral("cmdSyuu");
const QString kDiaryButtonName = QStringLiteral("cmdMemo");
const QString kEditButtonName = QStringLiteral("cmdSettei");
const QString kHelpButtonName = QStringLiteral("cmdHelp");
const QString kQuitButtonName = QStringLiteral("cmdOwari");
const QString kHelpTourBoxName = QStringLiteral("chkHelp");
const QString kLauncherName = QStringLiteral("fraGame");
const QString kLauncherBackButtonName = QStringLiteral("cmdModori");
// The launcher's game buttons: name, caption, game number. Button names do not follow the game numbers for
// games 5 and 6.
const QList<std::tuple<QString, QString, int>> kGameButtons = {
    {"cmdG1", "抜かな", 1}, {"cmdG2", "抜数字", 2}, {"cmdG3", "抜仲間", 3}, {"cmdG4", "宝探し", 4},
    {"cmdG6", "ランプ", 5}, {"cmdG5", "順クリ", 6}, {"cmdG7", "座標", 7}};
} // namespace

MainWindow::MainWindow(const QString &dataDir, QWidget *parent) : QWidget(parent) {
    setObjectName(kWindowName);
    setAttribute(Qt::WA_DeleteOnClose);
    m_state.dataDir = dataDir;
    auto *root = new QVBoxLayout(this);
    buildButtons();
    auto *bar = new QHBoxLayout;
    for (const QString &name :
         {kGameButtonName, kMainButtonName, kAllGraphsButtonName, kRangeButtonName, kSortButtonName, kTotalsButtonName,
          kCalendarButtonName, kWeeklyButtonName, kDiaryButtonName, kEditButtonName, kHelpButtonName})
        bar->addWidget(m_buttons.value(name));
    bar->addWidget(m_helpTourBox);
    bar->addStretch();
    bar->addWidget(m_buttons.value(kQuitButtonName));
    root->addLayout(bar);
    m_panelArea = new QWidget(this);
    root->addWidget(m_panelArea, 1);
    buildPanels();
    buildLauncher();
    new QShortcut(QKeySequence::HelpContents, this, this, &MainWindow::openHelp);
    // Whichever way the window goes (a game, 終了, its frame, a new start), its place is kept for its next
    // opening. Connected first, so it runs before the window is taken down.
    connect(this, &MainWindow::gameRequested, this, [this] { rememberWindowPlace(this, m_state.dataDir); });
    connect(this, &MainWindow::quitRequested, this, [this] { rememberWindowPlace(this, m_state.dataDir); });
    resize(QSize(1000, 680).expandedTo(minimumSizeHint()));
}

MainWindow::~MainWindow() = default;

QPushButton *MainWindow::addButton(const QString &name, const QString &caption, const QString &tip) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoDefault(true);
    m_buttons.insert(name, b);
    return b;
}

void MainWindow::buildButtons() {
    connect(addButton(kGameButtonName, "ゲーム", "メイン画面を表示します"), &QPushButton::clicked, this,
            &MainWindow::openGameLauncher);
    connect(addButton(kMainButtonName, "メイン", "メイン画面を表示します"), &QPushButton::clicked, this,
            &MainWindow::onMainClicked);
    addButton(kAllGraphsButtonName, "全グラフ", "現在までの全グラフを表示します");
    addButton(kRangeButtonName, "範囲指定", "表示条件を指定できます");
    addButton(kSortButtonName, "並び替え", "データを並び替えて表示できます");
    addButton(kTotalsButtonName, "集計表示", "月別、日別の集計結果を表示します");
    addButton(kCalendarButtonName, "カレンダー", "実施状況把握カレンダーを表示します");
    addButton(kWeeklyButtonName, "週別スコア", "ゲームごとのスコアの週ごとの推移を表示します");
    addButton(kDiaryButtonName, "一言日記", "ちょっとした日記を記録、表示します");
    addButton(kEditButtonName, "編集", "編集画面を表示します");
    connect(addButton(kHelpButtonName, "ヘルプ", "ヘルプファイルを開きます"), &QPushButton::clicked, this,
            &MainWindow::openHelp);
    connect(addButton(kQuitButtonName, "終了", "プログラムを終了します"), &QPushButton::clicked, this,
            &MainWindow::quit);
    m_helpTourBox = new QCheckBox(this);
    m_helpTourBox->setObjectName(kHelpTourBoxName);
    m_helpTourBox->setToolTip(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    m_helpTourBox->setIcon(helpTourIcon());
    m_helpTourBox->setIconSize(QSize(16, 16));
    m_helpTourBox->setAccessibleName(QStringLiteral("ヘルプツアー"));
    m_helpTourBox->setAccessibleDescription(QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
    connect(m_helpTourBox, &QCheckBox::toggled, this, &MainWindow::onHelpTourToggled);
}

void MainWindow::buildPanels() {
    auto *grid = new QGridLayout(m_panelArea);
    grid->setContentsMargins(0, 0, 0, 0);
    m_dayPanel = new DayPanel(m_state, m_panelArea);
    m_diaryPanel = new DiaryPanel(m_state, m_panelArea);
    auto *allGraphsPanel = new AllGraphsPanel(m_state, m_panelArea);
    auto *rangePanel = new RangePanel(m_state, m_panelArea);
    auto *sortPanel = new SortPanel(m_state, m_panelArea);
    auto *totalsPanel = new TotalsPanel(m_state, m_panelArea);
    auto *calendarPanel = new CalendarPanel(m_state, m_panelArea);
    auto *editPanel = new EditPanel(m_state, m_panelArea);
    auto *weeklyPanel = new WeeklyScoresPanel(m_state, m_panelArea);
    m_hideOrder = {rangePanel,    sortPanel,    allGraphsPanel, m_dayPanel, editPanel,
                   calendarPanel, m_diaryPanel, totalsPanel,    weeklyPanel};
    for (LogPanel *p : m_hideOrder) {
        // A hidden panel keeps its say in the window's smallest size: opening the widest one (範囲指定) then
        // finds room enough, instead of widening the window for good.
        QSizePolicy policy = p->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        p->setSizePolicy(policy);
        grid->addWidget(p, 0, 0);
        m_panels.insert(p->objectName(), p);
        connect(p, &LogPanel::showDayListRequested, m_dayPanel, &DayPanel::showSelectedDay);
        connect(p, &LogPanel::userNameChanged, this, &MainWindow::setUserName);
        connect(p, &LogPanel::quitRequested, this, [this] {
            closeHelpWindows();
            emit quitRequested();
        });
    }
    const QList<QPair<QString, LogPanel *>> buttons = {
        {kAllGraphsButtonName, allGraphsPanel}, {kRangeButtonName, rangePanel},       {kSortButtonName, sortPanel},
        {kTotalsButtonName, totalsPanel},       {kCalendarButtonName, calendarPanel}, {kWeeklyButtonName, weeklyPanel},
        {kDiaryButtonName, m_diaryPanel},       {kEditButtonName, editPanel}};
    for (const auto &[name, p] : buttons)
        connect(m_buttons.value(name), &QPushButton::clicked, this, [this, p = p] { switchPanel(p); });
}

void MainWindow::buildLauncher() {
    m_gameLauncher = new QFrame(this);
    m_gameLauncher->setObjectName(kLauncherName);
    m_gameLauncher->setFrameShape(QFrame::Box);
    m_gameLauncher->setAutoFillBackground(true);
    // The launcher lies over the panel shown: the layout check takes it as a window of its own.
    m_gameLauncher->setProperty("layoutCheckIgnore", true);
    auto *layout = new QHBoxLayout(m_gameLauncher);
    for (const auto &[name, caption, gameNo] : kGameButtons) {
        auto *b = new QPushButton(caption, m_gameLauncher);
        b->setObjectName(name);
        b->setMinimumSize(84, 64);
        b->setAutoDefault(true);
        m_buttons.insert(name, b);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, gameNo = gameNo] { launchGame(gameNo); });
    }
    auto *back = new QPushButton(QStringLiteral("戻る"), m_gameLauncher);
    back->setObjectName(kLauncherBackButtonName);
    back->setToolTip(QStringLiteral("キャンセルします"));
    back->setAutoDefault(true);
    m_buttons.insert(back->objectName(), back);
    layout->addWidget(back);
    connect(back, &QPushButton::clicked, this, &MainWindow::closeGameLauncher);
    // Esc puts the launcher away as its 戻る does.
    new QShortcut(QKeySequence(Qt::Key_Escape), m_gameLauncher, this, &MainWindow::closeGameLauncher,
                  Qt::WidgetWithChildrenShortcut);
    m_gameLauncher->adjustSize();
    m_gameLauncher->move(20, 60);
    m_gameLauncher->hide();
}

QPushButton *MainWindow::button(const QString &objectName) const {
    return m_buttons.value(objectName);
}
LogPanel *MainWindow::panel(const QString &objectName) const {
    return m_panels.value(objectName);
}

LogPanel *MainWindow::visiblePanel() const {
    for (LogPanel *p : m_hideOrder)
        if (p->isVisibleTo(const_cast<MainWindow *>(this)))
            return p;
    return nullptr;
}

void MainWindow::hideAllPanels() {
    for (LogPanel *p : m_hideOrder) {
        const bool wasShown = p->isVisibleTo(this);
        p->hide();
        // Every panel but the main panel is filled from the log again when it opens, so what it holds of the
        // log is dropped rather than kept.
        if (wasShown && p != m_dayPanel)
            p->releaseRows();
    }
}

void MainWindow::loadUserName() {
    const NameRead r = readName(m_state.dataDir);
    if (!r.error.isEmpty())
        reportError(r.error);
    else
        appState().userName = r.name;
    setWindowTitle(windowCaption(appState().userName));
}

void MainWindow::reportError(const QString &text) {
    MessageDialog::warning(this, QStringLiteral("ミルテ５"), text);
}

void MainWindow::startUp() {
    setWindowState(Qt::WindowNoState);
    // Where the user left it, maximised or not, rather than at its own size every time.
    restoreWindowPlace(this, m_state.dataDir);
    m_state.loading = true;
    if (const QString err = ensureStartupFiles(m_state.dataDir); !err.isEmpty())
        reportError(err);
    // A restore cut short by the program's end is completed before anything is read.
    if (const QString said = finishInterruptedRestore(m_state.dataDir); !said.isEmpty())
        reportError(said);
    hideAllPanels();
    m_state.selectedDate = appClock().now().date();
    m_dayPanel->setSelectedDate(m_state.selectedDate);
    loadUserName();
    m_dayPanel->resetDayGrids();
    m_dayPanel->showSelectedDay();
    m_diaryPanel->readMemo();
    const FlagRead flag = readHelpTourFlag(m_state.dataDir);
    if (!flag.error.isEmpty())
        reportError(flag.error);
    appState().helpTourFlag = flag.flag;
    show();
    m_dayPanel->show();
    m_helpTourBox->setChecked(appState().helpTourFlag == 1);
    offerKeptPlays();
    if (!appState().firstStartDone) {
        QApplication::processEvents();
        show();
        QApplication::processEvents();
        appState().firstStartDone = true;
        showHelpTour(this, helptexts::welcome());
    }
    m_state.loading = false;
    m_buttons.value(kGameButtonName)->setFocus();
}

// Plays kept when the program was made to end before they were saved: the user decides once, and saving is
// the default answer, since these are plays the user finished.
void MainWindow::offerKeptPlays() {
    const QString dir = m_state.dataDir;
    const KeptPlays kept = readKeptPlays(dir);
    if (!kept.error.isEmpty())
        reportError(kept.error);
    if (kept.plays.isEmpty())
        return;
    const QString question = QStringLiteral("前回、保存されないまま終了したプレイがあります。\r\n\r\n%1\r\n\r\n"
                                            "記録に保存しますか？（キャンセルを押すと保存せずに捨てます）")
                                 .arg(keptPlaysText(kept.plays));
    const bool save = MessageDialog::confirm(this, QStringLiteral("未保存のプレイ"), question, MessageDialog::Ok);
    if (const WriteResult w = save ? saveKeptPlays(dir, kept.plays) : discardKeptPlays(dir); !w.ok())
        reportError(w.error);
    if (save)
        m_dayPanel->showSelectedDay();
}

void MainWindow::switchPanel(LogPanel *panel) {
    if (panel->isVisibleTo(this) || !m_diaryPanel->settleMemo())
        return;
    if (panel->fillsBeforeHiding()) {
        panel->fill();
        hideAllPanels();
    } else {
        hideAllPanels();
        panel->fill();
    }
    panel->show();
    if (QWidget *w = panel->firstFocus())
        w->setFocus();
    const QString text = panel->helpTourText();
    if (text.isEmpty() || appState().helpTourFlag == 0)
        return;
    // The panel is painted before the explanation covers it.
    QApplication::processEvents();
    showHelpTour(this, text);
}

void MainWindow::onMainClicked() {
    if (m_dayPanel->isVisibleTo(this) || !m_diaryPanel->settleMemo())
        return;
    hideAllPanels();
    m_dayPanel->show();
}

void MainWindow::openGameLauncher() {
    const QDate today = appClock().now().date();
    if (!m_state.firstPlayDate.isEmpty() && m_state.selectedDate != today) {
        m_state.selectedDate = today;
        m_dayPanel->setSelectedDate(today);
        m_dayPanel->showSelectedDay();
    }
    m_gameLauncher->show();
    m_gameLauncher->raise();
    m_buttons.value(std::get<0>(kGameButtons.front()))->setFocus();
}

// The focus was on a game button of the launcher: it goes back to ゲーム.
void MainWindow::closeGameLauncher() {
    m_gameLauncher->hide();
    m_buttons.value(kGameButtonName)->setFocus();
}

void MainWindow::launchGame(int gameNo) {
    // The game replaces this window, and the memo box with it.
    if (!m_diaryPanel->settleMemo())
        return;
    m_closingForGame = true;
    emit gameRequested(gameNo);
}

void MainWindow::openHelp() {
    openHelpViewer(this, m_state.dataDir);
}

void MainWindow::quit() {
    if (!m_diaryPanel->settleMemo())
        return;
    closeHelpWindows();
    emit quitRequested();
}

void MainWindow::closeEvent(QCloseEvent *e) {
    if (!m_closingForGame) {
        if (!m_diaryPanel->settleMemo()) {
            e->ignore();
            return;
        }
        closeHelpWindows();
        emit quitRequested();
    }
    e->accept();
}

void MainWindow::onHelpTourToggled() {
    if (m_state.loading)
        return;
    int flag;
    if (m_helpTourBox->isChecked()) {
        MessageDialog::information(this, QStringLiteral("ヘルプツアーＯＮ"),
                                   QStringLiteral("ヘルプツアー機能をオンにします。"));
        flag = 1;
    } else {
        MessageDialog::information(this, QStringLiteral("ヘルプツアーＯＦＦ"),
                                   QStringLiteral("ヘルプツアー機能をオフにします。"));
        flag = 0;
    }
    appState().helpTourFlag = flag;
    const WriteResult w = writeHelpTourFlag(m_state.dataDir, flag);
    if (!w.ok())
        reportError(w.error);
}

void MainWindow::setUserName(const QString &name) {
    appState().userName = name;
    setWindowTitle(windowCaption(name));
}

} // namespace mirute

namespace mirute {
void MainWindow::closeHelpWindows() {
    closeAllHelpWindows();
}
} // namespace mirute
