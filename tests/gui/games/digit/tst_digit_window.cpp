#include "core/base/number_format.h"
#include "gui/games/common/game_window.h"
#include "gui/games/game_views.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

class TestDigitWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::setAutoAnswer(true); }
    void cleanup() { MessageDialog::setAutoAnswer(false); }
    void playFromStartToSavedRecord();
    void typingWhileIdleFocusesStart();
    void inputMethodOffFullWidthStillWrong();
    void answerCountSecondsSavedInShortestForm_data();
    void answerCountSecondsSavedInShortestForm();
    void personalBestShownUntilNextStart();
    void screenReaderHearsDigitsAndFigures();
};

namespace {

struct Window {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    GameWindow *window = nullptr;

    explicit Window(QList<double> draws) : random(std::move(draws)) {
        window = new GameWindow(
            std::make_unique<GameEngine>(DigitGame::definition(), DigitGame::makeRules(), dir.path(), clock, random));
        window->setQuestionView(makeGameView<DigitGame>(*window));
    }
    ~Window() { delete window; }
    GameEngine &engine() { return window->engine(); }
    template <class T> T *child(const QString &name) { return window->findChild<T *>(name); }
    QStringList squareTexts() {
        QStringList out;
        for (int i = 1; i <= 9; ++i)
            out << child<QLabel>(QStringLiteral("lblMondai_%1").arg(i))->text();
        return out;
    }
};

} // namespace

void TestDigitWindow::playFromStartToSavedRecord() {
    // The opening question takes nine draws; then in-order questions missing 3, 7 and 0.
    QList<double> draws(9, 0.0);
    for (int d : {3, 7, 0})
        draws << ScriptedRandom::forIndex0(d, 10);
    Window w(draws);
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackPauses(false);
    w.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    QCOMPARE(w.window->windowTitle(), QStringLiteral("抜数字タイピング"));
    QCOMPARE(w.window->objectName(), QStringLiteral("frmG2"));
    QCOMPARE(w.squareTexts(), QString("012345678").split(QString(), Qt::SkipEmptyParts));

    // In-order display and a 10-second play, chosen through the controls.
    auto *hint = w.child<QCheckBox>("chkHint");
    QVERIFY(hint && !hint->isChecked());
    QTest::mouseClick(hint, Qt::LeftButton, {}, QPoint(8, hint->height() / 2));
    QVERIFY(hint->isChecked());
    auto *timeLimitBox = w.child<QComboBox>("cboJikan");
    timeLimitBox->setFocus();
    QTest::keyClick(timeLimitBox, Qt::Key_Home);
    QCOMPARE(timeLimitBox->currentText(), QStringLiteral("10"));
    QCOMPARE(w.engine().settings().timeLimit, 10.0f);

    auto *start = w.child<QPushButton>("cmdStart");
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(!start->isEnabled());
    QCOMPARE(w.squareTexts(), QStringList(9, QString()));
    for (int i = 0; i < 3; ++i) {
        w.clock.advance(1);
        w.engine().tickStart();
    }
    // Row by row from the top left: 0 1 2 / 4 5 6 / 7 8 9.
    QCOMPARE(w.squareTexts(), QString("012456789").split(QString(), Qt::SkipEmptyParts));
    auto *box = w.child<QLineEdit>("txtKaitou");
    QCOMPARE(QApplication::focusWidget(), box);

    w.clock.advance(0.5);
    QTest::keyClicks(box, "3"); // judged at once, no Enter
    QCOMPARE(box->text(), QString());
    QCOMPARE(w.child<QLabel>("lblOk")->text(), QStringLiteral("1"));
    w.clock.advance(0.75);
    QTest::keyClicks(box, "a");
    QCOMPARE(w.child<QLabel>("lblNg")->text(), QStringLiteral("1"));
    w.clock.advance(0.25);
    QTest::keyClicks(box, "0");
    QCOMPARE(w.child<QLabel>("lblMoji_T")->text(), QStringLiteral("3"));
    QCOMPARE(w.child<QLabel>("lblKiroku")->text(), QStringLiteral("0.25"));

    auto *list = w.child<GridWidget>("msgKaitou");
    QCOMPARE(list->grid().rowTexts(2), (QStringList{"2", "7 (a)", "012345689", "0.75"}));

    w.clock.advance(13 - 4.5); // the green light was at 3 s; the play ends at 13 s
    w.engine().tickClock();
    QVERIFY(start->isEnabled());
    QCOMPARE(w.child<QLabel>("lblByou")->text(), QStringLiteral("0.30/秒"));
    QCOMPARE(w.child<QLabel>("lblRitu")->text(), QStringLiteral("66.7%"));

    QCOMPARE(test::readSjis(w.dir.path(), "抜数字履歴.txt"),
             QStringLiteral("\"2026/12/06\",\"18:30:13\",3,2,1,0.25,\"66.7%\",\"0.30/秒\",\"10秒\"\r\n"));
    QCOMPARE(
        test::readSjis(w.dir.path(), "データ.txt"),
        QStringLiteral("\"2026/12/06\",\"18:30:13\",\"抜数字\",10,\"秒数 : 10   答数 : 3  反応時間  0.25秒\",\r\n"));
    QCOMPARE(test::readSjis(w.dir.path(), "抜数字設定.txt"), QStringLiteral("10,10,\"秒数\",1,1\r\n"));
}

void TestDigitWindow::typingWhileIdleFocusesStart() {
    Window w(QList<double>(9, 0.0));
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    auto *box = w.child<QLineEdit>("txtKaitou");
    box->setFocus();
    QTest::keyClicks(box, "9");
    QCOMPARE(box->text(), QString());
    QCOMPARE(w.child<QLabel>("lblOk")->text(), QString());
    QCOMPARE(w.engine().answerList().rows(), 1);
    QCOMPARE(QApplication::focusWidget(), w.child<QPushButton>("cmdStart"));
}

// The answer box keeps the input method off, so that a digit key is judged at once; a full-width digit that
// an input method still brings is judged when committed, not while it is being composed, and is wrong.
void TestDigitWindow::inputMethodOffFullWidthStillWrong() {
    Window w({});
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackPauses(false);
    auto *box = w.child<QLineEdit>("txtKaitou");
    QVERIFY(!box->inputMethodQuery(Qt::ImEnabled).toBool());
    QTest::mouseClick(w.child<QPushButton>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w.engine().tickStart();
    QInputMethodEvent composing(QStringLiteral("３"), {}), committed;
    committed.setCommitString(QStringLiteral("３"));
    QApplication::sendEvent(box, &composing);
    QCOMPARE(w.engine().answerList().rows(), 1);
    QApplication::sendEvent(box, &committed);
    QCOMPARE(w.child<QLabel>("lblNg")->text(), QStringLiteral("1"));
    QVERIFY(w.engine().answerList().rowTexts(1).value(1).endsWith(QStringLiteral(" (３)")));
}

void TestDigitWindow::answerCountSecondsSavedInShortestForm_data() {
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("listedBy10");
    QTest::newRow("3.0 s") << 3.0 << "\"2026/12/06\",\"18:30:06\",2,2,0,0.8,\"100.0%\",\"0.67/秒\",\"3秒\"\r\n"
                           << "\"2026/12/06\",\"18:30:06\",\"抜数字\",3,\"秒数 : 3   答数 : 2  反応時間  0.8秒\",\r\n"
                           << false;
    QTest::newRow("10.0 s")
        << 10.0 << "\"2026/12/06\",\"18:30:13\",2,2,0,0.8,\"100.0%\",\"0.20/秒\",\"10.0秒\"\r\n"
        << "\"2026/12/06\",\"18:30:13\",\"抜数字\",10,\"秒数 : 10   答数 : 2  反応時間  0.8秒\",\r\n"
        << false;
    QTest::newRow("23.4 s")
        << 23.4 << "\"2026/12/06\",\"18:30:26\",2,2,0,0.8,\"100.0%\",\"0.09/秒\",\"23.4秒\"\r\n"
        << "\"2026/12/06\",\"18:30:26\",\"抜数字\",23.4,\"秒数 : 23.4   答数 : 2  反応時間  0.8秒\",\r\n"
        << false;
}

// The clock shows one decimal ("3.0", best "0.80"); the files keep every number in its shortest form, but
// the history never saves a 答数 play as a whole time limit: 10.0 seconds stay "10.0秒", not a 10-second play.
void TestDigitWindow::answerCountSecondsSavedInShortestForm() {
    QFETCH(double, elapsed);
    QFETCH(QString, history);
    QFETCH(QString, record);
    QFETCH(bool, listedBy10);
    Window w({});
    test::writeSjis(w.dir.path(), QStringLiteral("抜数字設定.txt"), QStringLiteral("2,60,\"答数\",1,1\r\n"));
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackPauses(false);
    QTest::mouseClick(w.child<QPushButton>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i) {
        w.clock.advance(1);
        w.engine().tickStart();
    }
    auto *box = w.child<QLineEdit>("txtKaitou");
    w.clock.advance(elapsed - 0.8);
    w.engine().tickElapsed();
    QTest::keyClicks(box, w.engine().session().answer);
    w.clock.advance(0.8);
    w.engine().tickElapsed();
    QTest::keyClicks(box, w.engine().session().answer);
    QVERIFY(w.child<QPushButton>("cmdStart")->isEnabled());
    QCOMPARE(w.child<QLabel>("lblJikan")->text(), formatFixed(elapsed, 1));
    QCOMPARE(w.child<QLabel>("lblKiroku")->text(), QStringLiteral("0.80"));

    QCOMPARE(test::readBytes(w.dir.path(), QStringLiteral("抜数字履歴.txt")), test::sjisBytes(history));
    QCOMPARE(test::readBytes(w.dir.path(), QStringLiteral("データ.txt")), test::sjisBytes(record));
    const Grid &list = w.child<GridWidget>("msgRireki")->grid();
    QCOMPARE(list.textMatrix(1, 9), history.section(u',', 8).chopped(2).remove(u'"'));

    auto *secondsFilter = w.child<QComboBox>("cboJikan2");
    secondsFilter->setFocus();
    QTest::keyClick(secondsFilter, Qt::Key_Home);
    QCOMPARE(secondsFilter->currentText(), QStringLiteral("10"));
    QCOMPARE(list.rows(), listedBy10 ? 2 : 1);
}

// Earlier 10-second plays scored at most 0.20/秒 × 100%; a faster answer-count play does not count.
void TestDigitWindow::personalBestShownUntilNextStart() {
    Window w({});
    const QString earlier =
        QStringLiteral("\"2026/12/05\",\"10:00:00\",2,2,0,0.5,\"100.0%\",\"0.20/秒\",\"10秒\"\r\n"
                       "\"2026/12/05\",\"11:00:00\",10,10,0,0.3,\"100.0%\",\"2.00/秒\",\"5秒\"\r\n");
    test::writeSjis(w.dir.path(), QStringLiteral("抜数字履歴.txt"), earlier);
    test::writeSjis(w.dir.path(), QStringLiteral("抜数字設定.txt"), QStringLiteral("10,10,\"秒数\",1,1\r\n"));
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackPauses(false);
    auto *start = w.child<QPushButton>("cmdStart");
    auto *notice = w.child<QLabel>("lblBest");
    auto countdown = [&] {
        QTest::mouseClick(start, Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            w.clock.advance(1);
            w.engine().tickStart();
        }
    };
    // Three correct answers in 10 seconds: 0.30/秒.
    auto playToTheEnd = [&] {
        for (int i = 0; i < 3; ++i) {
            w.clock.advance(1);
            QTest::keyClicks(w.child<QLineEdit>("txtKaitou"), w.engine().session().answer);
        }
        w.clock.advance(7);
        w.engine().tickClock();
        QVERIFY(start->isEnabled());
        QCOMPARE(w.child<QLabel>("lblByou")->text(), QStringLiteral("0.30/秒"));
    };
    // Beside the figures, their change against the last 10-second play (0.20/秒, 100.0%, 0.50秒).
    const auto changes = [&w] {
        QStringList shown;
        for (const char *name : {"lblRituSa", "lblByouSa", "lblKirokuSa"}) {
            auto *l = w.child<QLabel>(name);
            shown << l->text() + (l->palette().color(QPalette::WindowText) == QColor(0, 128, 0) ? "+" : "");
        }
        return shown.join(u' ');
    };
    countdown();
    playToTheEnd();
    QCOMPARE(notice->text(), QStringLiteral("自己ベスト更新！"));
    QCOMPARE(notice->accessibleName(), notice->text());
    QCOMPARE(changes(), QStringLiteral("±0.0% +0.10+ +0.50"));
    // The notice is only shown: the history holds the earlier plays and the one saved play.
    const QString history = test::readSjis(w.dir.path(), QStringLiteral("抜数字履歴.txt"));
    QVERIFY(history.startsWith(earlier));
    QCOMPARE(history.count(QStringLiteral("\r\n")), 3);

    countdown();
    QCOMPARE(notice->text(), QString());
    QCOMPARE(changes(), QStringLiteral("  "));
    playToTheEnd(); // as good as the best just saved: no new best
    QCOMPARE(notice->text(), QString());
    QCOMPARE(changes(), QStringLiteral("±0.0% ±0.00 ±0.00"));
}

// A screen reader announces what a label shows (its name) and what it is (its description): the nine digits
// of the question, and the figures of the scoreboard as they change.
void TestDigitWindow::screenReaderHearsDigitsAndFigures() {
    Window w(QList<double>(9, 0.0));
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackPauses(false);
    auto heard = [&w](const QString &name) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w.child<QWidget>(name));
        return a->text(QAccessible::Name) + QLatin1Char('|') + a->text(QAccessible::Description);
    };
    for (int i = 1; i <= 9; ++i)
        QCOMPARE(heard(QStringLiteral("lblMondai_%1").arg(i)), QStringLiteral("%1|問題 %2").arg(i - 1).arg(i));
    QTest::mouseClick(w.child<QPushButton>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w.engine().tickStart();
    w.clock.advance(0.5);
    QTest::keyClicks(w.child<QLineEdit>("txtKaitou"), w.engine().session().answer);
    QCOMPARE(heard("lblOk"), QStringLiteral("1|正解"));
    QCOMPARE(heard("lblNg"), QStringLiteral("0|不正解"));
    QCOMPARE(heard("lblKiroku"), QStringLiteral("0.50|最高反応"));
    QCOMPARE(heard("lblJikan"), QStringLiteral("60|時間"));
}

QTEST_MAIN(TestDigitWindow)
#include "tst_digit_window.moc"
