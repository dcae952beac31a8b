#include "core/games/common/game_engine.h"
#include "core/games/coordinate/coordinate_game.h"
#include "core/games/coordinate/coordinate_rules.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mirute;
using Fill = CoordinateRules::Fill;

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

struct CoordinateFixture {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameEngine> engine;

    explicit CoordinateFixture(const QString &settings, const QList<double> &draws = {}) : random(draws) {
        test::writeSjis(dir.path(), QStringLiteral("座標設定.txt"), settings + QStringLiteral("\r\n"));
        engine = std::make_unique<GameEngine>(CoordinateGame::definition(), CoordinateGame::makeRules(), dir.path(),
                                              clock, random);
        engine->setFeedbackPauses(false);
        const QString error = engine->open();
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    CoordinateRules &rules() { return engine->rulesAs<CoordinateRules>(); }
    void toGreen() {
        engine->start();
        for (int i = 0; i < 3; ++i)
            engine->tickStart();
    }
    // Types the two keys one after the other, as the answer box changes.
    void type(const QString &text) {
        rules().judgeTyped(text.left(1));
        rules().judgeTyped(text);
    }
    QString history() { return test::readSjis(dir.path(), QStringLiteral("座標履歴.txt")); }
    QString playLog() { return test::readSjis(dir.path(), QStringLiteral("データ.txt")); }
};

} // namespace

class TestCoordinateRules : public QObject {
    Q_OBJECT
private slots:
    void cellCode_data();
    void cellCode();
    void noQuestionAtOpening();
    void oneRowAsksEachCellOnceAndSavesNine();
    void nineRowsAskEveryCellOnce();
    void answerIsJudgedAtTheSecondCharacter_data();
    void answerIsJudgedAtTheSecondCharacter();
    void flashRestoresThePreviousFill();
    void escapeBeforeAnyAnswerSavesNothing();
    void escapeDuringCountdownStopsIt();
    void earlyEndInSecondsModeUsesSecondsPlayed();
    void secondsModeStartsAFreshPass();
    void cellsMarkedOnlyDuringThePlay();
    void timeLimitEndCountsTypedCharacters();
    void idleTypingFocusesStart();
    void rowsChangeResetsTheGrid();
    void rowsFilterKeepsCompletePlays();
    void answerListFollowsFromTheEleventhRow();
};

void TestCoordinateRules::cellCode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("57") << "57" << 57;
    QTest::newRow("11") << "11" << 11;
    QTest::newRow("99") << "99" << 99;
    QTest::newRow("zero row") << "05" << 0;
    QTest::newRow("zero column") << "50" << 0;
    QTest::newRow("letter") << "5a" << 0;
    QTest::newRow("one character") << "5" << 0;
    QTest::newRow("three characters") << "577" << 0;
    QTest::newRow("full-width digits") << "５７" << 0;
}

void TestCoordinateRules::cellCode() {
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(CoordinateRules::cellCode(text), code);
}

void TestCoordinateRules::noQuestionAtOpening() {
    CoordinateFixture f(QStringLiteral("3,60,\"行数\",1"));
    QCOMPARE(f.engine->session().answer, QString());
    QCOMPARE(f.random.used(), 0);
    for (int code = 11; code <= 99; ++code)
        QCOMPARE(f.rules().fill(code), Fill::White);
    QVERIFY(f.rules().cellVisible(39));
    QVERIFY(!f.rules().cellVisible(41));
}

void TestCoordinateRules::oneRowAsksEachCellOnceAndSavesNine() {
    CoordinateFixture f(QStringLiteral("1,60,\"行数\",1"), rowOneShuffle());
    f.toGreen();
    QVERIFY(f.engine->clearEnabled()); // "クリア" stays usable during a play
    const QStringList expected{"15", "13", "19", "11", "18", "14", "17", "12", "16"};
    QStringList asked;
    for (int i = 0; i < 9; ++i) {
        const QString cell = f.engine->session().answer;
        asked << cell;
        QCOMPARE(f.rules().fill(cell.toInt()), Fill::Asked);
        f.clock.advance(0.5);
        f.engine->tickElapsed();
        f.type(i == 3 ? QStringLiteral("12") : cell);
        QCOMPARE(f.rules().fill(cell.toInt()), i == 3 ? Fill::Wrong : Fill::Right);
        QCOMPARE(f.engine->session().playing, i < 8);
    }
    QCOMPARE(asked, expected);
    QCOMPARE(f.engine->answerList().rows(), 10);
    QCOMPARE(f.engine->answerList().textMatrix(4, 1), QStringLiteral("11")); // the asked cell, even when wrong
    QCOMPARE(f.rules().typedCount(), 18);
    QCOMPARE(f.engine->scoreboard().answers, QStringLiteral("9"));
    QCOMPARE(f.engine->scoreboard().perSecond, QStringLiteral("4.00/秒"));
    QCOMPARE(f.engine->scoreboard().rate, QStringLiteral("88.9%"));
    QCOMPARE(f.history(), QStringLiteral("\"2026/12/06\",\"18:30:04\",9,8,1,18,\"88.9%\",\"4.00/秒\",\"4.5秒\"\r\n"));
    QCOMPARE(f.playLog(), QStringLiteral("\"2026/12/06\",\"18:30:04\",\"座標\",4.5,"
                                         "\"秒数 : 4.5   答数 : 9   マス数 : 9\",\r\n"));
}

void TestCoordinateRules::nineRowsAskEveryCellOnce() {
    QList<double> draws;
    for (int left = 81; left >= 1; --left)
        draws << ScriptedRandom::forIndex0((left * 37 + 11) % left, left); // a scattered order
    CoordinateFixture f(QStringLiteral("9,60,\"行数\",0"), draws);
    f.toGreen();
    QSet<int> asked;
    while (f.engine->session().playing) {
        asked.insert(f.engine->session().answer.toInt());
        f.type(f.engine->session().answer);
    }
    QCOMPARE(asked.size(), 81);
    QCOMPARE(f.engine->session().okCount, 81);
    QCOMPARE(f.rules().askedCount(), 81);
}

void TestCoordinateRules::answerIsJudgedAtTheSecondCharacter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<int>("flashes"); // the cell flashing during the pause, or 0
    QTest::newRow("5 then 7") << "57" << true << 0;
    QTest::newRow("7 then 5") << "75" << false << 75;
    QTest::newRow("a hidden row still names a cell") << "95" << false << 95;
    QTest::newRow("no cell") << "0a" << false << 0;
}

void TestCoordinateRules::answerIsJudgedAtTheSecondCharacter() {
    QFETCH(QString, typed);
    QFETCH(bool, correct);
    QFETCH(int, flashes);
    // Eight rows; the first cell asked is 57.
    CoordinateFixture f(QStringLiteral("8,60,\"行数\",0"), {ScriptedRandom::forIndex0(42, 72)});
    f.engine->setFeedbackPauses(true);
    f.toGreen();
    QCOMPARE(f.engine->session().answer, QStringLiteral("57"));
    f.rules().judgeTyped(typed.left(1));
    QCOMPARE(f.engine->session().okCount + f.engine->session().ngCount, 0);
    f.rules().judgeTyped(typed + u'1'); // three characters are never judged
    QCOMPARE(f.engine->session().okCount + f.engine->session().ngCount, 0);
    f.rules().judgeTyped(typed);
    QCOMPARE(f.engine->session().okCount, correct ? 1 : 0);
    QCOMPARE(f.engine->session().ngCount, correct ? 0 : 1);
    QCOMPARE(f.engine->feedbackPending(), flashes != 0);
    if (flashes) {
        QCOMPARE(f.rules().fill(flashes), Fill::Flash);
        QCOMPARE(CoordinateRules::fillColor(f.rules().fill(flashes)), (Rgb{255, 0, 0}));
        f.engine->finishFeedbackNow();
        QCOMPARE(f.rules().fill(flashes), Fill::White);
    }
    QCOMPARE(f.rules().fill(57), correct ? Fill::Right : Fill::Wrong);
    QCOMPARE(CoordinateRules::fillColor(f.rules().fill(57)), (correct ? Rgb{192, 255, 192} : Rgb{255, 192, 192}));
    QCOMPARE(f.rules().typedCount(), 2);
    QCOMPARE(f.engine->answerList().textMatrix(1, 1), QStringLiteral("57"));
    QCOMPARE(f.rules().fill(f.engine->session().answer.toInt()), Fill::Asked);
    QCOMPARE(CoordinateRules::fillColor(Fill::Asked), (Rgb{128, 0, 0}));
}

void TestCoordinateRules::flashRestoresThePreviousFill() {
    CoordinateFixture f(QStringLiteral("1,60,\"行数\",0"), rowOneShuffle());
    f.engine->setFeedbackPauses(true);
    f.toGreen();
    f.type(QStringLiteral("15")); // 15 turns light green
    f.type(QStringLiteral("15")); // 13 is asked: 15 flashes, then is light green again
    QCOMPARE(f.rules().fill(15), Fill::Flash);
    QCOMPARE(f.rules().fill(13), Fill::Asked);
    f.engine->finishFeedbackNow();
    QCOMPARE(f.rules().fill(15), Fill::Right);
    QCOMPARE(f.rules().fill(13), Fill::Wrong);
    QCOMPARE(f.rules().fill(19), Fill::Asked);
}

void TestCoordinateRules::escapeBeforeAnyAnswerSavesNothing() {
    CoordinateFixture f(QStringLiteral("1,60,\"行数\",1"), rowOneShuffle());
    f.toGreen();
    f.clock.advance(2);
    f.engine->tickElapsed();
    f.rules().giveUp();
    QVERIFY(!f.engine->session().playing);
    QVERIFY(f.engine->startEnabled());
    QCOMPARE(f.engine->scoreboard().perSecond, QString());
    QCOMPARE(f.engine->scoreboard().rate, QString());
    QVERIFY(!f.engine->save());
    QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("座標履歴.txt"))));
    QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("データ.txt"))));
}

void TestCoordinateRules::escapeDuringCountdownStopsIt() {
    CoordinateFixture f(QStringLiteral("1,60,\"行数\",1"), rowOneShuffle());
    f.engine->start();
    f.engine->tickStart();
    f.rules().giveUp();
    QVERIFY(f.engine->startEnabled());
    f.engine->tickStart();
    f.engine->tickStart();
    QVERIFY(!f.engine->session().playing);
    QCOMPARE(f.engine->session().answer, QString());
}

void TestCoordinateRules::earlyEndInSecondsModeUsesSecondsPlayed() {
    CoordinateFixture f(QStringLiteral("1,60,\"秒数\",1"), rowOneShuffle());
    f.toGreen();
    for (int i = 0; i < 3; ++i) {
        f.clock.advance(4.1);
        f.engine->tickClock();
        f.type(f.engine->session().answer);
    }
    f.rules().giveUp();
    QVERIFY(!f.engine->session().playing);
    QCOMPARE(f.engine->scoreboard().perSecond, QStringLiteral("0.49/秒")); // 6 characters in 12.3 s
    QCOMPARE(f.history(), QStringLiteral("\"2026/12/06\",\"18:30:12\",3,3,0,6,\"100.0%\",\"0.49/秒\",\"12.30秒\"\r\n"));
    QCOMPARE(f.playLog(), QStringLiteral("\"2026/12/06\",\"18:30:12\",\"座標\",12.3,"
                                         "\"秒数 : 12.3   答数 : 3   マス数 : 4\",\r\n"));
}

void TestCoordinateRules::secondsModeStartsAFreshPass() {
    CoordinateFixture f(QStringLiteral("1,60,\"秒数\",0"), rowOneShuffle() + rowOneShuffle());
    f.toGreen();
    for (int i = 0; i < 9; ++i)
        f.type(f.engine->session().answer);
    QVERIFY(f.engine->session().playing);
    QCOMPARE(f.rules().cellPos(), 1);
    QCOMPARE(f.engine->session().answer, QStringLiteral("15"));
    QCOMPARE(f.rules().fill(15), Fill::Asked);
    QCOMPARE(f.rules().fill(13), Fill::White);
    f.type(QStringLiteral("15"));
    QCOMPARE(f.engine->session().okCount, 10);
    QCOMPARE(f.engine->session().answer, QStringLiteral("13"));
}

// Keys before the green light find no cell to answer; a time-up during the flash of a pass's last answer leaves
// the grid as it is: 8 cells light green, 1 pink, none dark red or white, 9 answers saved.
void TestCoordinateRules::cellsMarkedOnlyDuringThePlay() {
    CoordinateFixture f(QStringLiteral("1,10,\"秒数\",1"), rowOneShuffle() + rowOneShuffle());
    f.engine->setFeedbackPauses(true);
    f.engine->start();
    f.engine->tickStart();
    f.type(QStringLiteral("15"));
    f.engine->tickStart();
    f.engine->tickStart();
    for (int i = 0; i < 8; ++i)
        f.type(f.engine->session().answer);
    f.type(QStringLiteral("99")); // wrong: the hidden cell 99 flashes
    f.clock.advance(10);
    f.engine->tickClock();
    f.engine->finishFeedbackNow();
    for (int code = 11; code <= 19; ++code)
        QCOMPARE(f.rules().fill(code), code == 16 ? Fill::Wrong : Fill::Right);
    QCOMPARE(f.history().section(u',', 2, 4), QStringLiteral("9,8,1"));
}

void TestCoordinateRules::timeLimitEndCountsTypedCharacters() {
    CoordinateFixture f(QStringLiteral("1,10,\"秒数\",1"), rowOneShuffle());
    f.toGreen();
    for (int i = 0; i < 4; ++i)
        f.type(i == 1 ? QStringLiteral("99") : f.engine->session().answer);
    f.clock.advance(10);
    f.engine->tickClock();
    QVERIFY(!f.engine->session().playing);
    QCOMPARE(f.engine->scoreboard().perSecond, QStringLiteral("0.80/秒"));
    QCOMPARE(f.engine->scoreboard().rate, QStringLiteral("75.0%"));
    QCOMPARE(f.history(), QStringLiteral("\"2026/12/06\",\"18:30:10\",4,3,1,8,\"75.0%\",\"0.80/秒\",\"10秒\"\r\n"));
    QVERIFY(f.playLog().endsWith(QStringLiteral("\"秒数 : 10   答数 : 4   マス数 : 5\",\r\n")));
}

void TestCoordinateRules::idleTypingFocusesStart() {
    CoordinateFixture f(QStringLiteral("1,60,\"行数\",1"));
    QList<GameEngine::Focus> focus;
    int cleared = 0;
    connect(f.engine.get(), &GameEngine::focusRequested, this, [&](GameEngine::Focus t) { focus << t; });
    connect(f.engine.get(), &GameEngine::answerBoxCleared, this, [&] { ++cleared; });
    f.rules().judgeTyped(QStringLiteral("1"));
    QCOMPARE(cleared, 0);
    f.rules().judgeTyped(QStringLiteral("11"));
    QCOMPARE(cleared, 1);
    QCOMPARE(focus, QList<GameEngine::Focus>{GameEngine::Focus::Start});
    QCOMPARE(f.rules().typedCount(), 0);
}

void TestCoordinateRules::rowsChangeResetsTheGrid() {
    CoordinateFixture f(QStringLiteral("1,60,\"行数\",0"), rowOneShuffle());
    f.toGreen();
    f.type(f.engine->session().answer);
    f.rules().giveUp();
    QCOMPARE(f.rules().fill(15), Fill::Right);
    f.engine->setCountLimit(4);
    QCOMPARE(f.rules().fill(15), Fill::White);
    QVERIFY(f.rules().cellVisible(49));
    QVERIFY(!f.rules().cellVisible(51));
    QCOMPARE(test::readSjis(f.dir.path(), QStringLiteral("座標設定.txt")), QStringLiteral("4,60,\"行数\",0\r\n"));
}

void TestCoordinateRules::rowsFilterKeepsCompletePlays() {
    CoordinateFixture f(QStringLiteral("3,60,\"行数\",1"));
    test::writeSjis(f.dir.path(), QStringLiteral("座標履歴.txt"),
                    QStringLiteral("\"2026/12/01\",\"10:00:00\",27,25,2,54,\"92.6%\",\"2.00/秒\",\"27.0秒\"\r\n"
                                   "\"2026/12/02\",\"10:00:00\",3,3,0,6,\"100.0%\",\"0.10/秒\",\"60秒\"\r\n"
                                   "\"2026/12/03\",\"10:00:00\",9,9,0,18,\"100.0%\",\"1.00/秒\",\"18.0秒\"\r\n"));
    f.engine->history().filterAnswers(QStringLiteral("3"));
    const Grid &list = f.engine->history().list();
    QCOMPARE(list.rows(), 2);
    QCOMPARE(list.textMatrix(1, 1), QStringLiteral("2026/12/01"));
    QCOMPARE(list.textMatrix(0, 6), QStringLiteral("文字数"));
    f.engine->history().filterAnswers(QStringLiteral("1"));
    QCOMPARE(list.rows(), 2);
    QCOMPARE(list.textMatrix(1, 1), QStringLiteral("2026/12/03"));
}

void TestCoordinateRules::answerListFollowsFromTheEleventhRow() {
    CoordinateFixture f(QStringLiteral("2,60,\"行数\",0"));
    f.toGreen();
    for (int i = 1; i <= 10; ++i) {
        f.type(f.engine->session().answer);
        QCOMPARE(f.engine->answerList().topRow(), i < 10 ? 1 : 10);
    }
}

QTEST_GUILESS_MAIN(TestCoordinateRules)
#include "tst_coordinate_rules.moc"
