#include "core/games/common/personal_best.h"

#include <QTest>

using namespace mirute;

class TestPersonalBest : public QObject {
    Q_OBJECT
private slots:
    void newBest_data();
    void newBest();
    void changes_data();
    void changes();
};

namespace {

// History lines given by their fields 3, 7, 8, 9 and 6 ("10 80.0% 0.42/秒 60秒 0.85").
HistoryRecord play(const QString &fields) {
    const QStringList f = fields.split(u' ');
    HistoryRecord r;
    r.date = QStringLiteral("2026/12/06");
    r.time = QStringLiteral("10:00:00");
    r.answers = f.value(0);
    r.rate = f.value(1);
    r.perSecond = f.value(2);
    r.seconds = f.value(3);
    r.reaction = f.value(4);
    return r;
}

} // namespace

void TestPersonalBest::newBest_data() {
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<QString>("finished");
    QTest::addColumn<bool>("timeLimitMode");
    QTest::addColumn<bool>("best");
    QTest::newRow("first play of its limit")
        << QStringList{"25 80.0% 0.42/秒 30秒"} << "25 80.0% 0.42/秒 60秒" << true << false;
    QTest::newRow("higher than every play of its limit")
        << QStringList{"25 80.0% 0.40/秒 60秒", "30 50.0% 0.50/秒 60秒", "20 100.0% 0.90/秒 30秒"}
        << "25 80.0% 0.42/秒 60秒" << true << true;
    QTest::newRow("equal to the best is no best")
        << QStringList{"25 80.0% 0.40/秒 60秒", "25 80.0% 0.42/秒 60秒"} << "25 80.0% 0.42/秒 60秒" << true << false;
    QTest::newRow("equal score from other figures")
        << QStringList{"25 80.0% 0.50/秒 60秒"} << "24 100.0% 0.40/秒 60秒" << true << false;
    QTest::newRow("fast but wrong earns nothing")
        << QStringList{"25 80.0% 0.20/秒 60秒"} << "90 0.0% 1.50/秒 60秒" << true << false;
    QTest::newRow("earlier plays without a correct answer score 0")
        << QStringList{"10 0.0% 0.33/秒 30.2秒", "10 0.0% 0.90/秒 11.1秒"} << "10 10.0% 0.05/秒 25.3秒" << false
        << true;
    QTest::newRow("count mode: time-limit plays of as many answers do not count")
        << QStringList{"10 100.0% 0.90/秒 60秒", "10 100.0% 0.30/秒 33.4秒"} << "10 100.0% 0.45/秒 22.2秒" << false
        << true;
    QTest::newRow("count mode: other counts do not count")
        << QStringList{"5 100.0% 0.80/秒 6.3秒"} << "10 100.0% 0.45/秒 22.2秒" << false << false;
    QTest::newRow("count mode: a play of exactly 10 seconds is still a count play")
        << QStringList{"10 100.0% 0.81/秒 12.3秒"} << "10 100.0% 1.00/秒 10.0秒" << false << true;
    QTest::newRow("plays ended early are compared with nothing")
        << QStringList{"18 100.0% 3.96/秒 9.10秒", "18 100.0% 1.00/秒 36.0秒"} << "18 100.0% 2.00/秒 18.0秒" << false
        << true;
    QTest::newRow("a play ended early is no best")
        << QStringList{"18 100.0% 1.00/秒 36.0秒"} << "18 100.0% 3.96/秒 9.10秒" << false << false;
    QTest::newRow("count mode: beaten by an earlier play")
        << QStringList{"27 100.0% 2.10/秒 25.7秒", "27 96.3% 2.00/秒 27秒"} << "27 100.0% 2.05/秒 26.3秒" << false
        << false;
}

void TestPersonalBest::newBest() {
    QFETCH(QStringList, earlier);
    QFETCH(QString, finished);
    QFETCH(bool, timeLimitMode);
    QFETCH(bool, best);
    QList<HistoryRecord> records;
    for (const QString &e : earlier)
        records.append(play(e));
    QCOMPARE(playKind(play(finished)) == PlayKind::TimeLimit, timeLimitMode);
    QCOMPARE(isPersonalBest(records, play(finished)), best);
}

void TestPersonalBest::changes_data() {
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<QString>("finished");
    QTest::addColumn<QString>("shown"); // rate, per second, reaction: text and B(etter), S(ame), W(orse); - none
    QTest::newRow("against the last play of its limit, not the first or the best")
        << QStringList{"25 90.0% 0.90/秒 60秒 0.50", "25 83.0% 0.30/秒 60秒 0.90", "20 100.0% 2.00/秒 30秒 0.40"}
        << "25 80.0% 0.42/秒 60秒 0.85"
        << "−3.0%W +0.12B −0.05B";
    QTest::newRow("unchanged, and a slower reaction is worse")
        << QStringList{"10 80.0% 0.42/秒 23.4秒 0.61"} << "10 80.0% 0.42/秒 22.1秒 0.70"
        << "±0.0%S ±0.00S +0.09W";
    QTest::newRow("a play without a right answer has no reaction")
        << QStringList{"10 100.0% 0.42/秒 60秒 0.61"} << "10 0.0% 0.05/秒 60秒 0"
        << "−100.0%W −0.37W -";
    QTest::newRow("no earlier play of its limit")
        << QStringList{"10 80.0% 0.42/秒 30秒 0.5", "9 80.0% 1.00/秒 12.0秒 0.5"} << "10 80.0% 0.42/秒 12.0秒 0.5"
        << "- - -";
    QTest::newRow("a play ended early is compared with nothing")
        << QStringList{"18 100.0% 3.96/秒 9.10秒 36"} << "18 100.0% 4.00/秒 9.00秒 36"
        << "- - -";
}

void TestPersonalBest::changes() {
    QFETCH(QStringList, earlier);
    QFETCH(QString, finished);
    QFETCH(QString, shown);
    QList<HistoryRecord> records;
    for (const QString &e : earlier)
        records.append(play(e));
    const auto text = [](const FigureChange &c) {
        static const char *letters[] = {"", "B", "S", "W"};
        return c.change == Change::None ? QStringLiteral("-") : c.text + QLatin1String(letters[int(c.change)]);
    };
    const PlayChanges c = changesSinceLastPlay(records, play(finished), true);
    QCOMPARE(QStringList({text(c.rate), text(c.perSecond), text(c.reaction)}).join(u' '), shown);
    // 座標 keeps typed characters where the others keep the reaction: not compared.
    QCOMPARE(changesSinceLastPlay(records, play(finished), false).reaction, FigureChange{});
}

QTEST_GUILESS_MAIN(TestPersonalBest)
#include "tst_personal_best.moc"
