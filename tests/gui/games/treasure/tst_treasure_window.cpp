#include "gui/games/common/game_window.h"
#include "gui/games/game_views.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

double drawFor1(int i, int n) {
    return ScriptedRandom::forIndex0(i - 1, n);
}

struct Window {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    GameWindow *window = nullptr;

    explicit Window(QList<double> draws, const QString &dictionary = QStringLiteral("萩荻\r\n末未\r\n"))
        : random(std::move(draws)) {
        test::writeSjis(dir.path(), QStringLiteral("宝探し辞書.TXT"), dictionary);
        window = new GameWindow(std::make_unique<GameEngine>(TreasureGame::definition(), TreasureGame::makeRules(),
                                                             dir.path(), clock, random));
        window->setQuestionView(makeGameView<TreasureGame>(*window));
    }
    ~Window() { delete window; }
    GameEngine &engine() { return window->engine(); }
    template <class T> T *child(const QString &name) { return window->findChild<T *>(name); }
    QPushButton *cell(int i) { return child<QPushButton>(QStringLiteral("lblKanjiP_%1").arg(i)); }
    QList<int> visibleCells() {
        QList<int> out;
        for (int i = 1; i <= 40; ++i)
            if (cell(i)->isVisible())
                out << i;
        return out;
    }
    int shownRows() {
        QSet<int> tops;
        for (int i : visibleCells())
            tops.insert(cell(i)->geometry().top());
        return int(tops.size());
    }
    void choose(const char *combo, Qt::Key key, int downs = 0) {
        auto *box = child<QComboBox>(combo);
        box->setFocus();
        QTest::keyClick(box, key);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(box, Qt::Key_Down);
    }
};

} // namespace

class TestTreasureWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::setAutoAnswer(true); }
    void cleanup() { MessageDialog::setAutoAnswer(false); }
    void fieldControls();
    void playFromStartToSavedRecord();
    void ampersandIsShownAsItself();
};

// A dictionary's "&" is a character to find, not the mark of a keyboard shortcut: its cell draws it (a lone
// shortcut mark draws nothing).
void TestTreasureWindow::ampersandIsShownAsItself() {
    Window w(QList<double>(9, 0.0), QStringLiteral("A&\r\n"));
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    for (int i = 1; i <= 2; ++i) {
        QPushButton *cell = w.cell(i);
        const QImage image = cell->grab().toImage();
        int ink = 0;
        for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
            for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x)
                ink += qGray(image.pixel(x, y)) < 96;
        QVERIFY2(ink > 20, qPrintable(cell->text()));
    }
}

void TestTreasureWindow::fieldControls() {
    Window w(QList<double>(9, 0.0));
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    QCOMPARE(w.window->windowTitle(), QStringLiteral("宝探し"));
    QCOMPARE(w.window->objectName(), QStringLiteral("frmG4"));
    QVERIFY(!w.child<QLineEdit>("txtKaitou"));
    QCOMPARE(w.child<QLabel>("lblByouCaption")->text(), QStringLiteral("クリック数／秒"));
    for (int i = 1; i <= 40; ++i) {
        QVERIFY(w.cell(i)->focusPolicy() & Qt::TabFocus);
        // A screen reader hears the kanji, then the place of the cell.
        QCOMPARE(QAccessible::queryAccessibleInterface(w.cell(i))->text(QAccessible::Name), w.cell(i)->text());
        QCOMPARE(w.cell(i)->accessibleDescription(), QStringLiteral("コマ %1").arg(i));
        QCOMPARE(w.cell(i)->font().pointSize(), 36);
    }
    QCOMPARE(w.visibleCells().size(), 40);
    QCOMPARE(w.shownRows(), 5);

    w.choose("cboMode", Qt::Key_Home);
    QCOMPARE(w.child<QComboBox>("cboMode")->currentText(), QStringLiteral("8"));
    QCOMPARE(w.visibleCells(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    QCOMPARE(w.shownRows(), 1);
    QCOMPARE(w.cell(1)->text(), QStringLiteral("荻"));
    QCOMPARE(w.cell(2)->text(), QStringLiteral("萩"));
    QCOMPARE(test::readSjis(w.dir.path(), "宝探し設定.txt"), QStringLiteral("10,60,\"秒数\",1,8\r\n"));

    w.choose("cboMode", Qt::Key_End);
    QCOMPARE(w.visibleCells().size(), 40);
    QCOMPARE(w.shownRows(), 5);
    w.choose("cboMode", Qt::Key_Up);
    QCOMPARE(w.visibleCells().size(), 32);
    QCOMPARE(w.shownRows(), 4);
}

void TestTreasureWindow::playFromStartToSavedRecord() {
    // Fields: the opening one; one made after the click during the countdown; 末未 with 末 hidden in cell 13 at
    // the green light; 萩荻 with 荻 in cell 1 after the right click.
    QList<double> draws{0, 0, 0, 0, 0, 0};
    draws << drawFor1(2, 2) << drawFor1(2, 2) << drawFor1(13, 40);
    draws << 0 << 0 << 0;
    Window w(draws);
    QCOMPARE(w.window->open(), QString());
    w.engine().setTimersRunning(false);
    w.engine().setFeedbackPauses(true);

    // Three answers, chosen through the controls.
    auto *countMode = w.child<QRadioButton>("optMode_0");
    QTest::mouseClick(countMode, Qt::LeftButton, {}, QPoint(8, countMode->height() / 2));
    QCOMPARE(w.engine().gameMode(), GameMode::AnswerCount);
    w.choose("cboKaisu", Qt::Key_Home, 2);
    QCOMPARE(w.engine().settings().countLimit, 3);

    // Idle: a click on the odd cell changes nothing.
    QCOMPARE(w.cell(1)->text(), QStringLiteral("荻"));
    QTest::mouseClick(w.cell(1), Qt::LeftButton);
    QCOMPARE(w.child<QLabel>("lblOk")->text(), QString());
    QCOMPARE(w.cell(1)->accessibleDescription(), QStringLiteral("コマ 1"));
    QCOMPARE(w.engine().answerList().rows(), 1);

    auto *start = w.child<QPushButton>("cmdStart");
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(w.visibleCells().size(), 40);
    QCOMPARE(w.cell(1)->text(), QString());
    QVERIFY(!w.child<QComboBox>("cboMode")->isEnabled());
    w.clock.advance(1);
    w.engine().tickStart();
    // During the countdown the blank former odd cell is clicked: wrong, flashing red.
    QTest::mouseClick(w.cell(1), Qt::LeftButton);
    QCOMPARE(w.cell(1)->accessibleDescription(), QStringLiteral("コマ 1 不正解"));
    QCOMPARE(w.child<QLabel>("lblNg")->text(), QStringLiteral("1"));
    w.engine().finishFeedbackNow();
    QCOMPARE(w.cell(1)->accessibleDescription(), QStringLiteral("コマ 1"));

    for (int i = 0; i < 2; ++i) {
        w.clock.advance(1);
        w.engine().tickStart();
    }
    QCOMPARE(w.cell(13)->text(), QStringLiteral("末"));
    QCOMPARE(w.cell(12)->text(), QStringLiteral("未"));
    w.clock.advance(0.5);
    QTest::mouseClick(w.cell(13), Qt::LeftButton);
    QCOMPARE(w.cell(13)->accessibleDescription(), QStringLiteral("コマ 13 正解"));
    QVERIFY(w.cell(13)->styleSheet().contains(QStringLiteral("rgb(0, 255, 0)")));
    QCOMPARE(w.child<QLabel>("lblOk")->text(), QStringLiteral("1"));
    w.engine().finishFeedbackNow();
    QVERIFY(w.cell(13)->styleSheet().contains(QStringLiteral("rgb(255, 255, 255)")));
    QCOMPARE(w.child<QLabel>("lblKiroku")->text(), QStringLiteral("0.50"));

    // The last answer from the keyboard: a common cell, wrong, ends the play.
    w.engine().setFeedbackPauses(false);
    w.clock.advance(0.25);
    w.engine().tickElapsed();
    QCOMPARE(w.cell(2)->text(), QStringLiteral("萩"));
    w.cell(2)->setFocus();
    QTest::keyClick(w.cell(2), Qt::Key_Space);
    QVERIFY(start->isEnabled());
    QCOMPARE(w.child<QLabel>("lblMoji_T")->text(), QStringLiteral("3"));
    QCOMPARE(w.child<QLabel>("lblByou")->text(), QStringLiteral("3.75/秒"));
    QCOMPARE(w.child<QLabel>("lblRitu")->text(), QStringLiteral("33.3%"));
    auto *list = w.child<GridWidget>("msgKaitou");
    QCOMPARE(list->grid().cols(), 2);
    QCOMPARE(list->grid().rowTexts(0), (QStringList{"回", "反応"}));
    QCOMPARE(list->grid().rowTexts(1), (QStringList{"1", "1.00"}));
    QCOMPARE(list->grid().rowTexts(3), (QStringList{"3", "0.25"}));

    QCOMPARE(test::readSjis(w.dir.path(), "宝探し履歴.txt"),
             QStringLiteral("\"2026/12/06\",\"18:30:03\",3,1,2,0.5,\"33.3%\",\"3.75/秒\",\"0.8秒\"\r\n"));
    QCOMPARE(
        test::readSjis(w.dir.path(), "データ.txt"),
        QStringLiteral("\"2026/12/06\",\"18:30:03\",\"宝探し\",0.8,\"秒数 : 0.8   答数 : 3  反応時間  0.5秒\",\r\n"));

    // After the play the last field stays, its flash over; clicks on it are ignored.
    QVERIFY(w.cell(2)->styleSheet().contains(QStringLiteral("rgb(255, 255, 255)")));
    QTest::mouseClick(w.cell(1), Qt::LeftButton);
    QCOMPARE(w.child<QLabel>("lblMoji_T")->text(), QStringLiteral("3"));
}

QTEST_MAIN(TestTreasureWindow)
#include "tst_treasure_window.moc"
