#include "core/games/common/game_engine.h"
#include "core/games/digit/digit_game.h"
#include "core/games/digit/digit_rules.h"
#include "support/fake_clock.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

// The draws that make the random-order generator show the digits of `shown` in that order.
QList<double> drawsShowing(const QString &shown) {
    QStringList work;
    for (int d = 0; d <= 9; ++d)
        work << QString::number(d);
    QList<double> draws;
    for (QChar c : shown) {
        const int j = int(work.indexOf(QString(c)));
        draws << ScriptedRandom::forIndex0(j, int(work.size()));
        work.removeAt(j);
    }
    return draws;
}

QStringList chars(const QString &s) {
    QStringList out;
    for (QChar c : s)
        out << QString(c);
    return out;
}

// An opened 抜数字 engine in a temporary folder; the question made at opening uses the first draws.
struct Play {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameEngine> engine;

    explicit Play(QList<double> draws = {}) : random(std::move(draws)) {
        engine =
            std::make_unique<GameEngine>(DigitGame::definition(), DigitGame::makeRules(), dir.path(), clock, random);
        engine->setFeedbackPauses(false);
        const QString error = engine->open();
        if (!error.isEmpty())
            qFatal("open failed");
    }
    DigitRules &rules() { return engine->rulesAs<DigitRules>(); }
    void toGreen() {
        engine->start();
        for (int i = 0; i < 3; ++i) {
            clock.advance(1);
            engine->tickStart();
        }
    }
};

} // namespace

class TestDigitRules : public QObject {
    Q_OBJECT
private slots:
    void inOrderLeavesOneDigitOut_data();
    void inOrderLeavesOneDigitOut();
    void randomOrderShowsPicksInTurn_data();
    void randomOrderShowsPicksInTurn();
    void firstCharacterIsJudged_data();
    void firstCharacterIsJudged();
    void emptyBoxJudgesNothing();
    void typingWhileIdleEmptiesTheBox();
    void bestReactionIsTheFastestCorrectAnswer();
    void startClearsTheSquare();
};

void TestDigitRules::inOrderLeavesOneDigitOut_data() {
    QTest::addColumn<int>("missing");
    QTest::addColumn<double>("draw");
    QTest::newRow("3") << 3 << ScriptedRandom::forIndex0(3, 10);
    QTest::newRow("0, r = 0") << 0 << 0.0;
    QTest::newRow("9, r just below 1") << 9 << 0.9999999;
    QTest::newRow("5, r = 0.5") << 5 << 0.5;
}

void TestDigitRules::inOrderLeavesOneDigitOut() {
    QFETCH(int, missing);
    QFETCH(double, draw);
    Play p(QList<double>(9, 0.0) << draw);
    p.engine->setExtra(0, QStringLiteral("1"));
    QVERIFY(p.rules().inOrder());
    p.clock.advance(2.5);
    p.engine->makeQuestion();

    QStringList expected;
    for (int d = 0; d <= 9; ++d)
        if (d != missing)
            expected << QString::number(d);
    QCOMPARE(p.rules().labels(), expected);
    QCOMPARE(p.engine->session().answer, QString::number(missing));
    QCOMPARE(p.rules().questionText(), expected.join(QString()));
    QCOMPARE(p.random.used(), 10);
    QCOMPARE(p.engine->session().shownAt, p.clock.seconds());
}

void TestDigitRules::randomOrderShowsPicksInTurn_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("missing");
    QTest::newRow("help example") << QStringLiteral("512987604") << QStringLiteral("3");
    QTest::newRow("descending") << QStringLiteral("987654321") << QStringLiteral("0");
    QTest::newRow("ascending") << QStringLiteral("012345678") << QStringLiteral("9");
    QTest::newRow("zero last") << QStringLiteral("135792468") << QStringLiteral("0");
}

void TestDigitRules::randomOrderShowsPicksInTurn() {
    QFETCH(QString, shown);
    QFETCH(QString, missing);
    Play p(drawsShowing(shown));
    QVERIFY(!p.rules().inOrder());
    QCOMPARE(p.rules().labels(), chars(shown));
    QCOMPARE(p.engine->session().answer, missing);
    QCOMPARE(p.random.used(), 9);
}

void TestDigitRules::firstCharacterIsJudged_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("listed");
    QTest::newRow("the digit") << QStringLiteral("3") << true << QStringLiteral("3");
    QTest::newRow("a letter") << QStringLiteral("a") << false << QStringLiteral("3 (a)");
    QTest::newRow("full-width digit") << QStringLiteral("３") << false << QStringLiteral("3 (３)");
    QTest::newRow("another digit") << QStringLiteral("4") << false << QStringLiteral("3 (4)");
    QTest::newRow("a space") << QStringLiteral(" ") << false << QStringLiteral("3 ( )");
}

void TestDigitRules::firstCharacterIsJudged() {
    QFETCH(QString, typed);
    QFETCH(bool, correct);
    QFETCH(QString, listed);
    Play p(QList<double>(9, 0.0) << ScriptedRandom::forIndex0(3, 10));
    p.engine->setExtra(0, QStringLiteral("1"));
    p.toGreen();
    QCOMPARE(p.engine->session().answer, QStringLiteral("3"));
    p.clock.advance(0.75);
    QSignalSpy fb(p.engine.get(), &GameEngine::feedback);
    p.rules().onAnswerChanged(typed);

    QCOMPARE(fb.size(), 1);
    QCOMPARE(fb.first().first().toBool(), correct);
    QCOMPARE(p.engine->session().okCount, correct ? 1 : 0);
    QCOMPARE(p.engine->session().ngCount, correct ? 0 : 1);
    const Grid &list = p.engine->answerList();
    QCOMPARE(list.rows(), 2);
    QCOMPARE(list.rowTexts(1),
             (QStringList{QStringLiteral("1"), listed, QStringLiteral("012456789"), QStringLiteral("0.75")}));
    QCOMPARE(p.engine->scoreboard().best, correct ? QStringLiteral("0.75") : QStringLiteral("..."));
}

void TestDigitRules::emptyBoxJudgesNothing() {
    Play p;
    p.toGreen();
    QSignalSpy cleared(p.engine.get(), &GameEngine::answerBoxCleared);
    p.rules().onAnswerChanged(QString());
    QCOMPARE(p.engine->session().okCount + p.engine->session().ngCount, 0);
    QCOMPARE(p.engine->answerList().rows(), 1);
    QCOMPARE(cleared.size(), 0);
}

void TestDigitRules::typingWhileIdleEmptiesTheBox() {
    Play p;
    const QString answer = p.engine->session().answer;
    QSignalSpy cleared(p.engine.get(), &GameEngine::answerBoxCleared);
    QSignalSpy focus(p.engine.get(), &GameEngine::focusRequested);
    p.rules().onAnswerChanged(answer);
    QCOMPARE(cleared.size(), 1);
    QCOMPARE(focus.size(), 1);
    QCOMPARE(focus.first().first().value<GameEngine::Focus>(), GameEngine::Focus::Start);
    QCOMPARE(p.engine->session().okCount, 0);
    QCOMPARE(p.engine->answerList().rows(), 1);
}

void TestDigitRules::bestReactionIsTheFastestCorrectAnswer() {
    // In-order questions missing 3, 7, 1 and 5; answers right in 1.25 s, wrong in 0.25 s, right in 0.5 s,
    // right in 0.75 s.
    QList<double> draws(9, 0.0);
    for (int d : {3, 7, 1, 5, 0})
        draws << ScriptedRandom::forIndex0(d, 10);
    Play p(draws);
    p.engine->setExtra(0, QStringLiteral("1"));
    p.toGreen();
    const QList<QPair<QString, double>> answers = {{QStringLiteral("3"), 1.25},
                                                   {QStringLiteral("9"), 0.25},
                                                   {QStringLiteral("1"), 0.5},
                                                   {QStringLiteral("5"), 0.75}};
    QStringList bests;
    for (const auto &[typed, seconds] : answers) {
        p.clock.advance(seconds);
        p.rules().onAnswerChanged(typed);
        bests << p.engine->scoreboard().best;
    }
    QCOMPARE(bests, (QStringList{"1.25", "1.25", "0.50", "0.50"}));
    QCOMPARE(p.engine->answerList().textMatrix(2, 1), QStringLiteral("7 (9)"));
    QCOMPARE(p.engine->answerList().textMatrix(2, 3), QStringLiteral("0.25"));
    QCOMPARE(p.engine->session().okCount, 3);
    QCOMPARE(p.engine->session().ngCount, 1);
}

void TestDigitRules::startClearsTheSquare() {
    Play p;
    QCOMPARE(p.rules().labels().join(QString()).size(), 9);
    p.engine->start();
    QCOMPARE(p.rules().labels(), QStringList(9, QString()));
}

QTEST_GUILESS_MAIN(TestDigitRules)
#include "tst_digit_rules.moc"
