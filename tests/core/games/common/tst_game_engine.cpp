#include "core/base/number_format.h"
#include "core/games/common/game_engine.h"
#include "core/games/coordinate/coordinate_rules.h"
#include "core/games/game_registry.h"
#include "core/games/kana/kana_game.h"
#include "core/games/kana/kana_rules.h"
#include "core/games/treasure/treasure_rules.h"
#include "core/log/game_names.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;
using mirute::test::FakeClock;

namespace {

// 抜かな whose judgements the test gives directly, with the reaction times it wants.
class JudgedKanaRules : public KanaRules {
public:
    using GameRules::judge;
};

struct Rig {
    QTemporaryDir dir;
    FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameEngine> engine;

    // Other files of the folder: name, then contents.
    explicit Rig(const QString &settings = {}, const QStringList &files = {}) {
        test::writeSjis(dir.path(), kKanaDictionary, QStringLiteral("あいうえお\r\n"));
        if (!settings.isEmpty())
            test::writeSjis(dir.path(), QStringLiteral("抜かな設定.txt"), settings);
        for (qsizetype i = 0; i + 1 < files.size(); i += 2)
            test::writeSjis(dir.path(), files[i], files[i + 1]);
        engine = std::make_unique<GameEngine>(KanaGame::definition(), std::make_unique<JudgedKanaRules>(), dir.path(),
                                              clock, random);
        engine->setFeedbackPauses(false);
        const QString error = engine->open();
        if (!error.isEmpty())
            qFatal("open failed");
    }
    JudgedKanaRules &rules() { return engine->rulesAs<JudgedKanaRules>(); }
    void countdown() {
        engine->start();
        for (int i = 0; i < 3; ++i) {
            clock.advance(1);
            engine->tickStart();
        }
    }
    // Plays whole seconds of the time-limit clock.
    void runClock(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            engine->tickClock();
        }
    }
    void answer(bool right, double reaction = 0.5) {
        clock.advance(reaction);
        engine->answerKeyDown();
        const QString expected = engine->session().answer;
        rules().judgeTyped(right ? expected
                                 : (expected == QStringLiteral("お") ? QStringLiteral("あ") : QStringLiteral("お")));
    }
    QString file(const QString &name) { return test::readSjis(dir.path(), name); }
};

} // namespace

class TestGameEngine : public QObject {
    Q_OBJECT
private slots:
    void timeLimitPlayWithoutAnswers();
    void barNeverNegative();
    void countdownLightsAndQuestion();
    void answerCountPlayEndsOnFifth();
    void answerCountEndBeforeDisplayTicks();
    void bestReactionOnlyOnCorrect();
    void wrongAnswerListedWithTypedText();
    void answerListScrollsFromEighth();
    void idleEnterClearsAndFocusesStart();
    void exampleHistoryLineAndPlayRecord();
    void answerCountSecondsSaved();
    void manualSaveTwiceAndBeforePlay();
    void manualSaveKeepsFinishedMode();
    void limitsLockedDuringPlay();
    void playAcrossMidnight();
    void settingsDefaultsAndRepair_data();
    void settingsDefaultsAndRepair();
    void settingsRewrittenByHandlers();
    void clearHistoryKeepsLog();
    void practiceDrawsWeakItems_data();
    void practiceDrawsWeakItems();
    void practiceDrawsWeakItemsOfEveryGame_data();
    void practiceDrawsWeakItemsOfEveryGame();
    void answersCutBackToLastPlays_data();
    void answersCutBackToLastPlays();
};

void TestGameEngine::timeLimitPlayWithoutAnswers() {
    Rig rig(QStringLiteral("10,10,\"秒数\",1,0\r\n"));
    rig.countdown();
    QVERIFY(rig.engine->session().playing);
    rig.runClock(10);
    QVERIFY(!rig.engine->session().playing);
    QCOMPARE(rig.engine->scoreboard().perSecond, QStringLiteral("0.00/秒"));
    QCOMPARE(rig.engine->scoreboard().rate, QStringLiteral("0.0%"));
    QCOMPARE(rig.engine->scoreboard().best, QStringLiteral("..."));
    QVERIFY(!rig.engine->save());
    QVERIFY(rig.file(QStringLiteral("抜かな履歴.txt")).isEmpty());
    QVERIFY(rig.file(QStringLiteral("データ.txt")).isEmpty());
}

void TestGameEngine::barNeverNegative() {
    Rig rig(QStringLiteral("10,10,\"秒数\",0,0\r\n"));
    QSignalSpy bar(rig.engine.get(), &GameEngine::barChanged);
    rig.countdown();
    rig.runClock(5);
    QCOMPARE(rig.engine->barFraction(), 0.5);
    QCOMPARE(rig.engine->scoreboard().time, QStringLiteral("5"));
    rig.clock.advance(9); // a late tick after a stall
    rig.engine->tickClock();
    QCOMPARE(rig.engine->barFraction(), 0.0);
    for (const QList<QVariant> &args : bar)
        QVERIFY(args.at(0).toDouble() >= 0);
    QVERIFY(!rig.engine->session().playing);
}

void TestGameEngine::countdownLightsAndQuestion() {
    Rig rig;
    QSignalSpy lights(rig.engine.get(), &GameEngine::countdownChanged);
    rig.engine->start();
    QVERIFY(!rig.engine->startEnabled());
    QVERIFY(!rig.engine->clearEnabled());
    QCOMPARE(rig.rules().labels(), QStringList(4, QString()));
    for (CountdownLight light : {CountdownLight::Red, CountdownLight::Yellow, CountdownLight::Green}) {
        rig.engine->tickStart();
        QCOMPARE(rig.engine->session().light, light);
    }
    QCOMPARE(lights.last().at(0).value<CountdownLight>(), CountdownLight::Green);
    QVERIFY(rig.engine->session().playing);
    QCOMPARE(rig.rules().labels().join(QString()).size(), 4);
    rig.engine->tickStart(); // no countdown pending: nothing moves
    QCOMPARE(rig.engine->session().light, CountdownLight::Off);
}

void TestGameEngine::answerCountPlayEndsOnFifth() {
    Rig rig(QStringLiteral("5,60,\"答数\",1,0\r\n"));
    QCOMPARE(rig.engine->gameMode(), GameMode::AnswerCount);
    rig.countdown();
    for (int i = 0; i < 4; ++i) {
        rig.answer(true, 0.8);
        rig.clock.advance(0.1);
        rig.engine->tickElapsed();
    }
    QVERIFY(rig.engine->session().playing);
    QCOMPARE(rig.engine->scoreboard().time, QStringLiteral("3.6"));
    rig.answer(true, 0.4);
    QVERIFY(!rig.engine->session().playing);
    // The last elapsed value shown stays, and the rate divides by it.
    QCOMPARE(rig.engine->scoreboard().time, QStringLiteral("3.6"));
    QCOMPARE(rig.engine->scoreboard().perSecond, QStringLiteral("1.39/秒"));
    QCOMPARE(rig.engine->scoreboard().rate, QStringLiteral("100.0%"));
    QCOMPARE(rig.engine->scoreboard().answers, QStringLiteral("5"));
    QVERIFY(rig.engine->startEnabled());
}

void TestGameEngine::answerCountEndBeforeDisplayTicks() {
    Rig rig(QStringLiteral("1,60,\"答数\",1,0\r\n"));
    rig.countdown();
    rig.answer(true, 0.05);
    QVERIFY(!rig.engine->session().playing);
    QVERIFY(leadingNumber(rig.engine->scoreboard().time) > 0);
    QVERIFY(!rig.engine->scoreboard().perSecond.contains(QStringLiteral("inf")));
    QVERIFY(!rig.file(QStringLiteral("抜かな履歴.txt")).contains(QStringLiteral("inf")));
    QVERIFY(rig.file(QStringLiteral("抜かな履歴.txt")).contains(QStringLiteral("\"0.1秒\"")));
}

void TestGameEngine::bestReactionOnlyOnCorrect() {
    Rig rig(QStringLiteral("10,60,\"秒数\",0,0\r\n"));
    rig.countdown();
    rig.answer(false, 0.2);
    QCOMPARE(rig.engine->scoreboard().best, QStringLiteral("..."));
    rig.answer(true, 0.9);
    QCOMPARE(rig.engine->scoreboard().best, QStringLiteral("0.90"));
    rig.answer(false, 0.1);
    QCOMPARE(rig.engine->scoreboard().best, QStringLiteral("0.90"));
    rig.answer(true, 0.7);
    QCOMPARE(rig.engine->scoreboard().best, QStringLiteral("0.70"));
    rig.answer(true, 1.5);
    QVERIFY(qAbs(rig.engine->session().bestReaction.value_or(0) - 0.7) < 1e-6);
}

void TestGameEngine::wrongAnswerListedWithTypedText() {
    Rig rig;
    rig.random = ScriptedRandom({0.0, ScriptedRandom::forIndex0(3, 5)});
    rig.engine->setExtra(0, QStringLiteral("1"));
    rig.engine->start();
    for (int i = 0; i < 3; ++i)
        rig.engine->tickStart();
    QCOMPARE(rig.engine->session().answer, QStringLiteral("え"));
    QCOMPARE(rig.rules().questionText(), QStringLiteral("あいうお"));
    rig.engine->answerKeyDown();
    rig.rules().judgeTyped(QStringLiteral("お"));
    const Grid &list = rig.engine->answerList();
    QCOMPARE(list.rows(), 2);
    QCOMPARE(list.textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(list.textMatrix(1, 1), QStringLiteral("え (お)"));
    QCOMPARE(list.textMatrix(1, 2), QStringLiteral("あいうお"));
    QCOMPARE(rig.engine->scoreboard().ng, QStringLiteral("1"));
}

void TestGameEngine::answerListScrollsFromEighth() {
    Rig rig;
    rig.countdown();
    for (int i = 0; i < 7; ++i)
        rig.answer(true);
    QCOMPARE(rig.engine->answerList().topRow(), 1);
    rig.answer(true);
    QCOMPARE(rig.engine->answerList().rows(), 9);
    QCOMPARE(rig.engine->answerList().topRow(), 8);
}

void TestGameEngine::idleEnterClearsAndFocusesStart() {
    Rig rig;
    QSignalSpy focus(rig.engine.get(), &GameEngine::focusRequested);
    QSignalSpy cleared(rig.engine.get(), &GameEngine::answerBoxCleared);
    rig.rules().judgeTyped(QStringLiteral("え"));
    QCOMPARE(cleared.size(), 1);
    QCOMPARE(focus.last().at(0).value<GameEngine::Focus>(), GameEngine::Focus::Start);
    QCOMPARE(rig.engine->session().okCount + rig.engine->session().ngCount, 0);
    rig.rules().judgeTyped(QString()); // empty box: nothing at all
    QCOMPARE(cleared.size(), 1);
}

void TestGameEngine::exampleHistoryLineAndPlayRecord() {
    Rig rig(QStringLiteral("10,60,\"秒数\",1,0\r\n"));
    rig.countdown();
    for (int i = 0; i < 20; ++i)
        rig.rules().judge({true, i == 3 ? 0.85 : 1.2, {QStringLiteral("x")}});
    for (int i = 0; i < 5; ++i)
        rig.rules().judge({false, 0.3, {QStringLiteral("x")}});
    rig.runClock(60);
    QVERIFY(!rig.engine->session().playing);
    const QByteArray history = test::readBytes(rig.dir.path(), QStringLiteral("抜かな履歴.txt"));
    QString expected = QStringLiteral("\"%1\",\"%2\",25,20,5,0.85,\"80.0%\",\"0.42/秒\",\"60秒\"\r\n");
    const QDateTime at = rig.clock.now();
    QByteArray bytes;
    sjis::encode(expected.arg(at.toString("yyyy/MM/dd"), at.toString("HH:mm:ss")), &bytes);
    QCOMPARE(history, bytes);
    QString record = QStringLiteral("\"%1\",\"%2\",\"抜かな\",60,\"秒数 : 60   答数 : 25  反応時間  0.85秒\",\r\n");
    sjis::encode(record.arg(at.toString("yyyy/MM/dd"), at.toString("HH:mm:ss")), &bytes);
    QCOMPARE(test::readBytes(rig.dir.path(), QStringLiteral("データ.txt")), bytes);
    // The list shows the saved play as its row 1.
    QCOMPARE(rig.engine->history().list().rows(), 2);
    QCOMPARE(rig.engine->history().list().textMatrix(1, 7), QStringLiteral("80.0%"));
}

void TestGameEngine::answerCountSecondsSaved() {
    Rig rig(QStringLiteral("2,60,\"答数\",1,0\r\n"));
    rig.countdown();
    rig.clock.advance(23.4);
    rig.engine->tickElapsed();
    QCOMPARE(rig.engine->scoreboard().time, QStringLiteral("23.4"));
    rig.answer(false, 0.0);
    rig.answer(false, 0.0);
    QVERIFY(
        rig.file(QStringLiteral("抜かな履歴.txt")).endsWith(QStringLiteral(",0,\"0.0%\",\"0.09/秒\",\"23.4秒\"\r\n")));
    QVERIFY(rig.file(QStringLiteral("データ.txt"))
                .endsWith(QStringLiteral("\"抜かな\",23.4,\"秒数 : 23.4   答数 : 2  反応時間  0秒\",\r\n")));
}

void TestGameEngine::manualSaveTwiceAndBeforePlay() {
    Rig rig(QStringLiteral("1,60,\"答数\",0,0\r\n"));
    QVERIFY(rig.engine->saveEnabled());
    QVERIFY(!rig.engine->save()); // nothing played yet
    rig.countdown();
    rig.answer(true);
    QVERIFY(rig.file(QStringLiteral("データ.txt")).isEmpty()); // manual mode: nothing saved yet
    QVERIFY(rig.engine->save());
    QVERIFY(rig.engine->save());
    // The play's answer is kept once, dated as its first history line.
    const QString answers = rig.file(QStringLiteral("抜かな解答.txt"));
    QCOMPARE(answers.count(QStringLiteral("\r\n")), 1);
    QVERIFY(answers.startsWith(rig.file(QStringLiteral("抜かな履歴.txt")).left(24)));
    QCOMPARE(rig.file(QStringLiteral("抜かな履歴.txt")).count(QStringLiteral("\r\n")), 2);
    QCOMPARE(rig.file(QStringLiteral("データ.txt")).count(QStringLiteral("\r\n")), 2);
    QCOMPARE(rig.engine->history().list().rows(), 3);
}

void TestGameEngine::manualSaveKeepsFinishedMode() {
    Rig rig(QStringLiteral("10,30,\"秒数\",0,0\r\n"));
    rig.countdown();
    rig.answer(true);
    rig.runClock(30);
    rig.engine->setMode(GameMode::AnswerCount); // the user switches the option before saving
    QVERIFY(rig.engine->save());
    QVERIFY(rig.file(QStringLiteral("抜かな履歴.txt")).endsWith(QStringLiteral("\"0.03/秒\",\"30秒\"\r\n")));
    QVERIFY(rig.file(QStringLiteral("データ.txt")).contains(QStringLiteral("\"抜かな\",30,")));
}

void TestGameEngine::limitsLockedDuringPlay() {
    Rig rig(QStringLiteral("3,60,\"答数\",1,0\r\n"));
    rig.countdown();
    rig.engine->setCountLimit(30);
    rig.engine->setMode(GameMode::TimeLimit);
    QCOMPARE(rig.engine->settings().countLimit, 3);
    QCOMPARE(rig.engine->gameMode(), GameMode::AnswerCount);
    for (int i = 0; i < 3; ++i)
        rig.answer(true);
    QVERIFY(!rig.engine->session().playing);
}

void TestGameEngine::playAcrossMidnight() {
    QTemporaryDir dir;
    test::writeSjis(dir.path(), kKanaDictionary, QStringLiteral("あいうえお\r\n"));
    test::writeSjis(dir.path(), QStringLiteral("抜かな設定.txt"), QStringLiteral("10,10,\"秒数\",1,0\r\n"));
    FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 55)));
    ScriptedRandom random;
    GameEngine engine(KanaGame::definition(), KanaGame::makeRules(), dir.path(), clock, random);
    engine.setFeedbackPauses(false);
    QVERIFY(engine.open().isEmpty());
    engine.start();
    for (int i = 0; i < 3; ++i)
        engine.tickStart();
    clock.advance(3);
    engine.answerKeyDown();
    engine.rulesAs<KanaRules>().judgeTyped(engine.session().answer);
    for (int i = 0; i < 6; ++i) { // the clock passes midnight after the second tick
        clock.advance(1);
        engine.tickClock();
        QVERIFY(engine.session().playing);
        QVERIFY(engine.barFraction() > 0);
    }
    clock.advance(1);
    engine.tickClock();
    QVERIFY(!engine.session().playing);
    QCOMPARE(engine.scoreboard().best, QStringLiteral("3.00"));
    QVERIFY(
        test::readSjis(dir.path(), QStringLiteral("データ.txt")).startsWith(QStringLiteral("\"2026/12/07\",\"00:00:")));
}

void TestGameEngine::settingsDefaultsAndRepair_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("notice");
    QTest::newRow("missing") << QString() << QStringLiteral("10,60,\"秒数\",1,0\r\n") << false;
    QTest::newRow("valid") << QStringLiteral("5,120,\"答数\",0,1\r\n") << QStringLiteral("5,120,\"答数\",0,1\r\n")
                           << false;
    QTest::newRow("out of range") << QStringLiteral("99,500,\"答数\",7,3\r\n")
                                  << QStringLiteral("30,180,\"答数\",1,0\r\n") << true;
    QTest::newRow("text in numbers") << QStringLiteral("abc,x,\"秒数\",1,1\r\n")
                                     << QStringLiteral("10,60,\"秒数\",1,1\r\n") << true;
    QTest::newRow("foreign mode") << QStringLiteral("10,60,\"行数\",1,0\r\n")
                                  << QStringLiteral("10,60,\"秒数\",1,0\r\n") << true;
    QTest::newRow("empty") << QStringLiteral(" ") << QStringLiteral("10,60,\"秒数\",1,0\r\n") << true;
    QTest::newRow("too few items") << QStringLiteral("5,20\r\n") << QStringLiteral("5,20,\"秒数\",1,0\r\n") << true;
}

void TestGameEngine::settingsDefaultsAndRepair() {
    QFETCH(QString, file);
    QFETCH(QString, written);
    QFETCH(bool, notice);
    QTemporaryDir dir;
    test::writeSjis(dir.path(), kKanaDictionary, QStringLiteral("あいうえお\r\n"));
    if (!file.isNull())
        test::writeSjis(dir.path(), QStringLiteral("抜かな設定.txt"), file);
    FakeClock clock;
    ScriptedRandom random;
    GameEngine engine(KanaGame::definition(), KanaGame::makeRules(), dir.path(), clock, random);
    QVERIFY(engine.open().isEmpty());
    QCOMPARE(test::readSjis(dir.path(), QStringLiteral("抜かな設定.txt")), written);
    QCOMPARE(!engine.openNotice().isEmpty(), notice);
    if (notice) // the damaged file is kept in the backup folder
        QCOMPARE(QDir(dir.filePath(QStringLiteral("バックアップ"))).entryList(QDir::Files).size(), 1);
}

void TestGameEngine::settingsRewrittenByHandlers() {
    Rig rig(QStringLiteral("10,60,\"秒数\",1,0\r\n"));
    const QString file = QStringLiteral("抜かな設定.txt");
    rig.engine->setTimeLimit(120);
    QCOMPARE(rig.file(file), QStringLiteral("10,120,\"秒数\",1,0\r\n"));
    QCOMPARE(rig.engine->scoreboard().time, QStringLiteral("120"));
    rig.engine->setCountLimit(7);
    rig.engine->setMode(GameMode::AnswerCount);
    rig.engine->setAutoSave(false);
    rig.engine->setExtra(0, QStringLiteral("1"));
    QCOMPARE(rig.file(file), QStringLiteral("7,120,\"答数\",0,1\r\n"));
    QCOMPARE(rig.engine->autoSaveCaption(), QStringLiteral("手動保存モード"));
}

void TestGameEngine::clearHistoryKeepsLog() {
    Rig rig(QStringLiteral("1,60,\"答数\",1,0\r\n"));
    rig.countdown();
    rig.answer(true);
    QVERIFY(!rig.file(QStringLiteral("抜かな履歴.txt")).isEmpty());
    QVERIFY(rig.engine->clearHistory().isEmpty());
    QVERIFY(rig.file(QStringLiteral("抜かな履歴.txt")).isEmpty());
    QVERIFY(!rig.file(QStringLiteral("データ.txt")).isEmpty());
    QCOMPARE(rig.engine->history().list().rows(), 1);
}

void TestGameEngine::practiceDrawsWeakItems_data() {
    QTest::addColumn<QString>("practice"); // the 苦手 settings line
    QTest::addColumn<QString>("missing");
    // え always missed, with no time: weight 1 + 4 = 5 against 1 for the others. The draw 0.5 of the total 9
    // lands on え; drawn evenly (practice off, as without any answers) it is index 2 of 5, う.
    QTest::newRow("practice off: the draws of every play") << "0,50"
                                                           << "う";
    QTest::newRow("practice on: the weak kana") << "1,50"
                                                << "え";
}

void TestGameEngine::practiceDrawsWeakItems() {
    QFETCH(QString, practice);
    QFETCH(QString, missing);
    Rig rig(QStringLiteral("10,60,\"秒数\",1,1\r\n"),
            {"抜かな解答.txt", R"("2026/12/05","09:00:00","え","お","不正解",0)", "抜かな苦手設定.txt", practice});
    rig.random = ScriptedRandom({0.0, 0.5});
    rig.engine->makeQuestion();
    QCOMPARE(rig.engine->session().answer, missing);
    QCOMPARE(rig.random.used(), 2); // the row, then the missing kana
}

void TestGameEngine::practiceDrawsWeakItemsOfEveryGame_data() {
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("weak");
    QTest::newRow("抜かな") << 1 << "え";
    QTest::newRow("抜数字") << 2 << "7";
    QTest::newRow("抜仲間") << 3 << "夏";
    QTest::newRow("宝探し") << 4 << "萩荻";
    QTest::newRow("座標: the first cell of a pass") << 7 << "5行7列";
}

// An item always missed weighs 5 against 1: with 苦手練習 it comes about five times as often as without, over
// the same seeded draws of the shipped dictionaries.
void TestGameEngine::practiceDrawsWeakItemsOfEveryGame() {
    QFETCH(int, game);
    QFETCH(QString, weak);
    const QString name = gameNames()[game - 1];
    int drawn[2] = {};
    for (int practice : {0, 1}) {
        QTemporaryDir dir;
        for (const QString &file : {kKanaDictionary, QStringLiteral("抜仲間辞書.TXT"), kTreasureDictionary})
            QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/") + file, dir.filePath(file));
        test::writeSjis(dir.path(), gameAnswersFile(name),
                        R"("2026/12/05","09:00:00",")" + weak + R"(","x","不正解",0)");
        test::writeSjis(dir.path(), gameWeakSettingsFile(name), QString::number(practice) + ",50");
        SystemRandom random(7);
        setAppRandom(&random);
        std::unique_ptr<GameEngine> engine;
        visitGame(game, [&]<class Game>() { engine = makeGameEngine<Game>(dir.path()); });
        QVERIFY(engine->open().isEmpty());
        for (int i = 0; i < 3000; ++i) {
            QString item;
            if (game == 7) {
                engine->rulesAs<CoordinateRules>().shuffleCells();
                item = CoordinateRules::cellItem(engine->rulesAs<CoordinateRules>().cellOrder().first());
            } else {
                engine->makeQuestion();
                item = engine->session().answer;
            }
            if (game == 4) { // the pair, whichever of its kanji is hidden
                const QString common = engine->rulesAs<TreasureRules>().commonKanji();
                item = common + item == weak ? weak : item + common;
            }
            drawn[practice] += item == weak;
        }
        setAppRandom(nullptr);
    }
    QVERIFY2(drawn[0] > 0 && drawn[1] > 2.5 * drawn[0],
             qPrintable(QStringLiteral("%1 / %2").arg(drawn[1]).arg(drawn[0])));
}

void TestGameEngine::answersCutBackToLastPlays_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("firstKept"); // 0-based line of the old file that comes first
    QTest::newRow("220 plays with the new one: kept whole") << 219 << 220 << 0;
    QTest::newRow("221 plays: the last 200") << 220 << 200 << 21;
}

void TestGameEngine::answersCutBackToLastPlays() {
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(int, firstKept);
    QStringList old;
    for (int i = 0; i < before; ++i)
        old << QStringLiteral("\"2026/11/01\",\"%1\",\"あ\",\"あ\",\"正解\",0.5")
                   .arg(QTime(0, 0).addSecs(i).toString());
    Rig rig(QStringLiteral("1,60,\"答数\",1,0\r\n"), {"抜かな解答.txt", old.join("\r\n") + "\r\n"});
    rig.countdown();
    rig.answer(true);
    const QStringList lines = rig.file(QStringLiteral("抜かな解答.txt")).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), after);
    QCOMPARE(lines.first(), old[firstKept]);
    QVERIFY(lines.last().startsWith(QStringLiteral("\"2026/12/06\",\"18:30:")));
    QCOMPARE(rig.engine->answerLog().size(), after);
}

QTEST_GUILESS_MAIN(TestGameEngine)
#include "tst_game_engine.moc"
