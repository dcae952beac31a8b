#include "core/log/play_log.h"
#include "core/views/streaks.h"
#include "support/test_files.h"

#include <QTest>

using namespace mirute;

class TestStreaks : public QObject {
    Q_OBJECT
private slots:
    void streaks_data();
    void streaks();
    void damagedLineLeavesTheReadablePlays();
    void goalProgress_data();
    void goalProgress();
};

namespace {

QList<PlayRecord> playsOn(const QStringList &dates) {
    QList<PlayRecord> records;
    for (const QString &d : dates)
        records.append(PlayRecord{d, QStringLiteral("10:00:00"), QStringLiteral("抜かな"), 60, QString()});
    return records;
}

} // namespace

void TestStreaks::streaks_data() {
    QTest::addColumn<QStringList>("dates"); // the plays' dates in file order
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("longest");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("goal"); // each play is one of 60 seconds
    QTest::addColumn<int>("rest");
    const QDate today(2026, 12, 6);
    QTest::newRow("empty log") << QStringList{} << today << 0 << 0 << QDate() << QDate() << "なし" << 0;
    QTest::newRow("only today") << QStringList{"2026/12/06", "2026/12/06"} << today << 1 << 1 << today << today
                                << "なし" << 0;
    QTest::newRow("several plays a day count once")
        << QStringList{"2026/12/04", "2026/12/04", "2026/12/04", "2026/12/05", "2026/12/05"} << today << 2 << 2
        << QDate(2026, 12, 4) << QDate(2026, 12, 5) << "なし" << 0;
    QTest::newRow("none yet today: the run to yesterday")
        << QStringList{"2026/12/03", "2026/12/04", "2026/12/05"} << today << 3 << 3 << QDate(2026, 12, 3)
        << QDate(2026, 12, 5) << "なし" << 0;
    QTest::newRow("neither today nor yesterday") << QStringList{"2026/12/03", "2026/12/04"} << today << 0 << 2
                                                 << QDate(2026, 12, 3) << QDate(2026, 12, 4) << "なし" << 0;
    QTest::newRow("current shorter than longest")
        << QStringList{"2026/11/01", "2026/11/02", "2026/11/03", "2026/12/05", "2026/12/06"} << today << 2 << 3
        << QDate(2026, 11, 1) << QDate(2026, 11, 3) << "なし" << 0;
    QTest::newRow("equally long: the latest")
        << QStringList{"2026/10/01", "2026/10/02", "2026/11/10", "2026/11/11"} << today << 0 << 2 << QDate(2026, 11, 10)
        << QDate(2026, 11, 11) << "なし" << 0;
    QTest::newRow("leap year: 29 February missing")
        << QStringList{"2024/02/27", "2024/02/28", "2024/03/01"} << QDate(2024, 3, 1) << 1 << 2 << QDate(2024, 2, 27)
        << QDate(2024, 2, 28) << "なし" << 0;
    QTest::newRow("leap year: through 29 February")
        << QStringList{"2024/02/28", "2024/02/29", "2024/03/01"} << QDate(2024, 3, 2) << 3 << 3 << QDate(2024, 2, 28)
        << QDate(2024, 3, 1) << "なし" << 0;
    QTest::newRow("common year: 28 February then 1 March")
        << QStringList{"2023/02/28", "2023/03/01"} << QDate(2023, 3, 1) << 2 << 2 << QDate(2023, 2, 28)
        << QDate(2023, 3, 1) << "なし" << 0;
    QTest::newRow("across a year end") << QStringList{"2025/12/30", "2025/12/31", "2026/01/01", "2026/01/02"}
                                       << QDate(2026, 1, 3) << 4 << 4 << QDate(2025, 12, 30) << QDate(2026, 1, 2)
                                       << "なし" << 0;
    QTest::newRow("log out of order") << QStringList{"2026/12/06", "2026/12/04", "2026/12/05", "2026/12/04"} << today
                                      << 3 << 3 << QDate(2026, 12, 4) << today << "なし" << 0;
    QTest::newRow("plays after today are no run yet")
        << QStringList{"2026/12/01", "2026/12/02", "2026/12/03", "2026/12/05", "2026/12/06", "2026/12/07"} << today << 2
        << 3 << QDate(2026, 12, 1) << QDate(2026, 12, 3) << "なし" << 0;
    QTest::newRow("a date that is no date is left out")
        << QStringList{"2026/12/05", "2026/13/45", "2026/12/06"} << today << 2 << 2 << QDate(2026, 12, 5) << today
        << "なし" << 0;
    // Rest days: no 7 days in a row of a run hold more of them than allowed.
    QTest::newRow("rest 1: one day off") << QStringList{"2026/12/01", "2026/12/03", "2026/12/04", "2026/12/05"} << today
                                         << 4 << 4 << QDate(2026, 12, 1) << QDate(2026, 12, 5) << "なし" << 1;
    QTest::newRow("rest 1: days off 7 days apart")
        << QStringList{"2026/11/24", "2026/11/26", "2026/11/27", "2026/11/28",
                       "2026/11/29", "2026/11/30", "2026/12/01", "2026/12/03"}
        << today << 0 << 8 << QDate(2026, 11, 24) << QDate(2026, 12, 3) << "なし" << 1;
    QTest::newRow("rest 1: days off 6 days apart")
        << QStringList{"2026/11/25", "2026/11/27", "2026/11/28", "2026/11/29", "2026/11/30", "2026/12/01", "2026/12/03"}
        << QDate(2026, 12, 4) << 6 << 6 << QDate(2026, 11, 27) << QDate(2026, 12, 3) << "なし" << 1;
    QTest::newRow("rest 1: two days off in a week start it again")
        << QStringList{"2026/11/20", "2026/11/22", "2026/11/23", "2026/11/24", "2026/11/25",
                       "2026/11/26", "2026/11/27", "2026/11/28", "2026/11/30", "2026/12/02"}
        << QDate(2026, 12, 2) << 2 << 9 << QDate(2026, 11, 20) << QDate(2026, 11, 30) << "なし" << 1;
    QTest::newRow("rest 2: four days off in a week")
        << QStringList{"2026/12/01", "2026/12/04", "2026/12/07"} << QDate(2026, 12, 7) << 2 << 2 << QDate(2026, 12, 4)
        << QDate(2026, 12, 7) << "なし" << 2;
    QTest::newRow("goal: a day short of it breaks the run")
        << QStringList{"2026/12/04", "2026/12/04", "2026/12/05", "2026/12/06", "2026/12/06"} << today << 1 << 1 << today
        << today << "2回" << 0;
    QTest::newRow("goal: a day short of it is a rest day")
        << QStringList{"2026/12/04", "2026/12/04", "2026/12/05", "2026/12/06"} << today << 1 << 1 << QDate(2026, 12, 4)
        << QDate(2026, 12, 4) << "2分" << 1;
}

void TestStreaks::streaks() {
    QFETCH(QStringList, dates);
    QFETCH(QDate, today);
    QFETCH(int, current);
    QFETCH(int, longest);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, goal);
    QFETCH(int, rest);
    DailyGoal rules{GoalMeasure::None, 0, rest};
    QVERIFY(parseGoalText(goal, &rules));
    const DayStreaks s = dayStreaks(playsOn(dates), today, rules);
    QCOMPARE(s.current, current);
    QCOMPARE(s.longest, longest);
    QCOMPARE(s.longestFrom, from);
    QCOMPARE(s.longestTo, to);
    QCOMPARE(currentStreakText(s), QStringLiteral("連続 %1 日").arg(current));
    QCOMPARE(longestStreakText(s), QStringLiteral("最長 %1 日").arg(longest));
}

void TestStreaks::damagedLineLeavesTheReadablePlays() {
    // The play of 5 December cannot be read: the readable plays of 4 and 6 December are two runs of one day.
    const QByteArray bytes = test::sjisBytes(QStringLiteral("\"2026/12/04\",\"10:00:00\",\"抜かな\",60,\"x\",\r\n"
                                                            "\"2026/12/05\",\"10:00:00\",\"抜かな\",abc,\"x\",\r\n"
                                                            "\"2026/12/06\",\"10:00:00\",\"抜かな\",60,\"x\",\r\n"));
    const PlayLogData log = parsePlayLogBytes(bytes);
    QCOMPARE(log.problems.size(), 1);
    QCOMPARE(log.problems.first().line, 2);
    const DayStreaks s = dayStreaks(log.records, QDate(2026, 12, 6));
    QCOMPARE(s.current, 1);
    QCOMPARE(s.longest, 1);
    QCOMPARE(s.longestFrom, QDate(2026, 12, 6));
}

void TestStreaks::goalProgress_data() {
    QTest::addColumn<QString>("goal");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no goal") << "なし"
                             << "目標なし";
    // Today 600 + 299.5 seconds make 900, each game's sum rounded half to even as 合計時間; the play of a game
    // that is none of the seven counts as a play only.
    QTest::newRow("minutes met") << "15分"
                                 << "今日 15 / 15 分 達成";
    QTest::newRow("minutes short") << "16分"
                                   << "今日 15 / 16 分";
    QTest::newRow("plays of today only") << "4回"
                                         << "今日 3 / 4 回";
    QTest::newRow("games of the seven") << "2種類"
                                        << "今日 2 / 2 種類 達成";
}

void TestStreaks::goalProgress() {
    QFETCH(QString, goal);
    QFETCH(QString, shown);
    QList<PlayRecord> plays;
    for (const auto &[date, game, seconds] : {std::tuple{"2026/12/05", "抜かな", 60.0f},
                                              {"2026/12/06", "抜かな", 600.0f},
                                              {"2026/12/06", "抜数字", 299.5f},
                                              {"2026/12/06", "謎", 60.0f},
                                              {"2026/12/07", "座標", 60.0f}})
        plays.append(PlayRecord{date, QStringLiteral("10:00:00"), QString::fromUtf8(game), seconds, QString()});
    DailyGoal rules;
    QVERIFY(parseGoalText(goal, &rules));
    QCOMPARE(mirute::goalProgress(PlayedDays(plays, QDate(2026, 12, 6)), rules).text(), shown);
}

QTEST_GUILESS_MAIN(TestStreaks)
#include "tst_streaks.moc"
