#include "gui/games/common/game_window.h"
#include "gui/games/game_views.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

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

namespace {

double draw0(int i, int n) {
    return ScriptedRandom::forIndex0(i, n);
}

struct Window {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    GameWindow *window = nullptr;

    explicit Window(QList<double> draws) : random(std::move(draws)) {
        test::writeSjis(dir.path(), QStringLiteral("抜仲間辞書.TXT"),
                        QStringLiteral("<三猿>\r\nみざる,きかざる,いわざる\r\n＜四季＞\r\n春,夏,秋,冬\r\n"));
        window = new GameWindow(
            std::make_unique<GameEngine>(MemberGame::definition(), MemberGame::makeRules(), dir.path(), clock, random));
        window->setQuestionView(makeGameView<MemberGame>(*window));
    }
    ~Window() { delete window; }
    GameEngine &engine() { return window->engine(); }
    template <class T> T *child(const QString &name) { return window->findChild<T *>(name); }
    QLineEdit *box() { return child<QLineEdit>("txtKaitou"); }
    GridWidget *question() { return child<GridWidget>("msgMondai"); }
    QStringList questionShown() {
        QAbstractItemModel *m = question()->model();
        QStringList out{m->headerData(0, Qt::Horizontal).toString()};
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, 0).data().toString();
        return out;
    }
    // What an input method sends: first the text being composed, then its commit (the Enter that ends
    // the conversion arrives as this commit, not as a key).
    void compose(const QString &text) {
        QInputMethodEvent preedit(text, {});
        QApplication::sendEvent(box(), &preedit);
    }
    void commit(const QString &text) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box(), &commit);
    }
};

} // namespace

class TestMemberWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::setAutoAnswer(true); }
    void cleanup() { MessageDialog::setAutoAnswer(false); }
    void playFromStartToSavedRecord();
    void escapeWhileIdleFocusesStart();
};

void TestMemberWindow::playFromStartToSavedRecord() {
    // The opening question (三猿, random order), then in order: いわざる missing twice, then みざる.
    QList<double> draws{0, 0, 0};
    draws << 0 << draw0(2, 3) << 0 << draw0(2, 3) << 0 << draw0(0, 3) << 0 << 0;
    Window w(draws);
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackPauses(true);
    w.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    QCOMPARE(w.window->windowTitle(), QStringLiteral("抜仲間タイピング"));
    QCOMPARE(w.window->objectName(), QStringLiteral("frmG3"));
    QCOMPARE(w.child<QPushButton>("cmdStart")->toolTip(), QStringLiteral("ゲームをスタートします"));
    QCOMPARE(w.child<QPushButton>("cmdHozon")->toolTip(), QStringLiteral("データを保存します"));
    QCOMPARE(w.child<QPushButton>("cmdClear")->toolTip(), QStringLiteral("履歴データをクリアします"));
    QCOMPARE(w.child<QPushButton>("cmdEnd")->toolTip(), QStringLiteral("プログラムを終了します"));
    QCOMPARE(w.child<QCheckBox>("chkAs")->toolTip(), QStringLiteral("履歴の自動保存を制御します"));
    QCOMPARE(w.child<QLabel>("lblByouCaption")->text(), QStringLiteral("タイプ数／秒"));
    QCOMPARE(w.questionShown(), (QStringList{"三猿", "みざる", "きかざる"}));
    const Grid &answers = w.child<GridWidget>("msgKaitou")->grid();
    QCOMPARE(answers.rowTexts(0), (QStringList{"回", "答", "反応秒"}));
    QCOMPARE(answers.colWidth(1), 2460);
    QCOMPARE(answers.colAlignment(1), int(Grid::Left));

    auto *hint = w.child<QCheckBox>("chkHint");
    QTest::mouseClick(hint, Qt::LeftButton, {}, QPoint(8, hint->height() / 2));
    QVERIFY(hint->isChecked());
    auto *timeLimitBox = w.child<QComboBox>("cboJikan");
    timeLimitBox->setFocus();
    QTest::keyClick(timeLimitBox, Qt::Key_Home);
    QCOMPARE(w.engine().settings().timeLimit, 10.0f);

    QTest::mouseClick(w.child<QPushButton>("cmdStart"), Qt::LeftButton);
    QCOMPARE(w.questionShown(), (QStringList{""}));
    for (int i = 0; i < 3; ++i) {
        w.clock.advance(1);
        w.engine().tickStart();
    }
    QCOMPARE(w.questionShown(), (QStringList{"三猿", "みざる", "きかざる"}));
    QCOMPARE(QApplication::focusWidget(), w.box());

    // 1: composed, the Enter of the conversion commits it, then Enter judges.
    w.clock.advance(1.5);
    w.compose(QStringLiteral("いわ"));
    w.commit(QStringLiteral("いわ"));
    w.compose(QStringLiteral("ざる"));
    QTest::keyClick(w.box(), Qt::Key_Return); // an Enter that still belongs to the conversion
    QCOMPARE(w.child<QLabel>("lblMoji_T")->text(), QStringLiteral("0"));
    QCOMPARE(w.box()->text(), QStringLiteral("いわ"));
    w.commit(QStringLiteral("ざる"));
    QCOMPARE(w.box()->text(), QStringLiteral("いわざる"));
    QCOMPARE(w.child<QLabel>("lblMoji_T")->text(), QStringLiteral("0"));
    QTest::keyClick(w.box(), Qt::Key_Return);
    QCOMPARE(w.child<QLabel>("lblOk")->text(), QStringLiteral("1"));
    QCOMPARE(w.question()->grid().backColor(), (Rgb{0, 255, 0}));
    QCOMPARE(w.question()->accessibleDescription(), QStringLiteral("正解"));
    w.engine().finishFeedbackNow();
    QCOMPARE(w.question()->grid().backColor(), kWhite);
    QCOMPARE(w.box()->text(), QString());
    w.engine().setFeedbackPauses(false);

    // 2: Escape reveals the answer; Enter on it counts NG.
    w.clock.advance(2);
    QTest::keyClick(w.box(), Qt::Key_Escape);
    QCOMPARE(w.box()->text(), QStringLiteral("_いわざる"));
    QTest::keyClick(w.box(), Qt::Key_Return);
    QCOMPARE(w.child<QLabel>("lblNg")->text(), QStringLiteral("1"));
    QCOMPARE(answers.rowTexts(2), (QStringList{"2", "いわざる (_いわざる)", "2.00"}));

    // 3: みざる missing.
    QCOMPARE(w.questionShown(), (QStringList{"三猿", "きかざる", "いわざる"}));
    w.clock.advance(1.25);
    w.commit(QStringLiteral("みざる"));
    QTest::keyClick(w.box(), Qt::Key_Enter);
    QCOMPARE(w.child<QLabel>("lblOk")->text(), QStringLiteral("2"));
    QCOMPARE(w.child<QLabel>("lblKiroku")->text(), QStringLiteral("1.25"));

    // 4 + 5 + 3 characters in 10 seconds.
    w.clock.advance(13 - 7.75);
    w.engine().tickClock();
    QCOMPARE(w.child<QLabel>("lblByou")->text(), QStringLiteral("1.20/秒"));
    QCOMPARE(w.child<QLabel>("lblRitu")->text(), QStringLiteral("66.7%"));
    QCOMPARE(test::readSjis(w.dir.path(), "抜仲間履歴.txt"),
             QStringLiteral("\"2026/12/06\",\"18:30:13\",3,2,1,1.25,\"66.7%\",\"1.20/秒\",\"10秒\"\r\n"));
    QCOMPARE(
        test::readSjis(w.dir.path(), "データ.txt"),
        QStringLiteral("\"2026/12/06\",\"18:30:13\",\"抜仲間\",10,\"秒数 : 10   答数 : 3  反応時間  1.25秒\",\r\n"));
}

void TestMemberWindow::escapeWhileIdleFocusesStart() {
    Window w(QList<double>(3, 0.0));
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.window));
    w.box()->setFocus();
    w.commit(QStringLiteral("みざる"));
    QTest::keyClick(w.box(), Qt::Key_Escape);
    QCOMPARE(w.box()->text(), QString());
    QCOMPARE(QApplication::focusWidget(), w.child<QPushButton>("cmdStart"));
    w.box()->setFocus();
    w.commit(QStringLiteral("いわざる"));
    QTest::keyClick(w.box(), Qt::Key_Return);
    QCOMPARE(w.box()->text(), QString());
    QCOMPARE(w.engine().answerList().rows(), 1);
    QCOMPARE(QApplication::focusWidget(), w.child<QPushButton>("cmdStart"));
}

QTEST_MAIN(TestMemberWindow)
#include "tst_member_window.moc"
