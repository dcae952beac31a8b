#include "core/base/sjis.h"
#include "gui/games/common/game_window.h"
#include "gui/games/game_views.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;
using mirute::test::sjisBytes;

namespace {

// Draws that put the digits 1..9 on the number buttons 1..9 in order.
QList<double> digitsInOrder() {
    QList<double> draws;
    for (int v = 1; v <= 9; ++v)
        draws << (v - 0.5) / 9;
    for (int k = 0; k < 9; ++k)
        draws << 0.0;
    return draws;
}

} // namespace

class TestOrderWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::setAutoAnswer(true); }
    void answerCountPlayThroughTheWindow();
    void historyChartShowsTrendOfShownPlays();
    void answerCountSecondsSavedInShortestForm_data();
    void answerCountSecondsSavedInShortestForm();
};

void TestOrderWindow::answerCountPlayThroughTheWindow() {
    QTemporaryDir dir;
    test::writeSjis(dir.path(), QStringLiteral("順番クリック設定.txt"), QStringLiteral("1,60,\"答数\",1,1,\"大\"\r\n"));
    test::FakeClock clock;
    ScriptedRandom random(digitsInOrder() + digitsInOrder());
    GameWindow window(
        std::make_unique<GameEngine>(OrderGame::definition(), OrderGame::makeRules(), dir.path(), clock, random));
    window.setQuestionView(makeGameView<OrderGame>(window));
    QVERIFY(window.open().isEmpty());
    GameEngine &engine = window.engine();
    engine.setTimersRunning(false);
    engine.setFeedbackPauses(false);

    QCOMPARE(window.objectName(), QStringLiteral("frmG6"));
    QCOMPARE(window.windowTitle(), QStringLiteral("順番クリック"));
    QVERIFY(!window.answerBox()); // clicks are the answers
    QCOMPARE(window.findChild<QComboBox *>("cboMode")->currentText(), QStringLiteral("1"));
    QCOMPARE(window.findChild<QComboBox *>("cboMode2")->currentText(), QStringLiteral("大"));
    QCOMPARE(window.findChild<QLabel *>("lblByouCaption")->text(), QStringLiteral("クリック数／秒"));
    QCOMPARE(window.findChild<QPushButton *>("cmdMoji")->text(), QStringLiteral("クリア秒"));
    QCOMPARE(window.findChild<QPushButton *>("cmdKaitou")->text(), QStringLiteral("クリック"));
    auto label = [&](int k) { return window.findChild<QPushButton *>(QStringLiteral("lblMondai_%1").arg(k)); };
    QCOMPARE(label(4)->text(), QStringLiteral("4"));

    // An idle click only moves the focus to "スタート".
    auto *start = window.findChild<QPushButton *>("cmdStart");
    QTest::mouseClick(label(4), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), start);
    QCOMPARE(engine.session().ngCount + engine.session().okCount, 0);

    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(label(4)->text(), QString()); // the numbers are cleared for the countdown
    for (int i = 0; i < 3; ++i)
        engine.tickStart();
    QCOMPARE(label(4)->text(), QStringLiteral("4"));

    clock.advance(2.5);
    engine.tickElapsed();
    QTest::mouseClick(label(9), Qt::LeftButton);
    QTest::mouseClick(label(1), Qt::LeftButton); // out of turn
    QCOMPARE(label(9)->accessibleDescription(), QStringLiteral("緑"));
    QCOMPARE(label(1)->accessibleDescription(), QStringLiteral("赤"));
    QVERIFY(label(1)->styleSheet().contains(QStringLiteral("rgb(255, 0, 0)")));
    QCOMPARE(window.findChild<QLabel *>("lblNg")->text(), QStringLiteral("1"));
    clock.advance(1.5);
    engine.tickElapsed();
    for (int k = 8; k >= 1; --k)
        QTest::mouseClick(label(k), Qt::LeftButton);

    QVERIFY(start->isEnabled());
    QCOMPARE(label(1)->accessibleDescription(), QStringLiteral("緑"));
    QCOMPARE(window.findChild<QLabel *>("lblMoji_T")->text(), QStringLiteral("1"));
    QCOMPARE(window.findChild<QLabel *>("lblOk")->text(), QStringLiteral("9"));
    QCOMPARE(window.findChild<QLabel *>("lblKiroku")->text(), QStringLiteral("4.00"));
    QCOMPARE(window.findChild<QLabel *>("lblByou")->text(), QStringLiteral("2.50/秒"));
    QCOMPARE(window.findChild<QLabel *>("lblRitu")->text(), QStringLiteral("90.0%"));
    QCOMPARE(engine.answerList().textMatrix(1, 1), QStringLiteral("4.00"));

    QCOMPARE(test::readBytes(dir.path(), QStringLiteral("順番クリック履歴.txt")),
             sjisBytes(QStringLiteral("\"2026/12/06\",\"18:30:04\",1,9,1,4,\"90.0%\",\"2.50/秒\",\"4秒\"\r\n")));
    QCOMPARE(test::readBytes(dir.path(), QStringLiteral("データ.txt")),
             sjisBytes(QStringLiteral("\"2026/12/06\",\"18:30:04\",\"順番クリック\",4,"
                                      "\"秒数 : 4   答数 : 10  反応時間  4秒\",\r\n")));
    QCOMPARE(engine.history().list().textMatrix(1, 3), QStringLiteral("1"));
}

void TestOrderWindow::historyChartShowsTrendOfShownPlays() {
    QTemporaryDir dir;
    // 秒当たり 1 to 6; the third play was one of 30 seconds, the others of 60.
    QString lines;
    for (int k = 1; k <= 6; ++k)
        lines += QStringLiteral("\"2026/12/0%1\",\"09:00:00\",1,9,1,4,\"90.0%\",\"%1.00/秒\",\"%2秒\"\r\n")
                     .arg(k)
                     .arg(k == 3 ? 30 : 60);
    test::writeSjis(dir.path(), QStringLiteral("順番クリック履歴.txt"), lines);
    test::FakeClock clock;
    ScriptedRandom random(digitsInOrder());
    GameWindow window(
        std::make_unique<GameEngine>(OrderGame::definition(), OrderGame::makeRules(), dir.path(), clock, random));
    window.setQuestionView(makeGameView<OrderGame>(window));
    QVERIFY(window.open().isEmpty());
    auto *chart = window.findChild<ChartWidget *>("mcrRireki");
    const auto trendPoints = [&] {
        for (QAbstractSeries *s : chart->chart()->series())
            if (s->name() == QStringLiteral("平均(5回)"))
                return qobject_cast<QLineSeries *>(s)->points();
        return QList<QPointF>();
    };

    QTest::mouseClick(window.findChild<QPushButton *>("cmdByou"), Qt::LeftButton);
    QTRY_VERIFY(!chart->redrawPending());
    QCOMPARE(trendPoints(), (QList<QPointF>{{0, 1}, {1, 1.5}, {2, 2}, {3, 2.5}, {4, 3}, {5, 4}}));

    // The 60-second filter leaves plays 1, 2, 4, 5 and 6: the line is redrawn over them alone.
    auto *seconds = window.findChild<QComboBox *>("cboJikan2");
    seconds->setFocus();
    QTest::keyClick(seconds, Qt::Key_Home);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(seconds, Qt::Key_Down);
    QCOMPARE(seconds->currentText(), QStringLiteral("60"));
    QCOMPARE(window.engine().history().list().rows(), 6);
    QTRY_VERIFY(!chart->redrawPending());
    QCOMPARE(trendPoints(), (QList<QPointF>{{0, 1}, {1, 1.5}, {2, 7.0 / 3}, {3, 3}, {4, 3.6}}));
}

void TestOrderWindow::answerCountSecondsSavedInShortestForm_data() {
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("record");
    QTest::newRow("3.0 s")
        << 3.0 << "\"2026/12/06\",\"18:30:03\",1,9,0,3,\"100.0%\",\"3.00/秒\",\"3秒\"\r\n"
        << "\"2026/12/06\",\"18:30:03\",\"順番クリック\",3,\"秒数 : 3   答数 : 9  反応時間  3秒\",\r\n";
    QTest::newRow("10.0 s")
        << 10.0 << "\"2026/12/06\",\"18:30:10\",1,9,0,10,\"100.0%\",\"0.90/秒\",\"10.0秒\"\r\n"
        << "\"2026/12/06\",\"18:30:10\",\"順番クリック\",10,\"秒数 : 10   答数 : 9  反応時間  10秒\",\r\n";
    QTest::newRow("23.4 s") << 23.4 << "\"2026/12/06\",\"18:30:23\",1,9,0,23.4,\"100.0%\",\"0.38/秒\",\"23.4秒\"\r\n"
                            << "\"2026/12/06\",\"18:30:23\",\"順番クリック\",23.4,"
                               "\"秒数 : 23.4   答数 : 9  反応時間  23.4秒\",\r\n";
}

// One question of nine clicks finished when the clock shows the elapsed seconds with one decimal: the
// seconds and the finishing time are saved in their shortest form, the seconds never as a whole time limit.
void TestOrderWindow::answerCountSecondsSavedInShortestForm() {
    QFETCH(double, elapsed);
    QFETCH(QString, history);
    QFETCH(QString, record);
    QTemporaryDir dir;
    test::writeSjis(dir.path(), QStringLiteral("順番クリック設定.txt"), QStringLiteral("1,60,\"答数\",1,1,\"大\"\r\n"));
    test::FakeClock clock;
    ScriptedRandom random(digitsInOrder() + digitsInOrder());
    GameWindow window(
        std::make_unique<GameEngine>(OrderGame::definition(), OrderGame::makeRules(), dir.path(), clock, random));
    window.setQuestionView(makeGameView<OrderGame>(window));
    QVERIFY(window.open().isEmpty());
    GameEngine &engine = window.engine();
    engine.setTimersRunning(false);
    QTest::mouseClick(window.findChild<QPushButton *>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        engine.tickStart();
    clock.advance(elapsed);
    engine.tickElapsed();
    for (int k = 9; k >= 1; --k)
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("lblMondai_%1").arg(k)), Qt::LeftButton);
    QVERIFY(!engine.session().playing);
    QCOMPARE(test::readBytes(dir.path(), QStringLiteral("順番クリック履歴.txt")), sjisBytes(history));
    QCOMPARE(test::readBytes(dir.path(), QStringLiteral("データ.txt")), sjisBytes(record));
}

QTEST_MAIN(TestOrderWindow)
#include "tst_order_window.moc"
