#include "core/games/common/game_engine.h"
#include "core/games/order/order_game.h"
#include "core/games/order/order_rules.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

// The draw that makes index1(n) return v.
double forIndex1(int v, int n) {
    return (v - 0.5) / n;
}

// A 順番クリック engine in a fresh working folder with the settings line given.
struct OrderFixture {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameEngine> engine;

    explicit OrderFixture(const QString &settings, const QList<double> &draws = {}) : random(draws) {
        test::writeSjis(dir.path(), QStringLiteral("順番クリック設定.txt"), settings + QStringLiteral("\r\n"));
        engine =
            std::make_unique<GameEngine>(OrderGame::definition(), OrderGame::makeRules(), dir.path(), clock, random);
        engine->setFeedbackPauses(false);
        const QString error = engine->open();
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    OrderRules &rules() { return engine->rulesAs<OrderRules>(); }
    void toGreen() {
        engine->start();
        for (int i = 0; i < 3; ++i)
            engine->tickStart();
    }
    // The label that shows the number text.
    int labelOf(const QString &number) { return int(rules().texts().indexOf(number)) + 1; }
};

// Draws that put 1..9 on the labels in order (digitCount 1): the numbers, then the first of the pool each time.
QList<double> digitsInOrder() {
    QList<double> draws;
    for (int v = 1; v <= 9; ++v)
        draws << forIndex1(v, 9);
    for (int k = 0; k < 9; ++k)
        draws << 0.0;
    return draws;
}

} // namespace

class TestOrderRules : public QObject {
    Q_OBJECT
private slots:
    void digitRunIsRefused_data();
    void digitRunIsRefused();
    void drawRedrawsRuns_data();
    void drawRedrawsRuns();
    void oneDigitIsAlwaysOneToNine();
    void clickOrderIsNumeric_data();
    void clickOrderIsNumeric();
    void questionShowsPoolInDrawnPositions();
    void clicksColourAndCount();
    void finishedQuestionIsOneAnswer();
    void answerCountEndsOnFinishedQuestions();
    void idleClickOnlyFocusesStart();
    void countdownClickOnBlankLabelCountsWrong();
    void orderChangeAppliesToNextQuestion();
    void digitCountChangeMakesNewQuestion();
    void damagedDigitCountIsBroughtBack();
    void answersFilterComparesFinishedQuestions();
};

void TestOrderRules::digitRunIsRefused_data() {
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("57 then 5") << ",57," << 5 << false;
    QTest::newRow("57 then 7") << ",57," << 7 << false;
    QTest::newRow("57 then 57") << ",57," << 57 << false;
    QTest::newRow("57 then 75") << ",57," << 75 << true;
    QTest::newRow("57 then 3") << ",57," << 3 << true;
    QTest::newRow("160 then 1") << ",160," << 1 << false;
    QTest::newRow("160 then 6") << ",160," << 6 << false;
    QTest::newRow("160 then 16") << ",160," << 16 << false;
    QTest::newRow("160 then 60") << ",160," << 60 << false;
    QTest::newRow("160 then 160") << ",160," << 160 << false;
    QTest::newRow("160 then 61") << ",160," << 61 << true;
    QTest::newRow("160 then 10") << ",160," << 10 << true;
    QTest::newRow("no run across a comma") << ",5,7," << 57 << true;
    QTest::newRow("2 then 23 is fine") << ",2," << 23 << true;
    QTest::newRow("23 then 2 is not") << ",23," << 2 << false;
}

void TestOrderRules::digitRunIsRefused() {
    QFETCH(QString, drawn);
    QFETCH(int, value);
    QFETCH(bool, accepted);
    QCOMPARE(OrderRules::acceptable(drawn, value), accepted);
}

void TestOrderRules::drawRedrawsRuns_data() {
    QTest::addColumn<int>("digits");
    QTest::addColumn<QList<int>>("script");   // the values the draws give, in order
    QTest::addColumn<QList<int>>("expected"); // the nine numbers kept
    QTest::newRow("after 57") << 2 << QList<int>{57, 5, 7, 57, 3, 75, 12, 40, 88, 99, 61, 20}
                              << QList<int>{57, 3, 75, 12, 40, 88, 99, 61, 20};
    QTest::newRow("after 160") << 3 << QList<int>{160, 1, 6, 16, 60, 160, 2, 999, 345, 78, 501, 23, 88, 404}
                               << QList<int>{160, 2, 999, 345, 78, 501, 23, 88, 404};
}

void TestOrderRules::drawRedrawsRuns() {
    QFETCH(int, digits);
    QFETCH(QList<int>, script);
    QFETCH(QList<int>, expected);
    const int limit = digits == 2 ? 99 : 999;
    ScriptedRandom random;
    for (int v : script)
        random.push(forIndex1(v, limit));
    QCOMPARE(OrderRules::drawNumbers(random, digits), expected);
    QCOMPARE(random.used(), int(script.size()));
}

void TestOrderRules::oneDigitIsAlwaysOneToNine() {
    for (unsigned seed = 1; seed <= 50; ++seed) {
        SystemRandom random(seed);
        QList<int> numbers = OrderRules::drawNumbers(random, 1);
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }
}

void TestOrderRules::clickOrderIsNumeric_data() {
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("大") << false << QStringList{"812", "660", "403", "158", "97", "75", "31", "9", "2"};
    QTest::newRow("小") << true << QStringList{"2", "9", "31", "75", "97", "158", "403", "660", "812"};
}

void TestOrderRules::clickOrderIsNumeric() {
    QFETCH(bool, ascending);
    QFETCH(QStringList, expected);
    QCOMPARE(OrderRules::sortedOrder({812, 75, 9, 403, 660, 31, 2, 158, 97}, ascending), expected);
}

void TestOrderRules::questionShowsPoolInDrawnPositions() {
    // Drawn small first (2 could not follow 812); the pool picks: last, first, second, then the first each time.
    QList<double> draws;
    for (int v : {2, 9, 31, 75, 97, 158, 403, 660, 812})
        draws << forIndex1(v, 999);
    draws << ScriptedRandom::forIndex0(8, 9) << 0.0 << ScriptedRandom::forIndex0(1, 7);
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,3,\"大\""), draws);
    QCOMPARE(f.rules().texts(), (QStringList{"812", "2", "31", "9", "75", "97", "158", "403", "660"}));
    QCOMPARE(f.rules().clickOrder(), (QStringList{"812", "660", "403", "158", "97", "75", "31", "9", "2"}));
    QCOMPARE(f.rules().nextPos(), 1);
}

void TestOrderRules::clicksColourAndCount() {
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,1,\"小\""), digitsInOrder() + digitsInOrder());
    f.toGreen();
    OrderRules &r = f.rules();
    r.click(f.labelOf("1"));
    QCOMPARE(r.mark(f.labelOf("1")), OrderRules::Mark::Green);
    QCOMPARE(r.textColor(f.labelOf("1")), (Rgb{0, 192, 0}));
    r.click(f.labelOf("5")); // out of turn: red, NG
    QCOMPARE(r.mark(f.labelOf("5")), OrderRules::Mark::Red);
    QCOMPARE(r.textColor(f.labelOf("5")), (Rgb{255, 0, 0}));
    r.click(f.labelOf("1")); // already green: NG, stays green
    QCOMPARE(r.mark(f.labelOf("1")), OrderRules::Mark::Green);
    QCOMPARE(f.engine->session().okCount, 1);
    QCOMPARE(f.engine->session().ngCount, 2);
    QCOMPARE(r.nextPos(), 2);
    QCOMPARE(f.engine->scoreboard().ng, QStringLiteral("2"));
    QCOMPARE(r.mark(f.labelOf("2")), OrderRules::Mark::Black);
    for (int v = 2; v <= 5; ++v)
        r.click(f.labelOf(QString::number(v)));
    QCOMPARE(r.mark(f.labelOf("5")), OrderRules::Mark::Green); // the red number turns green in its turn
    QCOMPARE(f.engine->answerList().rows(), 1);                // nothing listed before the question is done
}

void TestOrderRules::finishedQuestionIsOneAnswer() {
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,1,\"小\""), digitsInOrder() + digitsInOrder() + digitsInOrder());
    f.toGreen();
    f.clock.advance(3.25);
    for (int v = 1; v <= 9; ++v)
        f.rules().click(f.labelOf(QString::number(v)));
    QCOMPARE(f.engine->session().okCount, 9);
    QCOMPARE(f.engine->session().ngCount, 0);
    QCOMPARE(f.rules().clearCount(), 1);
    QCOMPARE(f.engine->scoreboard().answers, QStringLiteral("1"));
    QCOMPARE(f.engine->answerList().rows(), 2);
    QCOMPARE(f.engine->answerList().textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(f.engine->answerList().textMatrix(1, 1), QStringLiteral("3.25"));
    QCOMPARE(f.engine->scoreboard().best, QStringLiteral("3.25"));
    // A new question, all black, starting over.
    QCOMPARE(f.rules().nextPos(), 1);
    QCOMPARE(f.rules().mark(1), OrderRules::Mark::Black);
    QVERIFY(f.engine->session().playing);
}

void TestOrderRules::answerCountEndsOnFinishedQuestions() {
    QList<double> draws;
    for (int q = 0; q < 5; ++q)
        draws += digitsInOrder();
    OrderFixture f(QStringLiteral("3,60,\"答数\",1,1,\"小\""), draws);
    f.toGreen();
    for (int q = 1; q <= 3; ++q) {
        f.rules().click(f.labelOf("9")); // one wrong click per question
        f.clock.advance(2);
        f.engine->tickElapsed();
        for (int v = 1; v <= 9; ++v)
            f.rules().click(f.labelOf(QString::number(v)));
        QCOMPARE(f.engine->session().playing, q < 3);
    }
    QCOMPARE(f.engine->scoreboard().answers, QStringLiteral("3"));
    QCOMPARE(f.engine->scoreboard().perSecond, QStringLiteral("5.00/秒")); // 30 clicks in 6.0 s
    QCOMPARE(f.engine->scoreboard().rate, QStringLiteral("90.0%"));
    const QString history = test::readSjis(f.dir.path(), QStringLiteral("順番クリック履歴.txt"));
    QCOMPARE(history, QStringLiteral("\"2026/12/06\",\"18:30:06\",3,27,3,2,\"90.0%\",\"5.00/秒\",\"6秒\"\r\n"));
}

void TestOrderRules::idleClickOnlyFocusesStart() {
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,1,\"小\""), digitsInOrder());
    QList<GameEngine::Focus> focus;
    connect(f.engine.get(), &GameEngine::focusRequested, this, [&](GameEngine::Focus t) { focus << t; });
    f.rules().click(f.labelOf("1"));
    QCOMPARE(focus, QList<GameEngine::Focus>{GameEngine::Focus::Start});
    QCOMPARE(f.engine->session().okCount + f.engine->session().ngCount, 0);
    QCOMPARE(f.rules().mark(f.labelOf("1")), OrderRules::Mark::Black);
}

void TestOrderRules::countdownClickOnBlankLabelCountsWrong() {
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,1,\"小\""), digitsInOrder());
    f.engine->start();
    QCOMPARE(f.rules().texts(), QStringList(9, QString()));
    f.rules().click(1);
    QCOMPARE(f.engine->session().ngCount, 1);
    QCOMPARE(f.engine->session().okCount, 0);
    QCOMPARE(f.rules().nextPos(), 1);
}

void TestOrderRules::orderChangeAppliesToNextQuestion() {
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,1,\"小\""), digitsInOrder() + digitsInOrder() + digitsInOrder());
    f.engine->setExtra(1, QStringLiteral("大"));
    QCOMPARE(f.rules().clickOrder().first(), QStringLiteral("1"));
    QVERIFY(test::readSjis(f.dir.path(), QStringLiteral("順番クリック設定.txt")).endsWith(",1,\"大\"\r\n"));
    f.toGreen();
    QCOMPARE(f.rules().clickOrder().first(), QStringLiteral("9"));
}

void TestOrderRules::digitCountChangeMakesNewQuestion() {
    QList<double> draws = digitsInOrder();
    for (int v : {57, 3, 75, 12, 40, 88, 99, 61, 20})
        draws << forIndex1(v, 99);
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,1,\"小\""), draws);
    int questions = 0;
    connect(f.engine.get(), &GameEngine::questionChanged, this, [&] { ++questions; });
    f.engine->setExtra(0, QStringLiteral("2"));
    QCOMPARE(questions, 1);
    QCOMPARE(f.rules().clickOrder(), (QStringList{"3", "12", "20", "40", "57", "61", "75", "88", "99"}));
}

void TestOrderRules::damagedDigitCountIsBroughtBack() {
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,7,\"中\""));
    QCOMPARE(f.rules().digitCount(), 2);
    QVERIFY(f.rules().ascending());
    QVERIFY(!f.engine->openNotice().isEmpty());
    for (const QString &n : f.rules().texts())
        QVERIFY2(n.toInt() >= 1 && n.toInt() <= 99, qPrintable(n));
}

void TestOrderRules::answersFilterComparesFinishedQuestions() {
    OrderFixture f(QStringLiteral("10,60,\"秒数\",0,1,\"小\""));
    test::writeSjis(f.dir.path(), QStringLiteral("順番クリック履歴.txt"),
                    QStringLiteral("\"2026/12/01\",\"10:00:00\",3,27,3,2.5,\"90.0%\",\"5.00/秒\",\"6.0秒\"\r\n"
                                   "\"2026/12/02\",\"10:00:00\",2,2,1,3,\"66.7%\",\"0.05/秒\",\"60秒\"\r\n"
                                   "\"2026/12/03\",\"10:00:00\",3,30,0,2,\"100.0%\",\"0.50/秒\",\"60秒\"\r\n"));
    f.engine->history().filterAnswers(QStringLiteral("3"));
    const Grid &list = f.engine->history().list();
    QCOMPARE(list.rows(), 3);
    QCOMPARE(list.textMatrix(1, 1), QStringLiteral("2026/12/01"));
    QCOMPARE(list.textMatrix(2, 1), QStringLiteral("2026/12/03"));
    QCOMPARE(list.textMatrix(0, 6), QStringLiteral("クリア"));
}

QTEST_GUILESS_MAIN(TestOrderRules)
#include "tst_order_rules.moc"
