// Every game window as a player sees it, in every state, on a folder with a long history: nothing overlaps,
// nothing is cut off, every text fits, "スタート" and "戻り" can always be clicked. Run once as it is and once
// with QT_SCALE_FACTOR=2.
#include "core/games/common/answers_file.h"
#include "core/games/common/history_file.h"
#include "core/games/member/member_rules.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "gui/app/app_controller.h"
#include "gui/app/application.h"
#include "gui/games/common/game_window.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "support/fake_clock.h"
#include "support/game_play.h"
#include "support/layout_check.h"
#include "support/window_helpers.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

// A screen of 1366 × 768 with a title bar and a panel leaves this much for a window's inside.
const QSize kSmallScreen(1366, 768 - 64);

// Thirty plays of every game with the widest figures a play can have.
void writeLongHistories(const QString &dir) {
    for (const QString &name : QDir(QStringLiteral(MIRUTE_DEFAULT_DATA)).entryList(QDir::Files))
        QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/") + name, QDir(dir).filePath(name));
    for (const QString &game : gameNames()) {
        for (int i = 0; i < 30; ++i) {
            const QDate day = QDate(2026, 10, 1).addDays(i);
            const bool timed = i % 2 == 0;
            const HistoryRecord r{day.toString(QStringLiteral("yyyy/MM/dd")),
                                  QStringLiteral("23:59:%1").arg(10 + i % 50),
                                  QString::number(10 + i % 21),
                                  10 + i % 21,
                                  i % 3,
                                  i % 4 ? QStringLiteral("0.%1").arg(50 + i) : QStringLiteral("12.34"),
                                  i % 5 ? QStringLiteral("%1.5%").arg(40 + i) : QStringLiteral("100.0%"),
                                  QStringLiteral("%1.%2/秒").arg(i % 7 ? 0 : 12).arg(10 + i),
                                  timed ? QStringLiteral("180秒") : QStringLiteral("123.4秒")};
            appendLine(dir, game + QStringLiteral("履歴.txt"), historyLine(r));
            appendPlayLine(dir, gamePlayLine(r.date, r.time, game, timed ? 180 : 123.4,
                                             QStringLiteral("秒数 : 180   答数 : 30  反応時間  0.85秒")));
        }
    }
}

// The widget that a click at the centre of `w` reaches: `w` itself unless something lies over it.
QWidget *widgetAtCentreOf(QWidget *window, QWidget *w) {
    return window->childAt(w->mapTo(window, w->rect().center()));
}

} // namespace

class TestGameLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyStateOfEveryGame_data();
    void everyStateOfEveryGame();
    void everyMemberGroupShowsWhole();

private:
    GameWindow *openGame(AppController &c, int game);
    void checkState(GameWindow *w, const QString &state);
    void playShortCountGame(GameWindow *w);

    QTemporaryDir m_dir;
    test::FakeClock m_clock{QDateTime(QDate(2026, 12, 6), QTime(21, 0))};
    QStringList m_problems;
};

void TestGameLayout::initTestCase() {
    useJapaneseFont();
    setAppClock(&m_clock);
    test::resetForWindowTest();
    writeLongHistories(m_dir.path());
}

void TestGameLayout::cleanupTestCase() {
    setAppClock(nullptr);
}

GameWindow *TestGameLayout::openGame(AppController &c, int game) {
    c.showMain();
    c.openGame(game);
    auto *w = qobject_cast<GameWindow *>(c.gameWindow());
    if (w) {
        w->engine().setTimersRunning(false);
        w->engine().setFeedbackPauses(false);
        test::settle();
    }
    return w;
}

// What the layout check finds, and whether "スタート" and "戻り" are in view with nothing over them.
void TestGameLayout::checkState(GameWindow *w, const QString &state) {
    test::settle();
    for (const QString &p : test::layoutProblems(w))
        m_problems << state + QStringLiteral(": ") + p;
    for (const char *name : {"cmdStart", "cmdEnd"}) {
        auto *b = test::namedChild<QPushButton>(w, QString::fromLatin1(name));
        if (!b->isVisible() || widgetAtCentreOf(w, b) != b)
            m_problems << state + QStringLiteral(": %1 cannot be clicked").arg(b->text());
    }
}

// An answer-count play of a few answers (座標: one row), checked while it runs and after its end; its last
// answer must be in view without scrolling.
void TestGameLayout::playShortCountGame(GameWindow *w) {
    GameEngine &e = w->engine();
    auto *countMode = test::namedChild<QRadioButton>(w, QStringLiteral("optMode_0"));
    test::clickWhereShown(w, countMode, QPoint(6, countMode->height() / 2)); // on its indicator
    auto *count = test::namedChild<QComboBox>(w, QStringLiteral("cboKaisu"));
    const int wanted = e.definition().gameNo == 7 ? 1 : 5;
    count->setFocus();
    QTest::keyClick(count, Qt::Key_Home);
    for (int i = 1; i < wanted; ++i)
        QTest::keyClick(count, Qt::Key_Down);
    QCOMPARE(e.settings().countLimit, wanted);
    // Started from the keyboard, the keyboard stays where answers are given: the answer box, or a click game's
    // field, where a stray Space or Enter during the countdown neither leaves the game nor clicks a cell.
    auto *start = test::namedChild<QPushButton>(w, QStringLiteral("cmdStart"));
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Space);
    QWidget *field = w->answerBox() ? nullptr : w->focusWidget();
    QVERIFY(field ? !qobject_cast<QAbstractButton *>(field) : w->focusWidget() == w->answerBox());
    for (Qt::Key stray : {Qt::Key_Space, Qt::Key_Return})
        if (field)
            QTest::keyClick(field, stray);
    QVERIFY(e.session().startPending && e.session().okCount + e.session().ngCount == 0);
    for (int i = 0; i < 3; ++i)
        e.tickStart();
    QVERIFY(e.session().playing);
    // At the green light a cell of the field has it, framed and named after what it shows.
    if (auto *cell = qobject_cast<QAbstractButton *>(w->focusWidget()); field) {
        QVERIFY(cell && field->isAncestorOf(cell));
        QVERIFY(!QAccessible::queryAccessibleInterface(cell)->text(QAccessible::Name).isEmpty());
        const QImage around = w->grab(QRect(cell->mapTo(w, QPoint(-3, -3)), cell->size() + QSize(6, 6))).toImage();
        QCOMPARE(around.pixelColor(1, around.height() / 2), QColor(0, 90, 255));
    }
    test::answerRightly(w);
    checkState(w, QStringLiteral("during a play"));
    for (int i = 0; i < 20 && e.session().playing; ++i) {
        m_clock.advance(0.7);
        e.tickElapsed();
        test::answerRightly(w, true);
    }
    QVERIFY(!e.session().playing);
    checkState(w, QStringLiteral("after the end"));

    auto *answers = test::namedChild<GridWidget>(w, QStringLiteral("msgKaitou"));
    const int last = answers->model()->rowCount() - 1;
    QVERIFY(last >= 1);
    const QRect lastRow = answers->visualRect(answers->model()->index(last, 0));
    if (!answers->viewport()->rect().contains(lastRow) || answers->verticalScrollBar()->value() != 0)
        m_problems << QStringLiteral("after the end: the last answer is not in view without scrolling");
}

void TestGameLayout::everyStateOfEveryGame_data() {
    QTest::addColumn<int>("game");
    for (int game = 1; game <= 7; ++game)
        QTest::newRow(qPrintable(gameNames()[game - 1])) << game;
}

void TestGameLayout::everyStateOfEveryGame() {
    QFETCH(int, game);
    m_problems.clear();
    AppController c(m_dir.path());
    GameWindow *w = openGame(c, game);
    QVERIFY(w);
    // Digits are typed with the input method off (抜数字, 座標), kana and members through it.
    if (QLineEdit *box = w->answerBox())
        QCOMPARE(box->inputMethodQuery(Qt::ImEnabled).toBool(), game != 2 && game != 7);

    checkState(w, QStringLiteral("idle"));
    if (!QRect(QPoint(0, 0), kSmallScreen).contains(QRect(QPoint(0, 0), w->minimumSize())))
        m_problems << QStringLiteral("%1×%2 at the least: too large for a 1366×768 screen")
                          .arg(w->minimumWidth())
                          .arg(w->minimumHeight());
    auto *bar = test::namedChild<QWidget>(w, QStringLiteral("shpJikanK"));
    if (bar->width() != bar->parentWidget()->width())
        m_problems << QStringLiteral("idle: the time bar is not full before the first play");
    // The answer list shows as many answers as it holds before it scrolls to its newest (at least eight).
    auto *answers = test::namedChild<GridWidget>(w, QStringLiteral("msgKaitou"));
    const int shownAnswers = qMax(8, w->engine().definition().answerScrollRows - 1);
    const int rowHeight = answers->verticalHeader()->defaultSectionSize();
    if (answers->viewport()->height() < shownAnswers * rowHeight)
        m_problems << QStringLiteral("idle: the answer list shows %1 answers, not %2")
                          .arg(answers->viewport()->height() / rowHeight)
                          .arg(shownAnswers);

    const QSize normal = w->size();
    w->resize(w->minimumSize());
    checkState(w, QStringLiteral("at its minimum size %1×%2").arg(w->width()).arg(w->height()));
    w->resize(normal);

    playShortCountGame(w);
    if (QTest::currentTestFailed())
        return;

    const QStringList charts = {"cmdByou", "cmdMoji", "cmdRitu", "cmdPByou", "cmdKaitou"};
    for (const QString &name : charts) {
        auto *b = test::namedChild<QPushButton>(w, name);
        test::clickWhereShown(w, b);
        checkState(w, QStringLiteral("after %1").arg(b->text()));
    }
    // Enlarged, the history list and the chart take the room.
    auto *list = test::namedChild<QWidget>(w, QStringLiteral("msgRireki"));
    auto *chart = test::namedChild<ChartWidget>(w, QStringLiteral("mcrRireki2"));
    const int listHeight = list->height(), chartHeight = chart->height();
    w->resize(w->width() + 200, w->height() + 200);
    checkState(w, QStringLiteral("enlarged with a chart"));
    if (list->height() + chart->height() < listHeight + chartHeight + 150 || !chart->isVisible())
        m_problems << QStringLiteral("enlarged: the history list and chart do not take the room");
    w->resize(normal);

    test::clickWhereShown(w, test::namedChild<QPushButton>(w, QStringLiteral("cmdAllDsp")));
    checkState(w, QStringLiteral("after 全部表示"));
    if (chart->isVisible() || test::namedChild<QWidget>(w, QStringLiteral("mcrRireki"))->isVisible())
        m_problems << QStringLiteral("after 全部表示: a chart is still shown");

    // The games that keep their answers: the play's right answers by their items, and the 苦手 view in place.
    if (keepsAnswers(game)) {
        static const QStringList forms = {"^.$", "^[0-9]$", ".", "^..$", "", "", "^[1-9]行[1-9]列$"};
        const AnswersData kept = readAnswers(m_dir.path(), gameAnswersFile(gameNames()[game - 1]));
        QCOMPARE(kept.records.size(), w->engine().session().okCount);
        for (const AnswerRecord &a : kept.records)
            QVERIFY2(a.correct && QRegularExpression(forms[game - 1]).match(a.item).hasMatch(), qPrintable(a.item));
        test::clickWhereShown(w, test::namedChild<QPushButton>(w, QStringLiteral("cmdNigateGotou")));
        checkState(w, QStringLiteral("苦手"));
    }
    for (const QString &p : std::as_const(m_problems))
        qInfo("%s", qPrintable(p));
    QVERIFY2(m_problems.isEmpty(), qPrintable(QStringLiteral("%1 problems").arg(m_problems.size())));

    // With a chart on screen, a click where "スタート" is shown starts a play and one on "戻り" leaves.
    test::clickWhereShown(w, test::namedChild<QPushButton>(w, QStringLiteral("cmdByou")));
    test::clickWhereShown(w, test::namedChild<QPushButton>(w, QStringLiteral("cmdStart")));
    QVERIFY(w->engine().session().startPending);
    // A play under way is left only when confirmed; after Cancel the keyboard is back where answers are given.
    auto *back = test::namedChild<QPushButton>(w, QStringLiteral("cmdEnd"));
    MessageDialog::clearShown();
    MessageDialog::setNextAnswer(MessageDialog::Cancel);
    test::clickWhereShown(w, back);
    QVERIFY(w->engine().session().startPending && w->focusWidget() != back);
    test::clickWhereShown(w, back);
    QCOMPARE(test::countShown(QStringLiteral("戻り確認")), 2);
    QTRY_VERIFY(c.mainWindow());
}

// Each group of the shipped 抜仲間 dictionary in turn: the question grid shows all its members at once.
void TestGameLayout::everyMemberGroupShowsWhole() {
    ScriptedRandom random;
    setAppRandom(&random);
    AppController c(m_dir.path());
    GameWindow *w = openGame(c, 3);
    QVERIFY(w);
    auto *grid = test::namedChild<GridWidget>(w, QStringLiteral("msgMondai"));
    const int groups = int(w->engine().rulesAs<MemberRules>().groups().size());
    QVERIFY(groups > 40);
    QStringList cut;
    for (int g = 0; g < groups; ++g) {
        random.push(ScriptedRandom::forIndex0(g, groups));
        w->engine().makeQuestion();
        test::settle();
        const int last = grid->model()->rowCount() - 1;
        if (grid->verticalScrollBar()->maximum() > 0 ||
            !grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(last, 0))))
            cut << grid->grid().textMatrix(0, 0);
    }
    setAppRandom(nullptr);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestGameLayout)
#include "tst_game_layout.moc"
