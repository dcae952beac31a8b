#include "core/games/kana/kana_rules.h"
#include "core/log/app_state.h"
#include "gui/app/app_controller.h"
#include "gui/app/main_window.h"
#include "gui/games/common/game_window.h"
#include "gui/panels/log_panel.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

class TestKanaWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void launcherMapsButtonsToGames();
    void wholeAnswerCountPlayThroughTheWindow();
    void typingKatakanaForHiraganaIsWrong();
    void missingDictionaryRefusesToOpen();
    void tabFollowsTheScreen();
    void reactionFromTheFirstInputMethodEvent();

private:
    GameWindow *openKana(AppController &c);
    void type(QLineEdit *box, const QString &text);
    QTemporaryDir *m_dir = nullptr;
    test::FakeClock m_clock;
    ScriptedRandom m_random;
};

void TestKanaWindow::init() {
    m_dir = new QTemporaryDir;
    QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/抜かな辞書.TXT"), m_dir->filePath(kKanaDictionary));
    m_clock = test::FakeClock();
    m_random = ScriptedRandom();
    setAppClock(&m_clock);
    setAppRandom(&m_random);
    MessageDialog::setAutoAnswer(true);
    MessageDialog::clearShown();
    appState() = AppState{};
}

void TestKanaWindow::cleanup() {
    setAppClock(nullptr);
    setAppRandom(nullptr);
    delete m_dir;
}

GameWindow *TestKanaWindow::openKana(AppController &c) {
    c.showMain();
    QTest::mouseClick(c.mainWindow()->button("cmdGame"), Qt::LeftButton);
    QTest::mouseClick(c.mainWindow()->button("cmdG1"), Qt::LeftButton);
    auto *w = qobject_cast<GameWindow *>(c.gameWindow());
    if (w) {
        w->engine().setTimersRunning(false);
        w->engine().setFeedbackPauses(false);
    }
    return w;
}

// Japanese arrives through the input method as a committed string.
void TestKanaWindow::type(QLineEdit *box, const QString &text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

void TestKanaWindow::launcherMapsButtonsToGames() {
    MainWindow main(m_dir->path());
    main.startUp();
    QList<int> opened;
    connect(&main, &MainWindow::gameRequested, this, [&](int n) { opened << n; });
    QTest::mouseClick(main.button("cmdGame"), Qt::LeftButton);
    QVERIFY(main.gameLauncher()->isVisible());
    QCOMPARE(QApplication::focusWidget(), main.button("cmdG1"));
    QCOMPARE(main.button("cmdG6")->text(), QStringLiteral("ランプ"));
    QCOMPARE(main.button("cmdG5")->text(), QStringLiteral("順クリ"));
    for (const char *name : {"cmdG1", "cmdG2", "cmdG3", "cmdG4", "cmdG6", "cmdG5", "cmdG7"})
        QTest::mouseClick(main.button(name), Qt::LeftButton);
    QCOMPARE(opened, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    QTest::mouseClick(main.button("cmdModori"), Qt::LeftButton);
    QVERIFY(!main.gameLauncher()->isVisible());
}

void TestKanaWindow::wholeAnswerCountPlayThroughTheWindow() {
    AppController c(m_dir->path());
    GameWindow *w = openKana(c);
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("frmG1"));
    QCOMPARE(w->windowTitle(), QStringLiteral("抜かなタイピング"));
    QVERIFY(!c.mainWindow()); // only one of the two windows exists
    QVERIFY(MessageDialog::shown().last().text.startsWith(QStringLiteral("このゲームは『抜かなタイピング』です。")));

    auto *answerMode = w->findChild<QRadioButton *>("optMode_0");
    QTest::mouseClick(answerMode, Qt::LeftButton, {}, QPoint(6, answerMode->height() / 2)); // on its indicator
    auto *countLimitBox = w->findChild<QComboBox *>("cboKaisu");
    QVERIFY(countLimitBox->isEnabled());
    countLimitBox->setFocus();
    QTest::keyClick(countLimitBox, Qt::Key_Home);
    QTest::keyClick(countLimitBox, Qt::Key_Down);
    QCOMPARE(countLimitBox->currentText(), QStringLiteral("2"));
    QCOMPARE(test::readSjis(m_dir->path(), "抜かな設定.txt"), QStringLiteral("2,60,\"答数\",1,0\r\n"));

    QTest::mouseClick(w->findChild<QPushButton *>("cmdStart"), Qt::LeftButton);
    QVERIFY(!w->findChild<QPushButton *>("cmdStart")->isEnabled());
    QVERIFY(!countLimitBox->isEnabled()); // the count cannot change under a running play
    for (int i = 0; i < 3; ++i)
        w->engine().tickStart();
    QVERIFY(w->findChild<QWidget *>("imgStart_3")->isVisibleTo(w));
    QCOMPARE(QApplication::focusWidget(), w->answerBox());

    // First question: row あいうえお with え,... drawn from position 0 each time: お is missing.
    QCOMPARE(w->findChild<QLabel *>("lblMondai_1")->text(), QStringLiteral("あ"));
    m_clock.advance(1.25);
    type(w->answerBox(), QStringLiteral("お"));
    QTest::keyClick(w->answerBox(), Qt::Key_Return);
    QCOMPARE(w->findChild<QLabel *>("lblOk")->text(), QStringLiteral("1"));
    QVERIFY(w->answerBox()->text().isEmpty());
    m_clock.advance(0.1);
    w->engine().tickElapsed();
    m_clock.advance(0.75);
    type(w->answerBox(), QStringLiteral("あ"));
    QTest::keyClick(w->answerBox(), Qt::Key_Return);

    QCOMPARE(w->findChild<QLabel *>("lblNg")->text(), QStringLiteral("1"));
    QCOMPARE(w->findChild<QLabel *>("lblJikan")->text(), QStringLiteral("1.4"));
    QCOMPARE(w->findChild<QLabel *>("lblRitu")->text(), QStringLiteral("50.0%"));
    QCOMPARE(w->findChild<QLabel *>("lblByou")->text(), QStringLiteral("1.43/秒"));
    QCOMPARE(w->findChild<QLabel *>("lblKiroku")->text(), QStringLiteral("1.25"));
    auto *answers = w->findChild<GridWidget *>("msgKaitou");
    QCOMPARE(answers->grid().textMatrix(2, 1), QStringLiteral("お (あ)"));
    QCOMPARE(answers->grid().textMatrix(2, 2), QStringLiteral("あいうえ"));

    const QString at = m_clock.now().toString(QStringLiteral("\"yyyy/MM/dd\",\"HH:mm:ss\""));
    QByteArray history, record;
    sjis::encode(at + QStringLiteral(",2,1,1,1.25,\"50.0%\",\"1.43/秒\",\"1.4秒\"\r\n"), &history);
    sjis::encode(at + QStringLiteral(",\"抜かな\",1.4,\"秒数 : 1.4   答数 : 2  反応時間  1.25秒\",\r\n"), &record);
    QCOMPARE(test::readBytes(m_dir->path(), "抜かな履歴.txt"), history);
    QCOMPARE(test::readBytes(m_dir->path(), "データ.txt"), record);
    auto *historyList = w->findChild<GridWidget *>("msgRireki");
    QCOMPARE(historyList->grid().rows(), 2);
    QCOMPARE(historyList->grid().textMatrix(1, 9), QStringLiteral("1.4秒"));
    QCOMPARE(QApplication::focusWidget(), historyList);

    QTest::mouseClick(w->findChild<QPushButton *>("cmdEnd"), Qt::LeftButton);
    QTRY_VERIFY(c.mainWindow());
    QTRY_VERIFY(!c.gameWindow());
    QVERIFY(c.mainWindow()->isVisible());
    QCOMPARE(c.mainWindow()->visiblePanel()->objectName(), QStringLiteral("fraMain"));
    QVERIFY(!c.mainWindow()->state().emptyLog);
}

void TestKanaWindow::typingKatakanaForHiraganaIsWrong() {
    AppController c(m_dir->path());
    GameWindow *w = openKana(c);
    QVERIFY(w);
    QTest::mouseClick(w->findChild<QPushButton *>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w->engine().tickStart();
    type(w->answerBox(), QStringLiteral("オ"));
    QTest::keyClick(w->answerBox(), Qt::Key_Return);
    QCOMPARE(w->engine().session().ngCount, 1);
    QCOMPARE(w->engine().answerList().textMatrix(1, 1), QStringLiteral("お (オ)"));
    // Enter in an empty box judges nothing.
    QTest::keyClick(w->answerBox(), Qt::Key_Return);
    QCOMPARE(w->engine().session().ngCount + w->engine().session().okCount, 1);
}

void TestKanaWindow::missingDictionaryRefusesToOpen() {
    QFile::remove(m_dir->filePath(kKanaDictionary));
    AppController c(m_dir->path());
    c.showMain();
    QTest::mouseClick(c.mainWindow()->button("cmdGame"), Qt::LeftButton);
    QTest::mouseClick(c.mainWindow()->button("cmdG1"), Qt::LeftButton);
    QVERIFY(!c.gameWindow());
    QVERIFY(c.mainWindow());
    QVERIFY(MessageDialog::shown().last().text.contains(kKanaDictionary));
}

void TestKanaWindow::tabFollowsTheScreen() {
    AppController c(m_dir->path());
    GameWindow *w = openKana(c);
    QVERIFY(w);
    QApplication::setActiveWindow(w);
    auto *start = w->findChild<QPushButton *>("cmdStart");
    start->setFocus();
    const QStringList expected = {"cmdClear", "cmdEnd", "msgKaitou", "msgRireki", "cmdByou"};
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected); // "保存" is skipped while saving is automatic
    w->answerBox()->setFocus();
    QTest::keyClick(w->answerBox(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("optMode_1"));
}

// Kana typed through an input method arrive without key presses: the reaction is taken when the input
// method first shows or brings a kana, not at the Enter that judges it.
void TestKanaWindow::reactionFromTheFirstInputMethodEvent() {
    AppController c(m_dir->path());
    GameWindow *w = openKana(c);
    QVERIFY(w);
    QTest::mouseClick(w->findChild<QPushButton *>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w->engine().tickStart();
    const QString answer = w->engine().session().answer;
    m_clock.advance(1.0);
    QInputMethodEvent composing(answer, {});
    QApplication::sendEvent(w->answerBox(), &composing);
    m_clock.advance(2.0);
    type(w->answerBox(), answer);
    QTest::keyClick(w->answerBox(), Qt::Key_Return);
    QCOMPARE(w->findChild<QLabel *>("lblOk")->text(), QStringLiteral("1"));
    QCOMPARE(w->findChild<QLabel *>("lblKiroku")->text(), QStringLiteral("1.00"));

    // The next question: a kana committed at once, without a composition.
    m_clock.advance(0.5);
    type(w->answerBox(), w->engine().session().answer);
    m_clock.advance(1.5);
    QTest::keyClick(w->answerBox(), Qt::Key_Return);
    QCOMPARE(w->findChild<QLabel *>("lblKiroku")->text(), QStringLiteral("0.50"));
}

QTEST_MAIN(TestKanaWindow)
#include "tst_kana_window.moc"
