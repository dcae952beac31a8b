#include "core/games/common/game_engine.h"
#include "core/games/lamp/lamp_game.h"
#include "core/games/lamp/lamp_rules.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

// The draw that makes index1(n) give the slot.
double forSlot(int slot, int n) {
    return (slot - 0.5) / n;
}

// Draws giving each slot its tally, slot 1 first.
QList<double> field(const QList<int> &tallies) {
    QList<double> draws;
    for (int s = 0; s < tallies.size(); ++s)
        for (int i = 0; i < tallies[s]; ++i)
            draws << forSlot(s + 1, int(tallies.size()));
    return draws;
}

void copyLampImages(const QString &dir) {
    for (int slot = 1; slot <= 5; ++slot) {
        const QString name = QString::number(slot) + QStringLiteral(".gif");
        QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/") + name, QDir(dir).filePath(name));
    }
}

struct LampFixture {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameEngine> engine;
    int yields = 0;
    QString error;

    explicit LampFixture(const QString &settings, const QList<double> &draws = {}, bool images = true) : random(draws) {
        if (images)
            copyLampImages(dir.path());
        test::writeSjis(dir.path(), QStringLiteral("ランプ設定.txt"), settings + QStringLiteral("\r\n"));
        engine = std::make_unique<GameEngine>(LampGame::definition(), LampGame::makeRules(), dir.path(), clock, random);
        engine->setFeedbackPauses(false);
        rules().setYield([this] { ++yields; });
        error = engine->open();
    }
    LampRules &rules() { return engine->rulesAs<LampRules>(); }
    void toGreen() {
        engine->start();
        for (int i = 0; i < 3; ++i)
            engine->tickStart();
    }
    int lampOf(int slot) { return int(rules().lampColors().indexOf(slot)) + 1; }
};

} // namespace

class TestLampRules : public QObject {
    Q_OBJECT
private slots:
    void uniqueMost_data();
    void uniqueMost();
    void drawIsRepeatedUntilOneColourLeads_data();
    void drawIsRepeatedUntilOneColourLeads();
    void anyLampOfTheLeadingColourIsRight_data();
    void anyLampOfTheLeadingColourIsRight();
    void clickPausesWithoutChangingLamps();
    void idleClickDoesNothing();
    void countdownClickJudgesTheQuestionBeforeStart();
    void colourCountChangeMakesNewQuestionWithoutAnswer();
    void legendFollowsTheQuestion();
    void damagedColourCountIsBroughtBack_data();
    void damagedColourCountIsBroughtBack();
    void missingOrDamagedImageRefusesToOpen_data();
    void missingOrDamagedImageRefusesToOpen();
    void answerListFollowsFromTheNinthClick();
    void answerCountPlaySavesClicks();
};

void TestLampRules::uniqueMost_data() {
    QTest::addColumn<QList<int>>("tallies");
    QTest::addColumn<int>("expected");
    QTest::newRow("14-14") << QList<int>{14, 14} << 0;
    QTest::newRow("15-13") << QList<int>{15, 13} << 1;
    QTest::newRow("13-15") << QList<int>{13, 15} << 2;
    QTest::newRow("7,7,6,5,3") << QList<int>{7, 7, 6, 5, 3} << 0;
    QTest::newRow("8,7,6,4,3") << QList<int>{8, 7, 6, 4, 3} << 1;
    QTest::newRow("tie behind the leader") << QList<int>{5, 9, 5, 5, 4} << 2;
    QTest::newRow("last slot leads") << QList<int>{3, 3, 3, 3, 16} << 5;
    QTest::newRow("tie of first and third") << QList<int>{10, 8, 10} << 0;
}

void TestLampRules::uniqueMost() {
    QFETCH(QList<int>, tallies);
    QFETCH(int, expected);
    LampRules::Tally t{};
    for (int i = 0; i < tallies.size(); ++i)
        t[i + 1] = tallies[i];
    QCOMPARE(LampRules::uniqueMost(t, int(tallies.size())), expected);
}

void TestLampRules::drawIsRepeatedUntilOneColourLeads_data() {
    QTest::addColumn<QList<int>>("refused");
    QTest::addColumn<QList<int>>("accepted");
    QTest::addColumn<int>("most");
    QTest::newRow("two colours, 14-14") << QList<int>{14, 14} << QList<int>{13, 15} << 2;
    QTest::newRow("five colours, 7,7,6,5,3") << QList<int>{7, 7, 6, 5, 3} << QList<int>{8, 7, 6, 4, 3} << 1;
}

void TestLampRules::drawIsRepeatedUntilOneColourLeads() {
    QFETCH(QList<int>, refused);
    QFETCH(QList<int>, accepted);
    QFETCH(int, most);
    const int colours = int(accepted.size());
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,%1,1").arg(colours), field(refused) + field(accepted));
    QVERIFY2(f.error.isEmpty(), qPrintable(f.error));
    QCOMPARE(f.random.used(), 2 * LampRules::kLamps);
    QCOMPARE(f.yields, 2 * LampRules::kLamps + 1); // one per lamp of both fields, one at the end
    QCOMPARE(f.rules().mostColor(), most);
    QCOMPARE(f.rules().lampColors().size(), LampRules::kLamps);
    for (int s = 1; s <= colours; ++s)
        QCOMPARE(f.rules().tally(s), accepted[s - 1]);
    QCOMPARE(f.rules().lampColors().first(), 1);
    QCOMPARE(f.rules().lampColors().last(), colours);
}

void TestLampRules::anyLampOfTheLeadingColourIsRight_data() {
    QTest::addColumn<int>("lamp");
    QTest::addColumn<bool>("right");
    // Slot 1 holds lamps 1..8, slot 2 lamps 9..15, then 16..21, 22..25, 26..28.
    QTest::newRow("first lamp of slot 1") << 1 << true;
    QTest::newRow("last lamp of slot 1") << 8 << true;
    QTest::newRow("slot 2") << 9 << false;
    QTest::newRow("slot 5") << 28 << false;
}

void TestLampRules::anyLampOfTheLeadingColourIsRight() {
    QFETCH(int, lamp);
    QFETCH(bool, right);
    const QList<double> q = field({8, 7, 6, 4, 3});
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,5,1"), q + q + q);
    f.toGreen();
    f.clock.advance(1.25);
    f.rules().click(lamp);
    QCOMPARE(f.engine->session().okCount, right ? 1 : 0);
    QCOMPARE(f.engine->session().ngCount, right ? 0 : 1);
    QCOMPARE(f.engine->answerList().textMatrix(1, 1), QStringLiteral("1.25"));
    QCOMPARE(f.engine->scoreboard().best, right ? QStringLiteral("1.25") : QStringLiteral("..."));
    QCOMPARE(f.engine->scoreboard().answers, QStringLiteral("1"));
    QCOMPARE(f.random.used(), 3 * LampRules::kLamps); // the next question was drawn
}

void TestLampRules::clickPausesWithoutChangingLamps() {
    const QList<double> q = field({15, 13});
    LampFixture f(QStringLiteral("10,10,\"秒数\",1,2,1"), q + q + q + q);
    f.engine->setFeedbackPauses(true);
    f.toGreen();
    const QList<int> before = f.rules().lampColors();
    f.clock.advance(9.5);
    f.rules().click(1);
    QVERIFY(f.engine->feedbackPending());
    QCOMPARE(f.rules().lampColors(), before);
    QCOMPARE(f.engine->answerList().rows(), 1);                    // listed after the pause
    QCOMPARE(f.engine->scoreboard().best, QStringLiteral("9.50")); // taken before it
    f.rules().click(28);                                           // a click during the pause is judged too
    f.clock.advance(0.5);
    f.engine->tickClock(); // the time is up during both pauses: the play is saved with its best
    QCOMPARE(test::readSjis(f.dir.path(), QStringLiteral("ランプ履歴.txt")),
             QStringLiteral("\"2026/12/06\",\"18:30:10\",2,1,1,9.5,\"50.0%\",\"0.20/秒\",\"10秒\"\r\n"));
    f.engine->finishFeedbackNow();
    QCOMPARE(f.engine->answerList().rows(), 3);
    QCOMPARE(f.random.used(), 4 * LampRules::kLamps);
}

void TestLampRules::idleClickDoesNothing() {
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,2,1"), field({15, 13}));
    int focus = 0;
    connect(f.engine.get(), &GameEngine::focusRequested, this, [&] { ++focus; });
    f.rules().click(1);
    QCOMPARE(f.engine->session().okCount + f.engine->session().ngCount, 0);
    QCOMPARE(focus, 0);
    QCOMPARE(f.engine->answerList().rows(), 1);
}

void TestLampRules::countdownClickJudgesTheQuestionBeforeStart() {
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,2,1"), field({15, 13}) + field({13, 15}));
    f.engine->start();
    QCOMPARE(f.rules().lampColors().size(), LampRules::kLamps); // the lamps stay during the countdown
    f.rules().click(1);                                         // slot 1 leads in the field before start
    QCOMPARE(f.engine->session().okCount, 1);
    QCOMPARE(f.rules().mostColor(), 2); // and the next field was drawn
}

void TestLampRules::colourCountChangeMakesNewQuestionWithoutAnswer() {
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,2,1"), field({15, 13}) + field({15, 13}) + field({4, 6, 5, 5, 8}));
    f.toGreen();
    f.engine->setExtra(0, QStringLiteral("5"));
    QCOMPARE(f.rules().colorCount(), 5);
    QCOMPARE(f.rules().mostColor(), 5);
    QCOMPARE(f.engine->session().okCount + f.engine->session().ngCount, 0);
    QVERIFY(test::readSjis(f.dir.path(), QStringLiteral("ランプ設定.txt")).endsWith(",5,1\r\n"));
}

void TestLampRules::legendFollowsTheQuestion() {
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,2,1"), field({12, 16}) + field({17, 11}));
    QCOMPARE(f.rules().tally(1), 12);
    QCOMPARE(f.rules().tally(2), 16);
    QVERIFY(f.rules().legendVisible(1) && f.rules().legendVisible(2));
    QVERIFY(!f.rules().legendVisible(3));
    f.engine->setExtra(1, QStringLiteral("0"));
    QVERIFY(!f.rules().legendVisible(1) && !f.rules().legendVisible(2));
    QVERIFY(test::readSjis(f.dir.path(), QStringLiteral("ランプ設定.txt")).endsWith(",2,0\r\n"));
    f.toGreen();
    QCOMPARE(f.rules().tally(1), 17); // the counts follow while the legend is hidden
    f.engine->setExtra(1, QStringLiteral("1"));
    QVERIFY(f.rules().legendVisible(2));
}

void TestLampRules::damagedColourCountIsBroughtBack_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("zero") << "0";
    QTest::newRow("nine") << "9";
    QTest::newRow("text") << "\"x\"";
}

void TestLampRules::damagedColourCountIsBroughtBack() {
    QFETCH(QString, stored);
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,%1,1").arg(stored));
    QVERIFY(f.error.isEmpty());
    QVERIFY(f.rules().colorCount() >= 2 && f.rules().colorCount() <= 5);
    QVERIFY(!f.engine->openNotice().isEmpty());
    for (int c : f.rules().lampColors())
        QVERIFY(c >= 1 && c <= f.rules().colorCount());
    f.engine->setAutoSave(false);
    QCOMPARE(test::readSjis(f.dir.path(), QStringLiteral("ランプ設定.txt")),
             QStringLiteral("10,60,\"秒数\",0,%1,1\r\n").arg(f.rules().colorCount()));
}

void TestLampRules::missingOrDamagedImageRefusesToOpen_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << false << QStringLiteral("ランプの画像「4.gif」がありません。\r\nゲームを開けません。");
    QTest::newRow("not an image") << true
                                  << QStringLiteral("ランプの画像「4.gif」を読めません。\r\nゲームを開けません。");
}

void TestLampRules::missingOrDamagedImageRefusesToOpen() {
    QFETCH(bool, present);
    QFETCH(QString, message);
    QTemporaryDir dir;
    copyLampImages(dir.path());
    QFile::remove(dir.filePath(QStringLiteral("4.gif")));
    if (present) {
        QFile f(dir.filePath(QStringLiteral("4.gif")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    test::FakeClock clock;
    ScriptedRandom random;
    GameEngine engine(LampGame::definition(), LampGame::makeRules(), dir.path(), clock, random);
    QCOMPARE(engine.open(), message);
}

void TestLampRules::answerListFollowsFromTheNinthClick() {
    QList<double> draws;
    for (int q = 0; q < 12; ++q)
        draws += field({15, 13});
    LampFixture f(QStringLiteral("10,60,\"秒数\",0,2,1"), draws);
    f.toGreen();
    for (int click = 1; click <= 9; ++click) {
        f.rules().click(1);
        QCOMPARE(f.engine->answerList().topRow(), click < 9 ? 1 : 9);
    }
}

void TestLampRules::answerCountPlaySavesClicks() {
    QList<double> draws;
    for (int q = 0; q < 5; ++q)
        draws += field({15, 13});
    LampFixture f(QStringLiteral("3,60,\"答数\",1,2,1"), draws);
    f.toGreen();
    f.clock.advance(0.5);
    f.rules().click(2);
    f.clock.advance(0.25);
    f.rules().click(3);
    f.clock.advance(0.75);
    f.engine->tickElapsed();
    f.engine->setFeedbackPauses(true);
    f.rules().click(28); // slot 2: wrong
    f.rules().click(1);  // during its pause: one click beyond the count, not judged
    f.engine->finishFeedbackNow();
    QVERIFY(!f.engine->session().playing);
    QCOMPARE(f.engine->scoreboard().perSecond, QStringLiteral("2.00/秒"));
    QCOMPARE(test::readSjis(f.dir.path(), QStringLiteral("ランプ履歴.txt")),
             QStringLiteral("\"2026/12/06\",\"18:30:01\",3,2,1,0.25,\"66.7%\",\"2.00/秒\",\"1.5秒\"\r\n"));
}

QTEST_GUILESS_MAIN(TestLampRules)
#include "tst_lamp_rules.moc"
