#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/games/common/game_engine.h"
#include "core/games/common/game_history.h"
#include "core/games/common/weak_items.h"
#include "core/games/kana/kana_game.h"
#include "core/games/kana/kana_rules.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {
// Two 60-second plays (the second of 10 answers), one answer-count play of 10, one 30-second play.
const QStringList kLines = {
    R"("2026/12/01","09:00:00",25,20,5,0.85,"80.0%","0.42/秒","60秒")",
    R"("2026/12/02","09:00:00",10,9,1,0.7,"90.0%","0.17/秒","60秒")",
    R"("2026/12/03","09:00:00",10,10,0,0.5,"100.0%","0.43/秒","23.4秒")",
    R"("2026/12/04","09:00:00",12,6,6,1.1,"50.0%","0.40/秒","30秒")",
};
} // namespace

class TestGameHistory : public QObject {
    Q_OBJECT
private slots:
    void init();
    void missingFileShowsEmptyList();
    void listColumnsAndNumbers();
    void filters_data();
    void filters();
    void chartValues_data();
    void chartValues();
    void trendOfShownPlays_data();
    void trendOfShownPlays();
    void chartLayoutAndScrolling();
    void reactionChartIsNotRedrawn();
    void saveRedrawsHighlightedChart();
    void damagedLinesSkippedAndReported();
    void weakItemsOfLastPlays_data();
    void weakItemsOfLastPlays();

private:
    QTemporaryDir m_dir;
    GameDefinition m_def = KanaGame::definition();
};

void TestGameHistory::init() {
    QVERIFY(rewriteLines(m_dir.path(), m_def.historyFile(), kLines).ok());
}

void TestGameHistory::missingFileShowsEmptyList() {
    QTemporaryDir empty;
    GameHistory h(m_def, empty.path());
    h.showAll();
    QCOMPARE(h.list().rows(), 1);
    h.drawChart(GameHistory::Rate);
    QCOMPARE(h.chart().rowCount(), 0);
}

void TestGameHistory::listColumnsAndNumbers() {
    GameHistory h(m_def, m_dir.path());
    h.showAll();
    QCOMPARE(h.list().rows(), 5);
    QCOMPARE(h.list().rowTexts(0),
             (QStringList{"回", "日付", "時間", "答数", "ＯＫ", "ＮＧ", "反応秒", "正解率", "秒当たり", "表示秒数"}));
    QCOMPARE(h.list().rowTexts(1),
             (QStringList{"1", "2026/12/01", "09:00:00", "25", "20", "5", "0.85", "80.0%", "0.42/秒", "60秒"}));
    QCOMPARE(h.list().colWidth(9), 1025);
    QCOMPARE(h.list().colAlignment(1), int(Grid::Center));
    QCOMPARE(h.list().colAlignment(3), int(Grid::Right));
    QCOMPARE(h.list().fontSize(), 11);
    QVERIFY(h.allShown());
}

void TestGameHistory::filters_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("60 seconds") << "seconds"
                                << "60" << QStringList{"2026/12/01", "2026/12/02"};
    QTest::newRow("answer-count seconds never match") << "seconds"
                                                      << "20" << QStringList{};
    QTest::newRow("10 answers, either mode") << "answers"
                                             << "10" << QStringList{"2026/12/02", "2026/12/03"};
    QTest::newRow("25 answers") << "answers"
                                << "25" << QStringList{"2026/12/01"};
}

void TestGameHistory::filters() {
    QFETCH(QString, kind);
    QFETCH(QString, value);
    QFETCH(QStringList, dates);
    GameHistory h(m_def, m_dir.path());
    h.showAll();
    if (kind == "seconds")
        h.filterSeconds(value);
    else
        h.filterAnswers(value);
    QStringList shown;
    for (int r = 1; r < h.list().rows(); ++r) {
        QCOMPARE(h.list().textMatrix(r, 0), QString::number(r)); // numbered from 1 in the filtered list
        shown << h.list().textMatrix(r, 1);
    }
    QCOMPARE(shown, dates);
    QVERIFY(!h.allShown());
    // Each filter empties the other.
    QCOMPARE(h.secondsFilter(), kind == "seconds" ? value : QString());
    QCOMPARE(h.answersFilter(), kind == "answers" ? value : QString());
    h.showAll();
    QVERIFY(h.secondsFilter().isEmpty() && h.answersFilter().isEmpty());
}

void TestGameHistory::chartValues_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("rate") << int(GameHistory::Rate) << QList<double>{80.0, 90.0, 100.0, 50.0};
    QTest::newRow("per second") << int(GameHistory::PerSecond) << QList<double>{0.42, 0.17, 0.43, 0.40};
    QTest::newRow("seconds") << int(GameHistory::Seconds) << QList<double>{60, 60, 23.4, 30};
    QTest::newRow("reaction") << int(GameHistory::Reaction) << QList<double>{0.85, 0.7, 0.5, 1.1};
}

void TestGameHistory::chartValues() {
    QFETCH(int, button);
    QFETCH(QList<double>, values);
    GameHistory h(m_def, m_dir.path());
    h.showAll();
    h.drawChart(GameHistory::Button(button));
    QCOMPARE(h.chart().rowCount(), values.size());
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(h.chart().value(i + 1), values[i]);
    const int listColumn[] = {8, 6, 7, 9}; // of each chart: a hovered bar shows the value as the list does
    QVERIFY(h.chart().hoverText(4, values[3]).contains(u' ' + h.list().textMatrix(4, listColumn[button])));
    QVERIFY(h.isHighlighted(GameHistory::Button(button)));
    QVERIFY(h.chart().isVisible());
    QVERIFY(!h.okNgChart().isVisible());
}

void TestGameHistory::trendOfShownPlays_data() {
    QTest::addColumn<int>("plays");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<int>("button");
    QTest::addColumn<QList<double>>("means");
    // 秒当たり of the plays: 1, 2, 3, 4, 5, 6, 12; the third play was one of 30 seconds, the others of 60.
    QTest::newRow("fewer than 5 plays") << 4 << "" << int(GameHistory::PerSecond) << QList<double>{1, 1.5, 2, 2.5};
    QTest::newRow("exactly 5") << 5 << "" << int(GameHistory::PerSecond) << QList<double>{1, 1.5, 2, 2.5, 3};
    QTest::newRow("the last 5 of 7") << 7 << "" << int(GameHistory::PerSecond)
                                     << QList<double>{1, 1.5, 2, 2.5, 3, 4, 6};
    QTest::newRow("60-second plays only")
        << 7 << "60" << int(GameHistory::PerSecond) << QList<double>{1, 1.5, 7.0 / 3, 3, 3.6, 5.8};
    // The 答数 chart's line follows its first series, the OK answers: 10, 20, …, 70.
    QTest::newRow("OK answers") << 7 << "60" << int(GameHistory::OkNg) << QList<double>{10, 15, 70.0 / 3, 30, 36, 48};
}

void TestGameHistory::trendOfShownPlays() {
    QFETCH(int, plays);
    QFETCH(QString, seconds);
    QFETCH(int, button);
    QFETCH(QList<double>, means);
    QStringList lines;
    for (int k = 1; k <= plays; ++k)
        lines << QStringLiteral(R"("2026/12/%1","09:00:00",%2,%2,0,0.5,"100.0%","%3/秒","%4秒")")
                     .arg(k, 2, 10, QChar(u'0'))
                     .arg(k * 10)
                     .arg(k == 7 ? 12 : k)
                     .arg(k == 3 ? 30 : 60);
    QVERIFY(rewriteLines(m_dir.path(), m_def.historyFile(), lines).ok());
    GameHistory h(m_def, m_dir.path());
    h.showAll();
    const auto b = GameHistory::Button(button);
    h.drawChart(b);
    if (!seconds.isEmpty())
        h.filterSeconds(seconds); // redraws the highlighted chart from the plays now listed
    const ChartData &chart = b == GameHistory::OkNg ? h.okNgChart() : h.chart();
    QCOMPARE(chart.trendName(), QStringLiteral("平均(5回)"));
    const QList<double> trend = chart.trendValues();
    QCOMPARE(trend.size(), means.size());
    for (int i = 0; i < means.size(); ++i)
        QVERIFY2(qFuzzyCompare(trend[i], means[i]), qPrintable(QString::number(trend[i])));
    // A hovered bar names its play by number and date, its value by the figure's unit.
    const QString value = b == GameHistory::PerSecond ? QStringLiteral("2/秒") : QStringLiteral("20回");
    QCOMPARE(chart.hoverText(2, chart.value(2)), QStringLiteral("2回 2026/12/02 ") + value);
    // Its title names the game, the figure and the plays listed, from the first date to the last.
    const QString figure = b == GameHistory::PerSecond ? QStringLiteral("秒当たり") : m_def.answersButton;
    const QString listed = seconds.isEmpty() ? QStringLiteral("全プレイ") : QStringLiteral("秒数 60 のプレイ");
    QCOMPARE(chart.title(), m_def.name + QStringLiteral("の") + figure + u'　' + listed +
                                QStringLiteral("　2026/12/01～2026/12/%1").arg(plays, 2, 10, QChar(u'0')));
}

void TestGameHistory::chartLayoutAndScrolling() {
    QStringList many;
    for (int i = 0; i < 20; ++i)
        many << kLines[i % 4];
    QVERIFY(rewriteLines(m_dir.path(), m_def.historyFile(), many).ok());
    GameHistory h(m_def, m_dir.path());
    h.showAll();
    h.layoutList();
    QCOMPARE(h.list().topRow(), 20); // 21 rows: the last one at the top
    h.drawChart(GameHistory::OkNg);
    QCOMPARE(h.layout(), GameHistory::GraphLayout);
    QVERIFY(h.okNgChart().isVisible());
    QVERIFY(!h.chart().isVisible());
    QCOMPARE(h.okNgChart().columnCount(), 2);
    QCOMPARE(h.okNgChart().value(1, 1), 20.0);
    QCOMPARE(h.okNgChart().value(1, 2), 5.0);
    h.drawChart(GameHistory::PerSecond); // one highlight at a time
    QVERIFY(!h.isHighlighted(GameHistory::OkNg));
    h.showAll(); // every play again: the list takes the panel back, the chart stays chosen
    QCOMPARE(h.layout(), GameHistory::ListLayout);
    QVERIFY(h.isHighlighted(GameHistory::PerSecond));
}

void TestGameHistory::reactionChartIsNotRedrawn() {
    GameHistory h(m_def, m_dir.path());
    h.showAll();
    h.drawChart(GameHistory::Reaction);
    QCOMPARE(h.chart().rowCount(), 4);
    h.filterSeconds("60");
    QCOMPARE(h.chart().rowCount(), 4); // keeps its points until 反応秒 is clicked again
    h.drawChart(GameHistory::Rate);
    h.filterSeconds("60");
    QCOMPARE(h.chart().rowCount(), 2);
}

void TestGameHistory::saveRedrawsHighlightedChart() {
    test::FakeClock clock;
    ScriptedRandom random;
    test::writeSjis(m_dir.path(), kKanaDictionary, "あいうえお\r\n");
    test::writeSjis(m_dir.path(), m_def.settingsFile(), "1,60,\"答数\",1,0\r\n");
    GameEngine engine(m_def, KanaGame::makeRules(), m_dir.path(), clock, random);
    engine.setFeedbackPauses(false);
    QVERIFY(engine.open().isEmpty());
    engine.history().drawChart(GameHistory::OkNg);
    QCOMPARE(engine.history().okNgChart().rowCount(), 4);
    engine.start();
    QCOMPARE(engine.history().layout(), GameHistory::ListLayout);
    for (int i = 0; i < 3; ++i)
        engine.tickStart();
    engine.rulesAs<KanaRules>().judgeTyped(engine.session().answer);
    QCOMPARE(engine.history().okNgChart().rowCount(), 5);
    QCOMPARE(engine.history().list().textMatrix(5, 0), QStringLiteral("5"));
    QCOMPARE(engine.history().list().row(), 5); // the new play is the current row, not the oldest
    QCOMPARE(engine.history().layout(), GameHistory::ListLayout);
    QVERIFY(engine.history().isHighlighted(GameHistory::OkNg));
}

void TestGameHistory::damagedLinesSkippedAndReported() {
    QStringList lines = kLines;
    lines.insert(1, R"("2026/12/01","10:00:00",25,abc,5,0.85,"80.0%","0.42/秒","60秒")");
    lines.insert(2, R"("2026/12/01","10:00:00",25)");
    QVERIFY(rewriteLines(m_dir.path(), m_def.historyFile(), lines).ok());
    GameHistory h(m_def, m_dir.path());
    h.showAll();
    QCOMPARE(h.list().rows(), 5);
    QCOMPARE(h.lastProblems().size(), 2);
    QCOMPARE(h.lastProblems()[0].line, 2);
    QCOMPARE(h.lastProblems()[1].line, 3);
}

void TestGameHistory::weakItemsOfLastPlays_data() {
    QTest::addColumn<int>("plays");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("rows");      // item, asked, missed, rate, mean reaction
    QTest::addColumn<QList<double>>("weights"); // of the practice, in the rows' order
    // Weights by hand: 1 + 4 × rate + 2 × min(1, mean / mean of all − 1); the mean of all is 8.8 / 7 over both
    // plays, 5.7 / 4 over the last.
    QTest::newRow("missed most, both plays")
        << 2 << int(WeakOrder::Misses)
        << QStringList{"え 3 2 66.7% 1.50", "い 2 1 50.0% 0.70", "お 1 0 0.0% 2.40", "あ 1 0 0.0% 0.50"}
        << QList<double>{4.053, 3, 2.818, 1};
    QTest::newRow("slowest, both plays") << 2 << int(WeakOrder::Slowness)
                                         << QStringList{"お 1 0 0.0% 2.40", "え 3 2 66.7% 1.50", "い 2 1 50.0% 0.70",
                                                        "あ 1 0 0.0% 0.50"}
                                         << QList<double>{2.818, 4.053, 3, 1};
    QTest::newRow("missed most, last play")
        << 1 << int(WeakOrder::Misses) << QStringList{"え 2 1 50.0% 1.25", "お 1 0 0.0% 2.40", "い 1 0 0.0% 0.80"}
        << QList<double>{3, 2.368, 1};
}

void TestGameHistory::weakItemsOfLastPlays() {
    QFETCH(int, plays);
    QFETCH(int, order);
    QFETCH(QStringList, rows);
    QFETCH(QList<double>, weights);
    const QString a = R"("2026/12/05","09:59:59",)", b = R"("2026/12/06","10:00:00",)";
    QVERIFY(rewriteLines(m_dir.path(), "抜かな解答.txt",
                         {a + R"("え","お","不正解",2)", a + R"("あ","あ","正解",0.5)", a + R"("い","う","不正解",0.6)",
                          b + R"("え","え","正解",1)", b + R"("い","い","正解",0.8)", b + R"("え","い","不正解",1.5)",
                          b + R"("お","お","正解",2.4)"})
                .ok());
    const QList<AnswerRecord> records = readAnswers(m_dir.path(), "抜かな解答.txt").records;
    WeakView view;
    view.fill(QStringLiteral("抜かな"), records, plays, WeakOrder(order));
    QCOMPARE(view.chart().title(), QStringLiteral("抜かなの苦手：%1の%2項目　直近 %3 回")
                                       .arg(order == 0 ? "誤答率" : "平均反応時間", order == 0 ? "高い" : "長い")
                                       .arg(plays));
    const QHash<QString, double> practice = practiceWeights(records, plays);
    QCOMPARE(view.list().rows(), rows.size() + 1);
    for (int r = 1; r <= rows.size(); ++r) {
        QCOMPARE(view.list().rowTexts(r).mid(1).join(u' '), rows[r - 1]);
        QVERIFY2(qAbs(practice.value(view.list().textMatrix(r, 1)) - weights[r - 1]) < 1e-3, qPrintable(rows[r - 1]));
        QCOMPARE(view.chart().value(r), leadingNumber(view.list().textMatrix(r, order == 0 ? 4 : 5)));
    }
}

QTEST_GUILESS_MAIN(TestGameHistory)
#include "tst_game_history.moc"
