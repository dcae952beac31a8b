#include "games/common/game_window.h"

#include "app/help_tour_dialog.h"
#include "games/common/traffic_light_widget.h"
#include "ui/button_color_widget.h"
#include "ui/chart_widget.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"

#include <QApplication>
#include <QChart>
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
// Rows the history list shows at the least, above a chart of at least this height (twips).
constexpr int kHistoryRows = 3;
constexpr int kChartHeight = 2700;
// The answer list shows at least this many answers before it scrolls to its newest.
constexpr int kAnswerRows = 8;

// Height that shows `rows` data rows under the header, and width that shows every column, without scrolling.
int gridHeightFor(const GridWidget *grid, int rows) {
    return grid->horizontalHeader()->sizeHint().height() + rows * grid->verticalHeader()->defaultSectionSize() +
           2 * grid->frameWidth();
}

int gridWidthForColumns(const GridWidget *grid) {
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        width += grid->columnWidth(c);
    return width;
}
} // namespace

GameWindow::GameWindow(std::unique_ptr<GameEngine> engine, QWidget *parent)
    : QWidget(parent), m_engine(std::move(engine)) {
    const GameDefinition &def = m_engine->definition();
    setObjectName(def.formName);
    setWindowTitle(def.windowTitle);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildControls();
    buildHistoryPanel();
    buildLayout();

    GameEngine *e = m_engine.get();
    connect(e, &GameEngine::scoreboardChanged, this, &GameWindow::renderScoreboard);
    connect(e, &GameEngine::controlsChanged, this, &GameWindow::renderControls);
    connect(e, &GameEngine::countdownChanged, this, &GameWindow::renderCountdown);
    connect(e, &GameEngine::barChanged, this, &GameWindow::renderBar);
    connect(e, &GameEngine::focusRequested, this, &GameWindow::focusTarget);
    connect(e, &GameEngine::answerBoxCleared, this, [this] {
        if (m_txtKaitou)
            m_txtKaitou->clear();
    });
    connect(e, &GameEngine::saveFailed, this, &GameWindow::reportError);
    connect(&e->history(), &GameHistory::stateChanged, this, &GameWindow::renderHistoryState);
    m_shpJikanB->installEventFilter(this);
}

GameWindow::~GameWindow() = default;

int GameWindow::tw(int twips) const { return GridWidget::twipsToPixels(twips, this); }

QPushButton *GameWindow::makeButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}

QLabel *GameWindow::makeValueLabel(const QString &name) {
    auto *l = new QLabel(this);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(tw(900));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
    return l;
}

QWidget *GameWindow::gameSettingsFrame() const { return m_settingsFrame; }

void GameWindow::buildControls() {
    const GameDefinition &def = m_engine->definition();
    // Left: the game's question area, then the answer box of the typing games.
    auto *left = new QVBoxLayout;
    m_questionColumn = left;
    if (m_engine->rules().hasAnswerBox()) {
        auto *row = new QHBoxLayout;
        auto *caption = new QLabel(QStringLiteral("解答"), this);
        caption->setObjectName(QStringLiteral("lblKaitouCaption"));
        row->addWidget(caption);
        m_txtKaitou = new QLineEdit(this);
        m_txtKaitou->setObjectName(QStringLiteral("txtKaitou"));
        m_txtKaitou->setAccessibleName(QStringLiteral("解答"));
        QFont f = m_txtKaitou->font();
        f.setPointSize(20);
        m_txtKaitou->setFont(f);
        caption->setBuddy(m_txtKaitou);
        row->addWidget(m_txtKaitou, 1);
        left->addLayout(row);
    }

    // Beside it: settings, start and scoreboard; the answer list follows in a column of its own.
    auto *right = new QVBoxLayout;
    m_controlColumn = right;
    auto *modeBox = new QGroupBox(QStringLiteral("モード"), this);
    auto *modeGrid = new QGridLayout(modeBox);
    m_optMode[1] = new QRadioButton(QStringLiteral("秒数"), modeBox);
    m_optMode[1]->setObjectName(QStringLiteral("optMode_1"));
    m_optMode[0] = new QRadioButton(def.countCaption, modeBox);
    m_optMode[0]->setObjectName(QStringLiteral("optMode_0"));
    m_cboJikan = new QComboBox(modeBox);
    m_cboJikan->setObjectName(QStringLiteral("cboJikan"));
    m_cboJikan->setAccessibleName(QStringLiteral("秒数"));
    m_cboKaisu = new QComboBox(modeBox);
    m_cboKaisu->setObjectName(QStringLiteral("cboKaisu"));
    m_cboKaisu->setAccessibleName(def.countCaption);
    for (int s = 10; s <= 180; s += 10)
        m_cboJikan->addItem(QString::number(s));
    for (int n = 1; n <= def.countMax; ++n)
        m_cboKaisu->addItem(QString::number(n));
    // One row: the height goes to the answer list and the history.
    modeGrid->addWidget(m_optMode[1], 0, 0);
    modeGrid->addWidget(m_cboJikan, 0, 1);
    modeGrid->addWidget(m_optMode[0], 0, 2);
    modeGrid->addWidget(m_cboKaisu, 0, 3);
    m_chkAs = new QCheckBox(modeBox);
    m_chkAs->setObjectName(QStringLiteral("chkAs"));
    m_chkAs->setToolTip(QStringLiteral("履歴の自動保存を制御します"));
    m_chkAs->setAccessibleName(QStringLiteral("自動保存"));
    // The caption comes and goes with the mode: its room stays.
    m_chkAs->setText(QStringLiteral("手動保存モード"));
    m_chkAs->setMinimumWidth(m_chkAs->sizeHint().width());
    m_chkAs->setText(QString());
    modeGrid->addWidget(m_chkAs, 0, 4);
    modeGrid->setColumnStretch(5, 1);
    right->addWidget(modeBox);

    m_settingsFrame = new QGroupBox(QStringLiteral("ゲーム設定"), this);
    m_gameSettings = new QHBoxLayout(m_settingsFrame);
    m_settingsFrame->hide();   // shown when a game puts its own settings in it
    right->addWidget(m_settingsFrame);

    auto *startRow = new QHBoxLayout;
    // The three lights take turns in one place in front of the buttons.
    auto *lightHolder = new QWidget(this);
    lightHolder->setFixedSize(tw(1260), tw(450));
    auto *lights = new QGridLayout(lightHolder);
    lights->setContentsMargins(0, 0, 0, 0);
    for (int i = 1; i <= 3; ++i) {
        m_imgStart[i] = new TrafficLightWidget(i, lightHolder);
        m_imgStart[i]->hide();
        lights->addWidget(m_imgStart[i], 0, 0);
    }
    startRow->addWidget(lightHolder);
    m_cmdStart = makeButton("cmdStart", "スタート", this);
    m_cmdStart->setToolTip(QStringLiteral("ゲームをスタートします"));
    m_cmdHozon = makeButton("cmdHozon", "保存", this);
    m_cmdHozon->setToolTip(QStringLiteral("データを保存します"));
    m_cmdClear = makeButton("cmdClear", "クリア", this);
    m_cmdClear->setToolTip(QStringLiteral("履歴データをクリアします"));
    m_cmdEnd = makeButton("cmdEnd", "戻り", this);
    m_cmdEnd->setToolTip(QStringLiteral("プログラムを終了します"));
    for (QPushButton *b : {m_cmdStart, m_cmdHozon, m_cmdClear, m_cmdEnd})
        startRow->addWidget(b);
    right->addLayout(startRow);

    auto *board = new QGridLayout;
    auto caption = [&](const QString &text, int row, int col) {
        auto *l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        board->addWidget(l, row, col);
        return l;
    };
    // A figure of the scoreboard: its caption above, its value label below.
    auto score = [&](const QString &text, const QString &name, int row, int col) {
        caption(text, row, col);
        QLabel *value = makeValueLabel(name);
        value->setAccessibleDescription(text); // the value itself is the label's name
        board->addWidget(value, row + 1, col);
        return value;
    };
    m_lblJikan = score(QStringLiteral("時間"), QStringLiteral("lblJikan"), 0, 0);
    m_lblMojiT = score(QStringLiteral("解答数"), QStringLiteral("lblMoji_T"), 0, 1);
    m_lblOk = score(QStringLiteral("正解"), QStringLiteral("lblOk"), 0, 2);
    m_lblNg = score(QStringLiteral("不正解"), QStringLiteral("lblNg"), 0, 3);
    m_lblRitu = score(QStringLiteral("正解率"), QStringLiteral("lblRitu"), 2, 0);
    m_lblByou = score(def.perSecondCaption, QStringLiteral("lblByou"), 2, 1);
    board->itemAtPosition(2, 1)->widget()->setObjectName(QStringLiteral("lblByouCaption"));
    if (def.showsBestTime) {
        m_lblKiroku = score(QStringLiteral("最高反応"), QStringLiteral("lblKiroku"), 2, 2);
        caption(QStringLiteral("秒"), 3, 3)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    // Empty until a play beats every earlier play of its mode and limit; as wide as its text from the start,
    // so that the scoreboard does not shift when it appears.
    m_lblBest = caption(QString(), 2, 3);
    m_lblBest->setObjectName(QStringLiteral("lblBest"));
    QFont bold = m_lblBest->font();
    bold.setBold(true);
    m_lblBest->setFont(bold);
    m_lblBest->setStyleSheet(QStringLiteral("QLabel { color: rgb(192, 0, 0); }"));
    m_lblBest->setMinimumWidth(m_lblBest->fontMetrics().horizontalAdvance(QStringLiteral("自己ベスト更新！")));
    right->addLayout(board);

    m_shpJikanB = new QFrame(this);
    m_shpJikanB->setObjectName(QStringLiteral("shpJikanB"));
    m_shpJikanB->setFixedHeight(tw(180));
    m_shpJikanB->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));
    m_shpJikanK = new QFrame(m_shpJikanB);
    m_shpJikanK->setObjectName(QStringLiteral("shpJikanK"));
    m_shpJikanK->setStyleSheet(QStringLiteral("background-color: rgb(0, 128, 255);"));
    m_shpJikanK->setAccessibleName(QStringLiteral("残り時間"));
    right->addWidget(m_shpJikanB);
    right->addStretch(1);

    m_msgKaitou = new GridWidget(&m_engine->answerList(), this);
    m_msgKaitou->setObjectName(QStringLiteral("msgKaitou"));
    m_msgKaitou->setAccessibleName(QStringLiteral("解答一覧"));

    connect(m_optMode[1], &QRadioButton::clicked, this, [this] { m_engine->setMode(1); });
    connect(m_optMode[0], &QRadioButton::clicked, this, [this] { m_engine->setMode(0); });
    connect(m_cboJikan, &QComboBox::activated, this,
            [this](int i) { m_engine->setTimeLimit(m_cboJikan->itemText(i).toInt()); });
    connect(m_cboKaisu, &QComboBox::activated, this,
            [this](int i) { m_engine->setCountLimit(m_cboKaisu->itemText(i).toInt()); });
    connect(m_chkAs, &QCheckBox::clicked, this, [this](bool on) { m_engine->setAutoSave(on); });
    connect(m_cmdStart, &QPushButton::clicked, m_engine.get(), &GameEngine::start);
    connect(m_cmdHozon, &QPushButton::clicked, this, &GameWindow::cmdHozon_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &GameWindow::cmdClear_Click);
    connect(m_cmdEnd, &QPushButton::clicked, this, &GameWindow::cmdEnd_Click);
}

void GameWindow::buildHistoryPanel() {
    const GameDefinition &def = m_engine->definition();
    GameHistory &history = m_engine->history();
    // The history panel: the list, and below it in the chart layout the chart of the chosen button.
    m_fraRireki = new QFrame(this);
    m_fraRireki->setObjectName(QStringLiteral("fraRireki"));
    m_fraRireki->setFrameShape(QFrame::StyledPanel);
    auto *panel = new QVBoxLayout(m_fraRireki);
    panel->setContentsMargins(2, 2, 2, 2);
    m_msgRireki = new GridWidget(&history.list(), m_fraRireki);
    m_msgRireki->setObjectName(QStringLiteral("msgRireki"));
    m_msgRireki->setAccessibleName(QStringLiteral("履歴一覧"));
    panel->addWidget(m_msgRireki, 2);
    m_chartArea = new QWidget(m_fraRireki);
    auto *charts = new QVBoxLayout(m_chartArea);
    charts->setContentsMargins(0, 0, 0, 0);
    m_mcrRireki = new ChartWidget(&history.chart(), m_chartArea);
    m_mcrRireki->setObjectName(QStringLiteral("mcrRireki"));
    m_mcrRireki->setAccessibleName(QStringLiteral("履歴グラフ"));
    m_mcrRireki2 = new ChartWidget(&history.chart2(), m_chartArea);
    m_mcrRireki2->setObjectName(QStringLiteral("mcrRireki2"));
    m_mcrRireki2->setAccessibleName(QStringLiteral("ＯＫ・ＮＧグラフ"));
    m_mcrRireki2->setSeriesNames({QStringLiteral("ＯＫ"), QStringLiteral("ＮＧ")});
    for (ChartWidget *chart : {m_mcrRireki, m_mcrRireki2}) {
        // The chart shares the panel with the list: its bars get the room, not its frame.
        chart->chart()->setMargins(QMargins(4, 4, 4, 0));
        chart->chart()->setBackgroundRoundness(0);
        charts->addWidget(chart);
    }
    m_chartArea->setMinimumHeight(tw(kChartHeight));
    m_chartArea->hide();
    panel->addWidget(m_chartArea, 3);

    m_bottom = new QWidget(this);
    auto *bottom = new QHBoxLayout(m_bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    auto *graphBox = new QGroupBox(QStringLiteral("グラフ指定"), m_bottom);
    auto *graphRow = new QHBoxLayout(graphBox);
    graphRow->setContentsMargins(4, 2, 4, 2);
    const QList<std::tuple<GameHistory::Button, QString, QString>> buttons = {
        {GameHistory::Byou, "cmdByou", "秒当たり"},   {GameHistory::Moji, "cmdMoji", def.reactionButton},
        {GameHistory::Ritu, "cmdRitu", "正解率"},     {GameHistory::PByou, "cmdPByou", "秒数"},
        {GameHistory::Kaitou, "cmdKaitou", def.answersButton}, {GameHistory::Jisyo, "cmdJisyo", "予備"}};
    for (const auto &[id, name, text] : buttons) {
        auto *b = makeButton(name, text, graphBox);
        m_chartButtons[id] = b;
        graphRow->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, id = id] { m_engine->history().drawChart(id); });
    }
    bottom->addWidget(graphBox);
    auto *filterBox = new QGroupBox(QStringLiteral("履歴指定"), m_bottom);
    auto *filterRow = new QHBoxLayout(filterBox);
    filterRow->setContentsMargins(4, 2, 4, 2);
    filterRow->addWidget(new QLabel(QStringLiteral("秒数"), filterBox));
    m_cboJikan2 = new QComboBox(filterBox);
    m_cboJikan2->setObjectName(QStringLiteral("cboJikan2"));
    m_cboJikan2->setAccessibleName(QStringLiteral("秒数で絞り込み"));
    filterRow->addWidget(m_cboJikan2);
    filterRow->addWidget(new QLabel(def.countCaption, filterBox));
    m_cboKaisu2 = new QComboBox(filterBox);
    m_cboKaisu2->setObjectName(QStringLiteral("cboKaisu2"));
    m_cboKaisu2->setAccessibleName(def.countCaption + QStringLiteral("で絞り込み"));
    filterRow->addWidget(m_cboKaisu2);
    for (int s = 10; s <= 180; s += 10)
        m_cboJikan2->addItem(QString::number(s));
    for (int n = 1; n <= def.countMax; ++n)
        m_cboKaisu2->addItem(QString::number(n));
    m_cmdAllDsp = makeButton("cmdAllDsp", "全部表示", filterBox);
    filterRow->addWidget(m_cmdAllDsp);
    bottom->addWidget(filterBox);
    bottom->addStretch(1);
    connect(m_cboJikan2, &QComboBox::activated, this,
            [this](int i) { m_engine->history().filterSeconds(m_cboJikan2->itemText(i)); });
    connect(m_cboKaisu2, &QComboBox::activated, this,
            [this](int i) { m_engine->history().filterAnswers(m_cboKaisu2->itemText(i)); });
    connect(m_cmdAllDsp, &QPushButton::clicked, this, [this] { m_engine->history().showAll(); });
}

// The question with the controls and the answer list beside it, the history panel under them taking the
// room the window has to spare, the chart and filter buttons at the bottom.
void GameWindow::buildLayout() {
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 4);
    m_body = new QGridLayout;
    m_body->addLayout(m_questionColumn, 0, 0);
    m_body->addLayout(m_controlColumn, 0, 1);
    m_body->addWidget(m_msgKaitou, 0, 2);
    m_body->addWidget(m_fraRireki, 1, 0, 1, 3);
    m_body->setRowStretch(1, 1);
    m_body->setColumnStretch(2, 1);
    outer->addLayout(m_body, 1);
    outer->addWidget(m_bottom);
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
    if (m_gameSettings->count() > 0)
        m_settingsFrame->show();
}

void GameWindow::placeQuestionBesideHistory() {
    m_body->removeItem(m_questionColumn);
    m_body->removeWidget(m_fraRireki);
    m_body->addLayout(m_questionColumn, 0, 0, 2, 1);
    m_body->addWidget(m_fraRireki, 1, 1, 1, 2);
}

// The answer list shows its answers up to the one from which it scrolls to the newest; the history list a
// few plays above its chart; neither needs a sideways scroll bar.
void GameWindow::fitListsToTheirRows() {
    const int answers = qMax(kAnswerRows, m_engine->definition().answerScrollRows - 1);
    m_msgKaitou->setMinimumSize(gridWidthForColumns(m_msgKaitou), gridHeightFor(m_msgKaitou, answers));
    m_msgRireki->setMinimumSize(gridWidthForColumns(m_msgRireki), gridHeightFor(m_msgRireki, kHistoryRows));
    // The panel keeps the room of the chart layout in the list layout too, so the window never jumps.
    const QMargins m = m_fraRireki->layout()->contentsMargins();
    m_fraRireki->setMinimumHeight(m_msgRireki->minimumHeight() + m_chartArea->minimumHeight() +
                                  m_fraRireki->layout()->spacing() + m.top() + m.bottom() +
                                  2 * m_fraRireki->frameWidth());
}

// The smallest size at which everything shows, a little more for the history where the screen has room.
void GameWindow::sizeToScreen() {
    layout()->activate();
    QSize size = minimumSizeHint().expandedTo(minimumSize());
    size.rheight() += 4 * m_msgRireki->verticalHeader()->defaultSectionSize();
    if (const QScreen *s = screen()) {
        const QRect room = s->availableGeometry();
        // A window frame takes a title bar: leave it room on a small screen.
        size = size.boundedTo(QSize(room.width(), room.height() - 40)).expandedTo(minimumSize());
    }
    resize(size);
}

bool GameWindow::eventFilter(QObject *watched, QEvent *event) {
    // The time bar follows the width of its background.
    if (watched == m_shpJikanB && event->type() == QEvent::Resize)
        renderBar(m_engine->barFraction());
    return QWidget::eventFilter(watched, event);
}

void GameWindow::showHistoryLayout() {
    const bool graph = m_engine->history().layout() == GameHistory::GraphLayout;
    m_chartArea->setVisible(graph);
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
    if (m_txtKaitou)
        chain << m_txtKaitou;
    chain << m_optMode[1] << m_cboJikan << m_optMode[0] << m_cboKaisu << m_chkAs;
    chain << focusable(m_settingsFrame);
    chain << m_cmdStart << m_cmdHozon << m_cmdClear << m_cmdEnd << m_msgKaitou << m_msgRireki;
    for (QPushButton *b : m_chartButtons)
        chain << b;
    chain << m_cboJikan2 << m_cboKaisu2 << m_cmdAllDsp;
    chain.removeAll(nullptr);
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        if (chain[i] != chain[i + 1])
            QWidget::setTabOrder(chain[i], chain[i + 1]);
}

QString GameWindow::Form_Load() {
    const QString error = m_engine->open();
    if (!error.isEmpty())
        return error;
    setTabChain();
    renderControls();
    renderScoreboard();
    renderHistoryState();
    renderBar(m_engine->barFraction());
    fitListsToTheirRows();
    sizeToScreen();
    show();
    QApplication::processEvents();
    if (!m_engine->openNotice().isEmpty())
        MessageDialog::warning(this, windowTitle(), m_engine->openNotice());
    showHelpTour(this, m_engine->definition().helpText);
    m_engine->setTimersRunning(true);
    return {};
}

void GameWindow::renderScoreboard() {
    const Scoreboard &b = m_engine->scoreboard();
    m_lblJikan->setText(b.jikan);
    m_lblMojiT->setText(b.answers);
    m_lblOk->setText(b.ok);
    m_lblNg->setText(b.ng);
    m_lblRitu->setText(b.rate);
    m_lblByou->setText(b.perSecond);
    if (m_lblKiroku)
        m_lblKiroku->setText(b.best);
    m_lblBest->setText(b.bestNotice);
    m_lblBest->setAccessibleName(b.bestNotice);
}

void GameWindow::renderControls() {
    m_rendering = true;
    const GameEngine &e = *m_engine;
    const bool locked = e.limitsLocked();
    m_optMode[e.gameMode()]->setChecked(true);
    m_optMode[0]->setEnabled(!locked);
    m_optMode[1]->setEnabled(!locked);
    m_cboJikan->setEnabled(e.gameMode() == 1 && !locked);
    m_cboKaisu->setEnabled(e.gameMode() == 0 && !locked);
    m_cboJikan->setCurrentText(QString::number(int(e.settings().timeLimit)));
    m_cboKaisu->setCurrentText(QString::number(e.settings().countLimit));
    m_chkAs->setChecked(e.settings().autoSave == 1);
    m_chkAs->setText(e.autoSaveCaption());
    m_cmdStart->setEnabled(e.startEnabled());
    m_cmdClear->setEnabled(e.clearEnabled());
    m_cmdHozon->setEnabled(e.saveEnabled());
    m_rendering = false;
}

void GameWindow::renderCountdown(int step) {
    for (int i = 1; i <= 3; ++i)
        m_imgStart[i]->setVisible(i == step);
}

void GameWindow::renderBar(double fraction) {
    m_shpJikanK->setGeometry(0, 0, int(m_shpJikanB->width() * fraction), m_shpJikanB->height());
}

void GameWindow::renderHistoryState() {
    const GameHistory &h = m_engine->history();
    static const Rgb cyan{192, 255, 255}, yellow{255, 255, 192};
    for (int b = 0; b < GameHistory::ButtonCount; ++b) {
        setButtonColor(m_chartButtons[b], h.isHighlighted(GameHistory::Button(b)) ? cyan : kButtonFace);
    }
    setButtonColor(m_cmdAllDsp, h.allShown() ? yellow : kButtonFace);
    m_cboJikan2->setCurrentIndex(m_cboJikan2->findText(h.secondsFilter()));
    m_cboKaisu2->setCurrentIndex(m_cboKaisu2->findText(h.answersFilter()));
    showHistoryLayout();
}

void GameWindow::focusTarget(GameEngine::Focus target) {
    switch (target) {
    case GameEngine::Focus::Answer:
        if (m_txtKaitou)
            m_txtKaitou->setFocus();
        break;
    case GameEngine::Focus::Start: m_cmdStart->setFocus(); break;
    case GameEngine::Focus::History: m_msgRireki->setFocus(); break;
    }
}

void GameWindow::cmdHozon_Click() { m_engine->save(); }

void GameWindow::cmdClear_Click() {
    if (!MessageDialog::confirm(this, QStringLiteral("クリア確認"), QStringLiteral("履歴データをクリアします。よろしいですか？")))
        return;
    const QString error = m_engine->clearHistory();
    if (!error.isEmpty()) {
        reportError(error);
        return;
    }
    MessageDialog::information(this, QStringLiteral("クリア終了"), QStringLiteral("履歴データをクリアしました"));
}

void GameWindow::cmdEnd_Click() {
    m_engine->leave();
    emit backRequested();
}

void GameWindow::closeEvent(QCloseEvent *e) {
    // Closing the window by its frame leaves the game the same way as "戻り".
    m_engine->setTimersRunning(false);
    e->accept();
    emit backRequested();
}

void GameWindow::reportError(const QString &text) { MessageDialog::warning(this, windowTitle(), text); }

} // namespace mirute
