#include "games/common/game_window.h"
#include "games/digit/digit_game.h"
#include "games/digit/digit_view_widget.h"
#include "support/fake_clock.h"
#include "support/test_files.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
    void screenReaderHearsDigitsAndFigures();
};

namespace {

struct Window {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    GameWindow *window = nullptr;

    explicit Window(QList<double> draws) : random(std::move(draws)) {
        window = new GameWindow(std::make_unique<GameEngine>(digitDefinition(), makeDigitRules(), dir.path(), clock,
                                                             random));
        window->setQuestionView(makeDigitView(*window));
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
    QCOMPARE(w.window->Form_Load(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackMs(0);
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
    auto *jikan = w.child<QComboBox>("cboJikan");
    jikan->setFocus();
    QTest::keyClick(jikan, Qt::Key_Home);
    QCOMPARE(jikan->currentText(), QStringLiteral("10"));
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
    QTest::keyClicks(box, "3");          // judged at once, no Enter
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
    QCOMPARE(list->grid().rowTexts(2),
             (QStringList{"2", "7 (a)", "012345689", "0.75"}));

    w.clock.advance(13 - 4.5);   // the green light was at 3 s; the play ends at 13 s
    w.engine().tickClock();
    QVERIFY(start->isEnabled());
    QCOMPARE(w.child<QLabel>("lblByou")->text(), QStringLiteral("0.30/秒"));
    QCOMPARE(w.child<QLabel>("lblRitu")->text(), QStringLiteral("66.7%"));

    QCOMPARE(test::readSjis(w.dir.path(), "抜数字履歴.txt"),
             QStringLiteral("\"2026/12/06\",\"18:30:13\",3,2,1,0.25,\"66.7%\",\"0.30/秒\",\"10秒\"\r\n"));
    QCOMPARE(test::readSjis(w.dir.path(), "データ.txt"),
             QStringLiteral("\"2026/12/06\",\"18:30:13\",\"抜数字\",10,\"秒数 : 10   答数 : 3  反応時間  0.25秒\",\r\n"));
    QCOMPARE(test::readSjis(w.dir.path(), "抜数字設定.txt"), QStringLiteral("10,10,\"秒数\",1,1\r\n"));
}

void TestDigitWindow::typingWhileIdleFocusesStart() {
    Window w(QList<double>(9, 0.0));
    QCOMPARE(w.window->Form_Load(), QString());
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

// A screen reader announces what a label shows (its name) and what it is (its description): the nine digits
// of the question, and the figures of the scoreboard as they change.
void TestDigitWindow::screenReaderHearsDigitsAndFigures() {
    Window w(QList<double>(9, 0.0));
    QCOMPARE(w.window->Form_Load(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackMs(0);
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
