#include "core/base/day_time.h"
#include "core/games/game_registry.h"
#include "core/views/weekly_scores.h"

#include <QTest>

using namespace mirute;

class TestWeeklyScores : public QObject {
    Q_OBJECT
private slots:
    void weeks_data();
    void weeks();
};

void TestWeeklyScores::weeks_data() {
    QTest::addColumn<int>("gameNo");
    QTest::addColumn<QStringList>("plays"); // history fields 1, 8, 7, 9 and 3
    QTest::addColumn<QString>("chosen");    // "" none, else kind (T time limit, A answer count) and limit
    QTest::addColumn<QString>("limits");    // the chooser's captions
    QTest::addColumn<QString>("rows");      // week, plays, score, average
    QTest::addColumn<bool>("notice");
    // 0.40; (0.42 × 0.8 + 0.50) / 2 = 0.418; no play in the week of 11/09; 0.60 × 0.9 = 0.54; 0.70; 0.90.
    // Averages: 0.4, 0.409, 1.358 / 3 = 0.4527, 2.058 / 4 = 0.5145, (2.058 − 0.4 + 0.9) / 4 = 0.6395.
    const QStringList sixtySeconds = {"2026/11/01 0.40/秒 100.0% 60秒 24", "2026/11/02 0.42/秒 80.0% 60秒 25",
                                      "2026/11/08 0.50/秒 100.0% 60秒 30", "2026/11/10 0.50/秒 100.0% 12.0秒 10",
                                      "2026/11/12 0.90/秒 100.0% 30秒 27", "2026/11/14 3.00/秒 100.0% 9.10秒 9",
                                      "2026/11/16 0.60/秒 90.0% 60秒 36",  "2026/11/24 0.70/秒 100.0% 60秒 42",
                                      "2026/12/06 0.90/秒 100.0% 60秒 54", "2026/12/07 0.10/秒 100.0% 60秒 6"};
    QTest::newRow("weeks from Monday, the most played limit, a four-week average")
        << 1 << sixtySeconds << ""
        << "秒数 60（7回）|秒数 30（1回）|答数 10（1回）"
        << "2026/10/26 1 0.40 0.40|2026/11/02 2 0.42 0.41|2026/11/16 1 0.54 0.45|2026/11/23 1 0.70 0.51|"
           "2026/11/30 1 0.90 0.64"
        << true;
    QTest::newRow("the limit chosen") << 1 << sixtySeconds << "A10"
                                      << "秒数 60（7回）|秒数 30（1回）|答数 10（1回）"
                                      << "2026/11/09 1 0.50 0.50" << false;
    QTest::newRow("座標 counts rows; a limit without plays falls back to the most played")
        << 7 << QStringList{"2026/12/01 2.00/秒 95.0% 13.5秒 27", "2026/12/02 2.20/秒 100.0% 12.3秒 27"} << "T60"
        << "行数 3（2回）"
        << "2026/11/30 2 2.05 2.05" << false;
    QTest::newRow("no comparable play") << 2 << QStringList{"2026/12/01 2.00/秒 95.0% 9.10秒 18"} << ""
                                        << ""
                                        << "" << false;
}

void TestWeeklyScores::weeks() {
    QFETCH(int, gameNo);
    QFETCH(QStringList, plays);
    QFETCH(QString, chosen);
    QFETCH(QString, limits);
    QFETCH(QString, rows);
    QFETCH(bool, notice);
    QList<HistoryRecord> records;
    for (const QString &p : plays) {
        const QStringList f = p.split(u' ');
        records.append({f[0], QStringLiteral("10:00:00"), f[4], 1, 0, QStringLiteral("0.5"), f[2], f[1], f[3]});
    }
    const PlayLimit limit =
        chosen.isEmpty()
            ? PlayLimit{}
            : PlayLimit{chosen[0] == u'T' ? PlayKind::TimeLimit : PlayKind::AnswerCount, chosen.mid(1).toInt()};
    const GameDefinition def = gameDefinition(gameNo);
    WeeklyScoresView view;
    const QString told = view.show(def, records, QDate(2026, 12, 6), limit);
    QStringList captions;
    for (const ScoreLimit &l : view.limits())
        captions << scoreLimitCaption(def, l);
    QCOMPARE(captions.join(u'|'), limits);
    QStringList shown;
    for (int r = 1; r < view.grid().rows(); ++r)
        shown << view.grid().rowTexts(r).mid(1).join(u' ');
    QCOMPARE(shown.join(u'|'), rows);
    QCOMPARE(view.chart().rowCount(), view.grid().rows() - 1);
    // The chart names the game, the limit shown and its weeks, each bar dated by its Monday for the axis.
    for (int r = 1; r < view.grid().rows(); ++r)
        QCOMPARE(dateText(view.chart().rowDate(r)), view.grid().textMatrix(r, 1));
    if (view.grid().rows() > 1)
        QVERIFY2(view.chart().title().startsWith(def.name + QStringLiteral("の週別スコア　") +
                                                 playLimitText(def, view.limit()) + u'　' +
                                                 view.grid().textMatrix(1, 1)),
                 qPrintable(view.chart().title()));
    QCOMPARE(!told.isEmpty(), notice);
}

QTEST_GUILESS_MAIN(TestWeeklyScores)
#include "tst_weekly_scores.moc"
