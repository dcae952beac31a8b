#include "core/base/sjis.h"
#include "core/games/coordinate/coordinate_rules.h"
#include "gui/games/common/game_window.h"
#include "gui/games/game_views.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;
using mirute::test::sjisBytes;

namespace {

// Shuffle draws for one row that ask 15, 13, 19, 11, 18, 14, 17, 12, 16.
QList<double> rowOneShuffle() {
    return {ScriptedRandom::forIndex0(4, 9),
            ScriptedRandom::forIndex0(2, 8),
            ScriptedRandom::forIndex0(6, 7),
            ScriptedRandom::forIndex0(0, 6),
            ScriptedRandom::forIndex0(4, 5),
            ScriptedRandom::forIndex0(1, 4),
            ScriptedRandom::forIndex0(2, 3),
            0.0,
            0.0};
}

QColor background(QWidget *w) {
    return w->palette().color(QPalette::Window);
}

} // namespace

class TestCoordinateWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void oneRowPlayThroughTheWindow();
    void escapeBeforeAnyAnswerSavesNothing();
    void giveUpLabelEndsThePlayAndSaves();

private:
    GameWindow *open(const QString &settings);
    QLabel *cell(int code) { return m_window->findChild<QLabel *>(QStringLiteral("lblKanjiP_%1").arg(code)); }
    void startPlay();
    QTemporaryDir *m_dir = nullptr;
    test::FakeClock *m_clock = nullptr;
    ScriptedRandom *m_random = nullptr;
    GameWindow *m_window = nullptr;
};

void TestCoordinateWindow::init() {
    MessageDialog::setAutoAnswer(true);
    m_dir = new QTemporaryDir;
    m_clock = new test::FakeClock;
    m_random = new ScriptedRandom(rowOneShuffle());
}

void TestCoordinateWindow::cleanup() {
    delete m_window;
    m_window = nullptr;
    delete m_random;
    delete m_clock;
    delete m_dir;
}

GameWindow *TestCoordinateWindow::open(const QString &settings) {
    test::writeSjis(m_dir->path(), QStringLiteral("座標設定.txt"), settings + QStringLiteral("\r\n"));
    m_window = new GameWindow(std::make_unique<GameEngine>(CoordinateGame::definition(), CoordinateGame::makeRules(),
                                                           m_dir->path(), *m_clock, *m_random));
    m_window->setQuestionView(makeGameView<CoordinateGame>(*m_window));
    const QString error = m_window->open();
    if (!error.isEmpty())
        return nullptr;
    m_window->engine().setTimersRunning(false);
    m_window->engine().setFeedbackPauses(false);
    return m_window;
}

void TestCoordinateWindow::startPlay() {
    QTest::mouseClick(m_window->findChild<QPushButton *>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        m_window->engine().tickStart();
}

void TestCoordinateWindow::oneRowPlayThroughTheWindow() {
    GameWindow *w = open(QStringLiteral("1,60,\"行数\",1"));
    QVERIFY(w);
    GameEngine &engine = w->engine();
    QCOMPARE(w->objectName(), QStringLiteral("frmG7"));
    QCOMPARE(w->windowTitle(), QStringLiteral("座標タイピング"));
    QCOMPARE(w->findChild<QRadioButton *>("optMode_0")->text(), QStringLiteral("行数"));
    QCOMPARE(w->findChild<QComboBox *>("cboKaisu")->count(), 9);
    QCOMPARE(w->findChild<QComboBox *>("cboKaisu2")->itemText(8), QStringLiteral("9"));
    QCOMPARE(w->findChild<QPushButton *>("cmdMoji")->text(), QStringLiteral("マス数"));
    QCOMPARE(engine.history().list().textMatrix(0, 6), QStringLiteral("文字数"));
    QVERIFY(!w->findChild<QLabel *>("lblKiroku"));
    auto *giveUp = w->findChild<QLabel *>("lblGiveup");
    QCOMPARE(giveUp->text(), QStringLiteral("解答"));
    QCOMPARE(background(giveUp), QColor(192, 64, 64));
    QCOMPARE(background(w->findChild<QLabel *>("lblGyou_3")), QColor(0, 192, 0));
    QCOMPARE(background(w->findChild<QLabel *>("lblRetsu_3")), QColor(192, 0, 0));
    QVERIFY(cell(19)->isVisible());
    QVERIFY(!cell(21)->isVisible());
    // Only the rows in play are numbered.
    QVERIFY(w->findChild<QLabel *>("lblGyou_1")->isVisible());
    QVERIFY(!w->findChild<QLabel *>("lblGyou_2")->isVisible());
    QCOMPARE(background(cell(15)), QColor(255, 255, 255)); // no cell asked before the first start

    startPlay();
    QLineEdit *box = w->answerBox();
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(w->findChild<QPushButton *>("cmdClear")->isEnabled());
    QCOMPARE(background(cell(15)), QColor(128, 0, 0));
    QCOMPARE(cell(15)->accessibleDescription(), QStringLiteral("出題中"));

    const QStringList order{"15", "13", "19", "11", "18", "14", "17", "12", "16"};
    for (int i = 0; i < 9; ++i) {
        m_clock->advance(0.5);
        engine.tickElapsed();
        QTest::keyClicks(box, i == 1 ? QStringLiteral("31") : order[i]);
        QCOMPARE(box->text(), i < 8 ? QString() : order[i]); // emptied for every next cell
    }
    QCOMPARE(background(cell(15)), QColor(192, 255, 192));
    QCOMPARE(background(cell(13)), QColor(255, 192, 192));
    QCOMPARE(cell(13)->accessibleDescription(), QStringLiteral("不正解"));
    QVERIFY(w->findChild<QPushButton *>("cmdStart")->isEnabled());
    QCOMPARE(w->findChild<QLabel *>("lblMoji_T")->text(), QStringLiteral("9"));
    QCOMPARE(w->findChild<QLabel *>("lblByou")->text(), QStringLiteral("4.00/秒"));
    QCOMPARE(w->findChild<QLabel *>("lblRitu")->text(), QStringLiteral("88.9%"));
    QCOMPARE(engine.answerList().textMatrix(2, 1), QStringLiteral("13"));

    QCOMPARE(test::readBytes(m_dir->path(), QStringLiteral("座標履歴.txt")),
             sjisBytes(QStringLiteral("\"2026/12/06\",\"18:30:04\",9,8,1,18,\"88.9%\",\"4.00/秒\",\"4.5秒\"\r\n")));
    QCOMPARE(test::readBytes(m_dir->path(), QStringLiteral("データ.txt")),
             sjisBytes(QStringLiteral("\"2026/12/06\",\"18:30:04\",\"座標\",4.5,"
                                      "\"秒数 : 4.5   答数 : 9   マス数 : 9\",\r\n")));
}

void TestCoordinateWindow::escapeBeforeAnyAnswerSavesNothing() {
    GameWindow *w = open(QStringLiteral("1,60,\"行数\",1"));
    QVERIFY(w);
    startPlay();
    m_clock->advance(1);
    w->engine().tickElapsed();
    QTest::keyClick(w->answerBox(), Qt::Key_Escape);
    QVERIFY(w->findChild<QPushButton *>("cmdStart")->isEnabled());
    QCOMPARE(w->findChild<QLabel *>("lblByou")->text(), QString());
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("座標履歴.txt"))));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("データ.txt"))));
    // Typing while idle empties the box and hands the focus to "スタート".
    QTest::keyClicks(w->answerBox(), QStringLiteral("15"));
    QCOMPARE(w->answerBox()->text(), QString());
    QCOMPARE(QApplication::focusWidget(), w->findChild<QPushButton *>("cmdStart"));
}

void TestCoordinateWindow::giveUpLabelEndsThePlayAndSaves() {
    GameWindow *w = open(QStringLiteral("1,60,\"行数\",1"));
    QVERIFY(w);
    startPlay();
    m_clock->advance(2);
    w->engine().tickElapsed();
    QTest::keyClicks(w->answerBox(), QStringLiteral("15"));
    QTest::mouseClick(w->findChild<QLabel *>("lblGiveup"), Qt::LeftButton);
    QVERIFY(w->findChild<QPushButton *>("cmdStart")->isEnabled());
    QCOMPARE(w->findChild<QLabel *>("lblByou")->text(), QStringLiteral("1.00/秒"));
    QCOMPARE(test::readBytes(m_dir->path(), QStringLiteral("座標履歴.txt")),
             sjisBytes(QStringLiteral("\"2026/12/06\",\"18:30:02\",1,1,0,2,\"100.0%\",\"1.00/秒\",\"2.00秒\"\r\n")));
    QCOMPARE(background(cell(13)), QColor(128, 0, 0)); // the last asked cell stays marked
}

QTEST_MAIN(TestCoordinateWindow)
#include "tst_coordinate_window.moc"
