#include "gui/games/common/game_window.h"

#include "gui/games/common/field_keyboard.h"
#include "gui/games/common/grid_fit_widget.h"
#include "gui/games/common/history_panel_widget.h"
#include "gui/games/common/scoreboard_widget.h"
#include "gui/games/common/traffic_light_widget.h"
#include "gui/games/common/weak_panel_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/help_tour_dialog.h"
#include "gui/widgets/message_dialog.h"
#include "gui/widgets/window_place.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kAnswerBoxName = QStringLiteral("txtKaitou");
const QString kTimeModeName = QStringLiteral("optMode_1");
const QString kCountModeName = QStringLiteral("optMode_0");
const QString kTimeLimitName = QStringLiteral("cboJikan");
const QString kCountLimitName = QStringLiteral("cboKaisu");
const QString kAutoSaveName = QStringLiteral("chkAs");
const QString kStartName = QStringLiteral("cmdStart");
const QString kSaveName = QStringLiteral("cmdHozon");
const QString kClearName = QStringLiteral("cmdClear");
const QString kBackName = QStringLiteral("cmdEnd");
const QString kTimeBarBackName = QStringLiteral("shpJikanB");
const QString kTimeBarName = QStringLiteral("shpJikanK");
const QString kAnswerListName = QStringLiteral("msgKaitou");
const QString kPracticeName = QStringLiteral("chkNigate");

// The answer box. A QLineEdit answers the input method's question whether it takes input through it without
// heeding Qt::WA_InputMethodEnabled; this one heeds it, so that a box for digits can keep the input method off.
class AnswerBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (query == Qt::ImEnabled && !testAttribute(Qt::WA_InputMethodEnabled))
            return false;
        return QLineEdit::inputMethodQuery(query);
    }
};

// Rows the history list shows at the least above its chart.
constexpr int kHistoryRows = 3;
// The answer list shows at least this many answers before it scrolls to its newest.
constexpr int kAnswerRows = 8;
} // namespace

GameWindow::GameWindow(std::unique_ptr<GameEngine> engine, QWidget *parent)
    : QWidget(parent), m_engine(std::move(engine)) {
    const GameDefinition &def = m_engine->definition();
    setObjectName(def.formName);
    setWindowTitle(def.windowTitle);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildAnswerColumn();
    buildControlColumn();
    m_answerList = new GridWidget(&m_engine->answerList(), this);
    m_answerList->setObjectName(kAnswerListName);
    m_answerList->setAccessibleName(QStringLiteral("解答一覧"));
    m_historyPanel = new HistoryPanelWidget(m_engine->history(), def, this);
    if (m_engine->keepsAnswers())
        buildWeakControls();
    connectControls();
    buildLayout();

    GameEngine *e = m_engine.get();
    connect(e, &GameEngine::scoreboardChanged, this, &GameWindow::renderScoreboard);
    connect(e, &GameEngine::controlsChanged, this, &GameWindow::renderControls);
    connect(e, &GameEngine::countdownChanged, this, &GameWindow::renderCountdown);
    connect(e, &GameEngine::barChanged, this, &GameWindow::renderBar);
    connect(e, &GameEngine::focusRequested, this, &GameWindow::focusTarget);
    connect(e, &GameEngine::answerBoxCleared, this, [this] {
        if (m_answerBox)
            m_answerBox->clear();
    });
    connect(e, &GameEngine::saveFailed, this, &GameWindow::reportError);
    connect(&e->history(), &GameHistory::stateChanged, m_historyPanel, &HistoryPanelWidget::render);
    m_timeBarBack->installEventFilter(this);
}

GameWindow::~GameWindow() = default;

int GameWindow::tw(int twips) const {
    return GridWidget::twipsToPixels(twips, this);
}

QPushButton *GameWindow::makeButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}

// The game's question area comes first (setQuestionView), then the answer box of the typing games.
void GameWindow::buildAnswerColumn() {
    m_questionColumn = new QVBoxLayout;
    if (!m_engine->rules().hasAnswerBox())
        return;
    auto *row = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("解答"), this);
    caption->setObjectName(kAnswerCaptionName);
    row->addWidget(caption);
    m_answerBox = new AnswerBox(this);
    m_answerBox->setObjectName(kAnswerBoxName);
    m_answerBox->setAccessibleName(QStringLiteral("解答"));
    QFont f = m_answerBox->font();
    f.setPointSize(20);
    m_answerBox->setFont(f);
    caption->setBuddy(m_answerBox);
    row->addWidget(m_answerBox, 1);
    m_questionColumn->addLayout(row);
}

// Beside the question: the mode, the game's settings, the start row, the scoreboard and the time bar.
void GameWindow::buildControlColumn() {
    m_controlColumn = new QVBoxLayout;
    m_controlColumn->addWidget(buildModeBox());
    buildSettingsFrame();
    m_controlColumn->addWidget(m_settingsFrame);
    m_controlColumn->addLayout(buildStartRow());
    m_scoreboard = new ScoreboardWidget(m_engine->definition(), this);
    m_controlColumn->addWidget(m_scoreboard);
    buildTimeBar();
    m_controlColumn->addWidget(m_timeBarBack);
    m_controlColumn->addStretch(1);
}

QWidget *GameWindow::buildModeBox() {
    const GameDefinition &def = m_engine->definition();
    auto *modeBox = new QGroupBox(QStringLiteral("モード"), this);
    auto *modeGrid = new QGridLayout(modeBox);
    m_timeModeOption = new QRadioButton(QStringLiteral("秒数"), modeBox);
    m_timeModeOption->setObjectName(kTimeModeName);
    m_countModeOption = new QRadioButton(def.countCaption, modeBox);
    m_countModeOption->setObjectName(kCountModeName);
    m_timeLimitBox = new QComboBox(modeBox);
    m_timeLimitBox->setObjectName(kTimeLimitName);
    m_timeLimitBox->setAccessibleName(QStringLiteral("秒数"));
    m_countLimitBox = new QComboBox(modeBox);
    m_countLimitBox->setObjectName(kCountLimitName);
    m_countLimitBox->setAccessibleName(def.countCaption);
    for (int s = 10; s <= 180; s += 10)
        m_timeLimitBox->addItem(QString::number(s));
    for (int n = 1; n <= def.countMax; ++n)
        m_countLimitBox->addItem(QString::number(n));
    // One row: the height goes to the answer list and the history.
    modeGrid->addWidget(m_timeModeOption, 0, 0);
    modeGrid->addWidget(m_timeLimitBox, 0, 1);
    modeGrid->addWidget(m_countModeOption, 0, 2);
    modeGrid->addWidget(m_countLimitBox, 0, 3);
    m_autoSaveBox = new QCheckBox(modeBox);
    m_autoSaveBox->setObjectName(kAutoSaveName);
    m_autoSaveBox->setToolTip(QStringLiteral("履歴の自動保存を制御します"));
    m_autoSaveBox->setAccessibleName(QStringLiteral("自動保存"));
    // The caption comes and goes with the mode: its room stays.
    m_autoSaveBox->setText(QStringLiteral("手動保存モード"));
    m_autoSaveBox->setMinimumWidth(m_autoSaveBox->sizeHint().width());
    m_autoSaveBox->setText(QString());
    modeGrid->addWidget(m_autoSaveBox, 0, 4);
    modeGrid->setColumnStretch(5, 1);
    return modeBox;
}

void GameWindow::buildSettingsFrame() {
    m_settingsFrame = new QGroupBox(QStringLiteral("ゲーム設定"), this);
    m_gameSettings = new QHBoxLayout(m_settingsFrame);
    m_settingsFrame->hide(); // shown when a game puts its own settings in it
}

QLayout *GameWindow::buildStartRow() {
    auto *startRow = new QHBoxLayout;
    // The three lights take turns in one place in front of the buttons.
    auto *lightHolder = new QWidget(this);
    lightHolder->setFixedSize(tw(1260), tw(450));
    auto *lights = new QGridLayout(lightHolder);
    lights->setContentsMargins(0, 0, 0, 0);
    for (CountdownLight light : {CountdownLight::Red, CountdownLight::Yellow, CountdownLight::Green}) {
        TrafficLightWidget *&widget = m_lights[int(light)];
        widget = new TrafficLightWidget(light, lightHolder);
        widget->hide();
        lights->addWidget(widget, 0, 0);
    }
    startRow->addWidget(lightHolder);
    m_startButton = makeButton(kStartName, QStringLiteral("スタート"), this);
    m_startButton->setToolTip(QStringLiteral("ゲームをスタートします"));
    m_saveButton = makeButton(kSaveName, QStringLiteral("保存"), this);
    m_saveButton->setToolTip(QStringLiteral("データを保存します"));
    m_clearButton = makeButton(kClearName, QStringLiteral("クリア"), this);
    m_clearButton->setToolTip(QStringLiteral("履歴データをクリアします"));
    m_backButton = makeButton(kBackName, QStringLiteral("戻り"), this);
    m_backButton->setToolTip(QStringLiteral("プログラムを終了します"));
    for (QPushButton *b : {m_startButton, m_saveButton, m_clearButton, m_backButton})
        startRow->addWidget(b);
    return startRow;
}

void GameWindow::buildTimeBar() {
    m_timeBarBack = new QFrame(this);
    m_timeBarBack->setObjectName(kTimeBarBackName);
    m_timeBarBack->setFixedHeight(tw(180));
    m_timeBarBack->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));
    m_timeBar = new QFrame(m_timeBarBack);
    m_timeBar->setObjectName(kTimeBarName);
    m_timeBar->setStyleSheet(QStringLiteral("background-color: rgb(0, 128, 255);"));
    m_timeBar->setAccessibleName(QStringLiteral("残り時間"));
}

// The 苦手 view in the history panel, and 苦手練習 among the game's settings.
void GameWindow::buildWeakControls() {
    m_historyPanel->addWeakPanel(new WeakPanelWidget(*m_engine, this), m_engine->weakView());
    m_practiceBox = new QCheckBox(QStringLiteral("苦手練習"), m_settingsFrame);
    m_practiceBox->setObjectName(kPracticeName);
    m_practiceBox->setToolTip(QStringLiteral("直近のプレイで間違えた項目や遅かった項目を多めに出題します"));
    connect(m_practiceBox, &QCheckBox::clicked, this, [this](bool on) { m_engine->setPractice(on); });
}

void GameWindow::connectControls() {
    connect(m_timeModeOption, &QRadioButton::clicked, this, [this] { m_engine->setMode(GameMode::TimeLimit); });
    connect(m_countModeOption, &QRadioButton::clicked, this, [this] { m_engine->setMode(GameMode::AnswerCount); });
    connect(m_timeLimitBox, &QComboBox::activated, this,
            [this](int i) { m_engine->setTimeLimit(m_timeLimitBox->itemText(i).toInt()); });
    connect(m_countLimitBox, &QComboBox::activated, this,
            [this](int i) { m_engine->setCountLimit(m_countLimitBox->itemText(i).toInt()); });
    connect(m_autoSaveBox, &QCheckBox::clicked, this, [this](bool on) { m_engine->setAutoSave(on); });
    connect(m_startButton, &QPushButton::clicked, this, &GameWindow::onStartClicked);
    connect(m_saveButton, &QPushButton::clicked, this, &GameWindow::onSaveClicked);
    connect(m_clearButton, &QPushButton::clicked, this, &GameWindow::onClearClicked);
    connect(m_backButton, &QPushButton::clicked, this, &GameWindow::onBackClicked);
}

// The question with the controls and the answer list beside it, the history panel under them taking the
// room the window has to spare, the chart and filter buttons at the bottom.
void GameWindow::buildLayout() {
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 4);
    m_body = new QGridLayout;
    m_body->addLayout(m_questionColumn, 0, 0);
    m_body->addLayout(m_controlColumn, 0, 1);
    m_body->addWidget(m_answerList, 0, 2);
    m_body->addWidget(m_historyPanel, 1, 0, 1, 3);
    m_body->setRowStretch(1, 1);
    m_body->setColumnStretch(2, 1);
    outer->addLayout(m_body, 1);
    outer->addWidget(m_historyPanel->choicesBar());
}

void GameWindow::setQuestionView(QWidget *view) {
    if (!view)
        return;
    view->setParent(this);
    m_questionView = view;
    // A question that keeps its size has the answer box right under it and the room to spare below.
    const bool grows = view->sizePolicy().verticalPolicy() & QSizePolicy::GrowFlag;
    m_questionColumn->insertWidget(0, view, grows ? 1 : 0);
    if (!grows)
        m_questionColumn->addStretch(1);
    if (m_practiceBox)
        m_gameSettings->addWidget(m_practiceBox);
    if (m_gameSettings->count() > 0)
        m_settingsFrame->show();
}

void GameWindow::placeQuestionBesideHistory() {
    m_body->removeItem(m_questionColumn);
    m_body->removeWidget(m_historyPanel);
    m_body->addLayout(m_questionColumn, 0, 0, 2, 1);
    m_body->addWidget(m_historyPanel, 1, 1, 1, 2);
}

// The answer list shows its answers up to the one from which it scrolls to the newest; the history list a
// few plays above its chart; neither needs a sideways scroll bar.
void GameWindow::fitListsToTheirRows() {
    const int answers = qMax(kAnswerRows, m_engine->definition().answerScrollRows - 1);
    m_answerList->setMinimumSize(gridWidthForColumns(m_answerList), gridHeightForRows(m_answerList, answers));
    m_historyPanel->fitToRows(kHistoryRows);
}

// The smallest size at which everything shows, a little more for the history where the screen has room.
void GameWindow::sizeToScreen() {
    layout()->activate();
    QSize size = minimumSizeHint().expandedTo(minimumSize());
    size.rheight() += 4 * m_historyPanel->list()->verticalHeader()->defaultSectionSize();
    if (const QScreen *s = screen()) {
        const QRect room = s->availableGeometry();
        // A window frame takes a title bar: leave it room on a small screen.
        size = size.boundedTo(QSize(room.width(), room.height() - 40)).expandedTo(minimumSize());
    }
    resize(size);
}

bool GameWindow::eventFilter(QObject *watched, QEvent *event) {
    // The time bar follows the width of its background.
    if (watched == m_timeBarBack && event->type() == QEvent::Resize)
        renderBar(m_engine->barFraction());
    return QWidget::eventFilter(watched, event);
}

// Tab follows the screen: the question and its answer box, the mode and the game's own settings, the start
// buttons, the answer list, then the history panel with its charts and filters.
void GameWindow::setTabChain() {
    auto focusable = [](QWidget *parent) {
        QList<QWidget *> list;
        if (!parent)
            return list;
        for (QWidget *w : parent->findChildren<QWidget *>())
            if ((w->focusPolicy() & Qt::TabFocus) && !w->isWindow())
                list << w;
        return list;
    };
    QList<QWidget *> chain = focusable(m_questionView);
    if (m_answerBox)
        chain << m_answerBox;
    chain << m_timeModeOption << m_timeLimitBox << m_countModeOption << m_countLimitBox << m_autoSaveBox;
    chain << focusable(m_settingsFrame);
    chain << m_startButton << m_saveButton << m_clearButton << m_backButton << m_answerList;
    chain << m_historyPanel->tabChain();
    chain.removeAll(nullptr);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        if (chain[i] != chain[i + 1])
            QWidget::setTabOrder(chain[i], chain[i + 1]);
}

QString GameWindow::open() {
    const QString error = m_engine->open();
    if (!error.isEmpty())
        return error;
    setTabChain();
    renderControls();
    renderScoreboard();
    m_historyPanel->render();
    renderBar(m_engine->barFraction());
    fitListsToTheirRows();
    sizeToScreen();
    restoreWindowPlace(this, m_engine->dataDir());
    show();
    QApplication::processEvents();
    if (!m_engine->openNotice().isEmpty())
        MessageDialog::warning(this, windowTitle(), m_engine->openNotice());
    showHelpTour(this, m_engine->definition().helpText);
    m_engine->setTimersRunning(true);
    return {};
}

void GameWindow::renderScoreboard() {
    m_scoreboard->render(m_engine->scoreboard());
}

void GameWindow::renderControls() {
    const GameEngine &e = *m_engine;
    const bool locked = e.limitsLocked();
    const bool timeLimit = e.gameMode() == GameMode::TimeLimit;
    (timeLimit ? m_timeModeOption : m_countModeOption)->setChecked(true);
    m_countModeOption->setEnabled(!locked);
    m_timeModeOption->setEnabled(!locked);
    m_timeLimitBox->setEnabled(timeLimit && !locked);
    m_countLimitBox->setEnabled(!timeLimit && !locked);
    m_timeLimitBox->setCurrentText(QString::number(int(e.settings().timeLimit)));
    m_countLimitBox->setCurrentText(QString::number(e.settings().countLimit));
    m_autoSaveBox->setChecked(e.settings().autoSave);
    m_autoSaveBox->setText(e.autoSaveCaption());
    m_startButton->setEnabled(e.startEnabled());
    m_clearButton->setEnabled(e.clearEnabled());
    m_saveButton->setEnabled(e.saveEnabled());
    if (m_practiceBox) {
        m_practiceBox->setChecked(e.weakSettings().practice);
        m_practiceBox->setEnabled(!locked);
    }
}

void GameWindow::renderCountdown(CountdownLight light) {
    for (int i = 1; i <= 3; ++i)
        m_lights[i]->setVisible(CountdownLight(i) == light);
}

void GameWindow::renderBar(double fraction) {
    m_timeBar->setGeometry(0, 0, int(m_timeBarBack->width() * fraction), m_timeBarBack->height());
}

void GameWindow::takeDigitsOnly() {
    m_answerBox->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_answerBox->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhLatinOnly);
}

void GameWindow::focusTarget(GameEngine::Focus target) {
    switch (target) {
    case GameEngine::Focus::Answer:
    case GameEngine::Focus::Countdown:
        if (m_answerBox)
            m_answerBox->setFocus();
        else if (m_fieldKeys && target == GameEngine::Focus::Answer)
            m_fieldKeys->focusCell();
        else if (m_fieldKeys)
            m_fieldKeys->focusField();
        break;
    case GameEngine::Focus::Start: m_startButton->setFocus(); break;
    case GameEngine::Focus::History: m_historyPanel->shownList()->setFocus(); break;
    }
    // A window that is not active is told of no focus change: the frame follows here.
    if (m_fieldKeys)
        m_fieldKeys->markFocusedCell();
}

void GameWindow::onStartClicked() {
    if (unsavedPlayDropConfirmed(QStringLiteral("スタート確認"), QStringLiteral("保存せずに次のプレイを始めますか？")))
        m_engine->start();
}

void GameWindow::onSaveClicked() {
    m_engine->save();
}

void GameWindow::onClearClicked() {
    if (!MessageDialog::confirm(this, QStringLiteral("クリア確認"),
                                QStringLiteral("履歴データをクリアします。よろしいですか？")))
        return;
    const QString error = m_engine->clearHistory();
    if (!error.isEmpty()) {
        reportError(error);
        return;
    }
    MessageDialog::information(this, QStringLiteral("クリア終了"), QStringLiteral("履歴データをクリアしました"));
}

void GameWindow::onBackClicked() {
    if (!leaveConfirmed()) {
        // The play goes on: the keyboard goes back to where answers are given.
        if (m_engine->limitsLocked())
            focusTarget(m_engine->session().startPending ? GameEngine::Focus::Countdown : GameEngine::Focus::Answer);
        return;
    }
    m_engine->leave();
    emit backRequested();
}

// A play under way, or a finished one whose save failed, would be lost without a word: the user is asked
// first, with Cancel the default so that a stray Enter keeps it. Otherwise the game is left at once.
bool GameWindow::leaveConfirmed() {
    if (m_engine->limitsLocked())
        return MessageDialog::confirm(this, QStringLiteral("戻り確認"),
                                      QStringLiteral("プレイ中です。プレイをやめて戻りますか？"));
    return unsavedPlayDropConfirmed(QStringLiteral("戻り確認"), QStringLiteral("保存せずに戻りますか？"));
}

// A play whose save failed stays on screen for "保存" until the user agrees to drop it.
bool GameWindow::unsavedPlayDropConfirmed(const QString &title, const QString &question) {
    return !m_engine->playUnsavedAfterFailure() ||
           MessageDialog::confirm(this, title, QStringLiteral("保存できなかったプレイの記録があります。") + question);
}

void GameWindow::closeEvent(QCloseEvent *e) {
    if (!leaveConfirmed()) {
        e->ignore();
        return;
    }
    // Closing the window by its frame leaves the game the same way as "戻り".
    m_engine->setTimersRunning(false);
    e->accept();
    emit backRequested();
}

void GameWindow::reportError(const QString &text) {
    MessageDialog::warning(this, windowTitle(), text);
}

} // namespace mirute
