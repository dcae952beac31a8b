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
    const QDate today(2026, 12, 6);
    QTest::newRow("empty log") << QStringList{} << today << 0 << 0 << QDate() << QDate();
    QTest::newRow("only today") << QStringList{"2026/12/06", "2026/12/06"} << today << 1 << 1 << today << today;
    QTest::newRow("several plays a day count once")
        << QStringList{"2026/12/04", "2026/12/04", "2026/12/04", "2026/12/05", "2026/12/05"} << today << 2 << 2
        << QDate(2026, 12, 4) << QDate(2026, 12, 5);
    QTest::newRow("none yet today: the run to yesterday")
        << QStringList{"2026/12/03", "2026/12/04", "2026/12/05"} << today << 3 << 3 << QDate(2026, 12, 3)
        << QDate(2026, 12, 5);
    QTest::newRow("neither today nor yesterday")
        << QStringList{"2026/12/03", "2026/12/04"} << today << 0 << 2 << QDate(2026, 12, 3) << QDate(2026, 12, 4);
    QTest::newRow("current shorter than longest")
        << QStringList{"2026/11/01", "2026/11/02", "2026/11/03", "2026/12/05", "2026/12/06"} << today << 2 << 3
        << QDate(2026, 11, 1) << QDate(2026, 11, 3);
    QTest::newRow("equally long: the latest") << QStringList{"2026/10/01", "2026/10/02", "2026/11/10", "2026/11/11"}
                                              << today << 0 << 2 << QDate(2026, 11, 10) << QDate(2026, 11, 11);
    QTest::newRow("leap year: 29 February missing")
        << QStringList{"2024/02/27", "2024/02/28", "2024/03/01"} << QDate(2024, 3, 1) << 1 << 2 << QDate(2024, 2, 27)
        << QDate(2024, 2, 28);
    QTest::newRow("leap year: through 29 February")
        << QStringList{"2024/02/28", "2024/02/29", "2024/03/01"} << QDate(2024, 3, 2) << 3 << 3 << QDate(2024, 2, 28)
        << QDate(2024, 3, 1);
    QTest::newRow("common year: 28 February then 1 March")
        << QStringList{"2023/02/28", "2023/03/01"} << QDate(2023, 3, 1) << 2 << 2 << QDate(2023, 2, 28)
        << QDate(2023, 3, 1);
    QTest::newRow("across a year end") << QStringList{"2025/12/30", "2025/12/31", "2026/01/01", "2026/01/02"}
                                       << QDate(2026, 1, 3) << 4 << 4 << QDate(2025, 12, 30) << QDate(2026, 1, 2);
    QTest::newRow("log out of order") << QStringList{"2026/12/06", "2026/12/04", "2026/12/05", "2026/12/04"} << today
                                      << 3 << 3 << QDate(2026, 12, 4) << today;
    QTest::newRow("plays after today are no run yet")
        << QStringList{"2026/12/01", "2026/12/02", "2026/12/03", "2026/12/05", "2026/12/06", "2026/12/07"} << today << 2
        << 3 << QDate(2026, 12, 1) << QDate(2026, 12, 3);
    QTest::newRow("a date that is no date is left out")
        << QStringList{"2026/12/05", "2026/13/45", "2026/12/06"} << today << 2 << 2 << QDate(2026, 12, 5) << today;
}

void TestStreaks::streaks() {
    QFETCH(QStringList, dates);
    QFETCH(QDate, today);
    QFETCH(int, current);
    QFETCH(int, longest);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    const DayStreaks s = dayStreaks(playsOn(dates), today);
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

QTEST_GUILESS_MAIN(TestStreaks)
#include "tst_streaks.moc"
