#include "core/games/common/game_engine.h"
#include "core/games/treasure/treasure_game.h"
#include "core/games/treasure/treasure_rules.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

// An opened 宝探し engine over a dictionary of the test's own.
struct Play {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameEngine> engine;
    QString openError;

    explicit Play(const QString &dictionary = QStringLiteral("萩荻\r\n末未\r\n"), QList<double> draws = {},
                  const QString &settings = QString())
        : random(std::move(draws)) {
        if (!dictionary.isNull())
            test::writeSjis(dir.path(), QStringLiteral("宝探し辞書.TXT"), dictionary);
        if (!settings.isNull())
            test::writeSjis(dir.path(), QStringLiteral("宝探し設定.txt"), settings);
        engine = std::make_unique<GameEngine>(TreasureGame::definition(), TreasureGame::makeRules(), dir.path(), clock,
                                              random);
        engine->setFeedbackPauses(false);
        openError = engine->open();
    }
    TreasureRules &rules() { return engine->rulesAs<TreasureRules>(); }
    void toGreen() {
        engine->start();
        for (int i = 0; i < 3; ++i) {
            clock.advance(1);
            engine->tickStart();
        }
    }
    // The visible cells that do not show the odd kanji.
    QList<int> commonCells() {
        QList<int> out;
        for (int i = 1; i <= rules().cellCount(); ++i)
            if (rules().cellText(i) != engine->session().answer)
                out << i;
        return out;
    }
    int oddCell() {
        for (int i = 1; i <= rules().cellCount(); ++i)
            if (rules().cellText(i) == engine->session().answer)
                return i;
        return 0;
    }
};

double drawFor1(int i, int n) {
    return ScriptedRandom::forIndex0(i - 1, n);
}

} // namespace

class TestTreasureRules : public QObject {
    Q_OBJECT
private slots:
    void fieldHidesOneOddKanji_data();
    void fieldHidesOneOddKanji();
    void dictionaryProblems_data();
    void dictionaryProblems();
    void damagedCellCountIsBroughtBack_data();
    void damagedCellCountIsBroughtBack();
    void cellCountChangeMakesANewField();
    void clickIsJudgedAgainstTheField();
    void idleClickChangesNothing();
    void countdownClickOnABlankCellIsWrong();
    void clickedCellFlashesUntilThePauseEnds();
    void fifthClickEndsAnAnswerCountPlay();
    void bestReactionOnlyFromFasterRightClicks();
    void shippedDictionaryHoldsLookAlikePairs();
};

void TestTreasureRules::fieldHidesOneOddKanji_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("role");
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<QString>("common");
    QTest::addColumn<QString>("odd");
    QTest::newRow("萩 common, 16 cells") << "萩荻" << 1 << 16 << 7 << "萩"
                                         << "荻";
    QTest::newRow("roles swapped, 8 cells") << "萩荻" << 2 << 8 << 1 << "荻"
                                            << "萩";
    QTest::newRow("last of 40") << "末未" << 1 << 40 << 40 << "末"
                                << "未";
    QTest::newRow("24 cells, swapped") << "末未" << 2 << 24 << 24 << "未"
                                       << "末";
    QTest::newRow("three characters pair first and last") << "土x士" << 1 << 32 << 9 << "土"
                                                          << "士";
}

void TestTreasureRules::fieldHidesOneOddKanji() {
    QFETCH(QString, item);
    QFETCH(int, role);
    QFETCH(int, cells);
    QFETCH(int, hidden);
    QFETCH(QString, common);
    QFETCH(QString, odd);
    Play p(QStringLiteral("日曰\r\n") + item + QStringLiteral("\r\n"), {0, 0, 0});
    QCOMPARE(p.openError, QString());
    p.engine->setExtra(0, QString::number(cells)); // makes the opening's field again, with draws of 0
    QCOMPARE(p.rules().cellCount(), cells);
    for (double r : {drawFor1(2, 2), drawFor1(role, 2), drawFor1(hidden, cells)})
        p.random.push(r);
    const int before = p.random.used();
    p.clock.advance(4.25);
    p.engine->makeQuestion();

    QCOMPARE(p.random.used() - before, 3);
    QCOMPARE(p.rules().commonKanji(), common);
    QCOMPARE(p.engine->session().answer, odd);
    QCOMPARE(p.engine->session().shownAt, p.clock.seconds());
    for (int i = 1; i <= TreasureRules::kCells; ++i) {
        QCOMPARE(p.rules().cellVisible(i), i <= cells);
        const QString expected = i > cells ? QString() : i == hidden ? odd : common;
        QCOMPARE(p.rules().cellText(i), expected);
    }
}

void TestTreasureRules::dictionaryProblems_data() {
    QTest::addColumn<QString>("dictionary"); // null: no file
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("missing") << QString() << false << QStringList() << "宝探し辞書.TXT";
    QTest::newRow("empty") << QString("") << false << QStringList() << "宝探し辞書.TXT";
    QTest::newRow("only single characters") << QString("萩\r\n末\r\n") << false << QStringList() << "宝探し辞書.TXT";
    QTest::newRow("single character skipped")
        << QString("萩荻\r\n末\r\n問間\r\n") << true << QStringList{"萩荻", "問間"} << "宝探し辞書.TXT」の 2 行目";
    QTest::newRow("same character twice skipped")
        << QString("日日\r\n日曰,土士\r\n\"己\"\r\n") << true << QStringList{"日曰", "土士"} << "の 1, 3 行目";
    QTest::newRow("quoted items, commas")
        << QString("\"萩荻\",\"末未\"\r\n") << true << QStringList{"萩荻", "末未"} << QString();
}

void TestTreasureRules::dictionaryProblems() {
    QFETCH(QString, dictionary);
    QFETCH(bool, opens);
    QFETCH(QStringList, items);
    QFETCH(QString, messagePart);
    Play p(dictionary);
    if (!opens) {
        QVERIFY(p.openError.contains(messagePart));
        return;
    }
    QCOMPARE(p.openError, QString());
    QCOMPARE(p.rules().dictionary(), items);
    if (messagePart.isEmpty())
        QCOMPARE(p.engine->openNotice(), QString());
    else
        QVERIFY2(p.engine->openNotice().contains(messagePart), qPrintable(p.engine->openNotice()));
}

void TestTreasureRules::damagedCellCountIsBroughtBack_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("cells");
    QTest::addColumn<bool>("notice");
    QTest::newRow("24 kept") << "24" << 24 << false;
    QTest::newRow("8 kept") << "8" << 8 << false;
    QTest::newRow("0") << "0" << 40 << true;
    QTest::newRow("20, not whole rows") << "20" << 40 << true;
    QTest::newRow("48, beyond the field") << "48" << 40 << true;
    QTest::newRow("-8") << "-8" << 40 << true;
    QTest::newRow("text") << "\"x\"" << 40 << true;
}

void TestTreasureRules::damagedCellCountIsBroughtBack() {
    QFETCH(QString, field);
    QFETCH(int, cells);
    QFETCH(bool, notice);
    Play p(QStringLiteral("萩荻\r\n"), {}, QStringLiteral("10,60,\"秒数\",0,") + field + QStringLiteral("\r\n"));
    QCOMPARE(p.openError, QString());
    QCOMPARE(p.rules().cellCount(), cells);
    QCOMPARE(p.rules().cellVisible(cells), true);
    QCOMPARE(p.rules().cellVisible(cells + 1), false);
    QCOMPARE(!p.engine->openNotice().isEmpty(), notice);
    QCOMPARE(test::readSjis(p.dir.path(), QStringLiteral("宝探し設定.txt")),
             QStringLiteral("10,60,\"秒数\",0,%1\r\n").arg(cells));
}

void TestTreasureRules::cellCountChangeMakesANewField() {
    Play p(QStringLiteral("萩荻\r\n"), QList<double>(6, 0.0));
    QCOMPARE(p.rules().cellCount(), 40);
    const int before = p.random.used();
    p.engine->setExtra(0, QStringLiteral("16"));
    QCOMPARE(p.random.used() - before, 3);
    QVERIFY(p.rules().cellVisible(16));
    QVERIFY(!p.rules().cellVisible(17));
    QCOMPARE(p.rules().cellText(17), QString());
    QCOMPARE(test::readSjis(p.dir.path(), QStringLiteral("宝探し設定.txt")), QStringLiteral("10,60,\"秒数\",1,16\r\n"));
}

void TestTreasureRules::clickIsJudgedAgainstTheField() {
    // Every field: 萩荻 with 萩 common, the odd 荻 in cell 3.
    QList<double> draws;
    for (int i = 0; i < 6; ++i)
        draws << 0 << 0 << drawFor1(3, 40);
    Play p(QStringLiteral("萩荻\r\n"), draws);
    p.toGreen();
    QCOMPARE(p.oddCell(), 3);
    p.clock.advance(0.5);
    p.rules().clickCell(3);
    QCOMPARE(p.engine->session().okCount, 1);
    const int usedAfterRight = p.random.used();
    p.clock.advance(0.75);
    p.rules().clickCell(4);
    QCOMPARE(p.engine->session().ngCount, 1);
    QCOMPARE(p.random.used() - usedAfterRight, 3); // a new field after a wrong click as well
    QCOMPARE(p.engine->answerList().rows(), 3);
    QCOMPARE(p.engine->answerList().rowTexts(1), (QStringList{"1", "0.50"}));
    QCOMPARE(p.engine->answerList().rowTexts(2), (QStringList{"2", "0.75"}));
    QCOMPARE(p.engine->scoreboard().answers, QStringLiteral("2"));
    QCOMPARE(p.engine->scoreboard().best, QStringLiteral("0.50"));
}

void TestTreasureRules::idleClickChangesNothing() {
    Play p(QStringLiteral("萩荻\r\n"), {0, 0, drawFor1(5, 40)});
    QCOMPARE(p.oddCell(), 5);
    const int used = p.random.used();
    for (int cell : {5, 6, 40}) {
        p.rules().clickCell(cell);
        QCOMPARE(p.rules().cellColor(cell), kWhite);
    }
    QCOMPARE(p.engine->session().okCount + p.engine->session().ngCount, 0);
    QCOMPARE(p.engine->answerList().rows(), 1);
    QCOMPARE(p.random.used(), used);
    QCOMPARE(p.oddCell(), 5);
}

void TestTreasureRules::countdownClickOnABlankCellIsWrong() {
    Play p(QStringLiteral("萩荻\r\n"), {0, 0, drawFor1(5, 40)});
    p.engine->start();
    QCOMPARE(p.rules().cellText(5), QString());
    QVERIFY(p.rules().cellVisible(40));
    p.clock.advance(1);
    p.engine->tickStart();
    p.rules().clickCell(5); // the odd cell of the field shown before the start, now blank
    QCOMPARE(p.engine->session().ngCount, 1);
    QCOMPARE(p.engine->session().okCount, 0);
    QVERIFY(p.engine->session().startPending);
}

void TestTreasureRules::clickedCellFlashesUntilThePauseEnds() {
    Play p(QStringLiteral("萩荻\r\n"), {0, 0, drawFor1(2, 40), 0, 0, drawFor1(2, 40)},
           QStringLiteral("10,10,\"秒数\",1,40\r\n"));
    p.engine->setFeedbackPauses(true);
    p.toGreen();
    p.clock.advance(9.5);
    p.rules().clickCell(2);
    QCOMPARE(p.rules().cellColor(2), (Rgb{0, 255, 0}));
    QCOMPARE(p.rules().cellColor(3), kWhite);
    QCOMPARE(p.engine->scoreboard().best, QStringLiteral("9.50")); // taken before the flash
    p.rules().clickCell(3); // during the flash: judged against the same field, with a flash of its own
    QCOMPARE(p.rules().cellColor(3), (Rgb{255, 0, 0}));
    p.clock.advance(0.5);
    p.engine->tickClock(); // the time is up during both flashes: the play is saved with its best
    QCOMPARE(test::readSjis(p.dir.path(), QStringLiteral("宝探し履歴.txt")),
             QStringLiteral("\"2026/12/06\",\"18:30:13\",2,1,1,9.5,\"50.0%\",\"0.20/秒\",\"10秒\"\r\n"));
    p.engine->finishFeedbackNow();
    QCOMPARE(p.rules().cellColor(2), kWhite);
    QCOMPARE(p.rules().cellColor(3), kWhite);
    QCOMPARE(p.engine->answerList().rows(), 3);
}

void TestTreasureRules::fifthClickEndsAnAnswerCountPlay() {
    Play p(QStringLiteral("萩荻\r\n"));
    p.engine->setMode(GameMode::AnswerCount);
    p.engine->setCountLimit(5);
    p.toGreen();
    for (int i = 1; i <= 5; ++i) {
        QVERIFY(p.engine->session().playing);
        p.clock.advance(0.5);
        p.engine->tickElapsed();
        p.rules().clickCell(i % 2 ? p.oddCell() : p.commonCells().first());
    }
    QVERIFY(!p.engine->session().playing);
    QCOMPARE(p.engine->session().okCount, 3);
    QCOMPARE(p.engine->session().ngCount, 2);
    QCOMPARE(p.engine->scoreboard().perSecond, QStringLiteral("2.00/秒")); // 5 clicks in 2.5 s
}

void TestTreasureRules::bestReactionOnlyFromFasterRightClicks() {
    Play p(QStringLiteral("萩荻\r\n"));
    p.toGreen();
    const QList<QPair<bool, double>> clicks = {{true, 1.5}, {false, 0.25}, {true, 2.0}, {true, 0.75}};
    QStringList bests;
    for (const auto &[right, seconds] : clicks) {
        p.clock.advance(seconds);
        p.rules().clickCell(right ? p.oddCell() : p.commonCells().last());
        bests << p.engine->scoreboard().best;
    }
    QCOMPARE(bests, (QStringList{"1.50", "1.50", "1.50", "0.75"}));
}

void TestTreasureRules::shippedDictionaryHoldsLookAlikePairs() {
    const QByteArray bytes = test::readBytes(QStringLiteral(MIRUTE_DEFAULT_DATA), QStringLiteral("宝探し辞書.TXT"));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    Play p(QString(), {});
    QVERIFY(QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/宝探し辞書.TXT"), p.dir.filePath("宝探し辞書.TXT")));
    QCOMPARE(p.engine->open(), QString());
    QCOMPARE(p.engine->openNotice(), QString());
    const QStringList items = p.rules().dictionary();
    QVERIFY2(items.size() >= 40, qPrintable(QString::number(items.size())));
    QCOMPARE(QSet<QString>(items.begin(), items.end()).size(), items.size());
    for (const QString &item : items) {
        QCOMPARE(item.size(), 2);
        QVERIFY(item[0] != item[1]);
        QVERIFY2(item[0].unicode() >= 0x4E00 && item[1].unicode() >= 0x4E00, qPrintable(item));
    }
}

QTEST_GUILESS_MAIN(TestTreasureRules)
#include "tst_treasure_rules.moc"
