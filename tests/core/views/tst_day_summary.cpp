#include "core/base/number_format.h"
#include "core/log/game_names.h"
#include "core/views/day_summary.h"
#include "core/views/day_view.h"

#include <QElapsedTimer>
#include <QTest>

using namespace mirute;

Q_DECLARE_METATYPE(mirute::Rgb)
Q_DECLARE_METATYPE(mirute::DayFace)

namespace {

const QDate kToday(2026, 12, 6);
const QString kTodayText = QStringLiteral("2026/12/06");

PlayRecord play(const QString &date, const QString &time, const QString &game, float seconds) {
    return {date, time, game, seconds, QString()};
}

PlayLogData logOf(const QList<PlayRecord> &records) {
    PlayLogData log;
    log.exists = true;
    log.records = records;
    return log;
}

// n plays today, of the first `kinds` games in turn.
PlayLogData playsToday(int n, int kinds, float seconds = 60) {
    QList<PlayRecord> records;
    for (int i = 0; i < n; ++i)
        records.append(play(kTodayText, QStringLiteral("10:%1:00").arg(i % 60, 2, 10, QChar('0')),
                            gameNames()[i % kinds], seconds));
    return logOf(records);
}

QStringList column(const Grid &g, int col) {
    QStringList texts;
    for (int r = 1; r < g.rows(); ++r)
        texts.append(g.textMatrix(r, col));
    return texts;
}

} // namespace

class TestDaySummary : public QObject {
    Q_OBJECT
private slots:
    void gridFormat();
    void twoGamesThreePlays();
    void rating_data();
    void rating();
    void labelLength_data();
    void labelLength();
    void roundedTotals_data();
    void roundedTotals();
    void perHour_data();
    void perHour();
    void axisCoversEveryBar();
    void longDay();
    void emptyLog();
    void dayWithoutPlays();
    void scrollToLastRow_data();
    void scrollToLastRow();
    void viewSurvivesRefresh();
    void unknownGameListedButNotTotalled();
    void fullDayFillsQuickly();
};

void TestDaySummary::gridFormat() {
    DayView view;
    view.show(playsToday(3, 2), kToday);
    view.resetDayGrids();
    const Grid &list = view.dayList();
    const Grid &totals = view.dayTotal();
    QCOMPARE(list.rows(), 1);
    QCOMPARE(totals.rows(), 1);
    QCOMPARE(list.rowTexts(0), (QStringList{"", "時間", "項目", "秒"}));
    QCOMPARE(totals.rowTexts(0), (QStringList{"", "項目", "回", "秒合計"}));
    const QList<int> listWidths{500, 1040, 2400, 810}, totalWidths{350, 1840, 500, 750};
    const QList<int> listAlign{Grid::Right, Grid::Center, Grid::Left, Grid::Right};
    const QList<int> totalAlign{Grid::Right, Grid::Left, Grid::Right, Grid::Right};
    for (int c = 0; c < 4; ++c) {
        QCOMPARE(list.colWidth(c), listWidths[c]);
        QCOMPARE(totals.colWidth(c), totalWidths[c]);
        QCOMPARE(list.colAlignment(c), listAlign[c]);
        QCOMPARE(totals.colAlignment(c), totalAlign[c]);
        QCOMPARE(list.fixedAlignment(c), int(Grid::Center));
        QCOMPARE(totals.fixedAlignment(c), int(Grid::Center));
    }
    QCOMPARE(list.fontSize(), 11);
    QCOMPARE(totals.fontSize(), 10);
}

void TestDaySummary::twoGamesThreePlays() {
    const PlayLogData log =
        logOf({play("2026/12/05", "20:00:00", "座標", 30), play(kTodayText, "08:15:00", "抜かな", 60),
               play(kTodayText, "09:30:10", "抜数字", 180.28f), play(kTodayText, "21:02:03", "抜かな", 45),
               play("2026/12/07", "07:00:00", "宝探し", 10)});
    DayView view;
    const DaySummary &s = view.show(log, kToday);
    QCOMPARE(view.dayList().rows(), 4);
    QCOMPARE(column(view.dayList(), 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(column(view.dayList(), 1), (QStringList{"08:15:00", "09:30:10", "21:02:03"}));
    QCOMPARE(column(view.dayList(), 2), (QStringList{"抜かな", "抜数字", "抜かな"}));
    QCOMPARE(column(view.dayList(), 3), (QStringList{"60", "180.28", "45"}));
    QCOMPARE(view.dayTotal().rows(), 3);
    QCOMPARE(view.dayTotal().rowTexts(1), (QStringList{"1", "抜かな", "2", "105"}));
    QCOMPARE(view.dayTotal().rowTexts(2), (QStringList{"2", "抜数字", "1", "180"}));
    QCOMPARE(s.dayTotalText(), QStringLiteral("0:04:45"));
    QCOMPARE(s.rating.face, DayFace::Smiling);
    QCOMPARE(s.rating.lamps[0], kLampColors[0]);
    QCOMPARE(s.rating.lamps[1], kLampColors[1]);
    QCOMPARE(s.rating.lamps[2], kWhite);
    QCOMPARE(s.rating.captionBack, (Rgb{255, 224, 192}));
    QCOMPARE(s.rating.caption, QStringLiteral("2 種類の脳刺激"));
    QCOMPARE(s.firstPlayDate, QStringLiteral("2026/12/05"));
    QCOMPARE(s.lastPlayDate, QStringLiteral("2026/12/07"));
    // The time line charts the list as it stands, the axis from 0 to the longest play.
    QCOMPARE(view.chart().rowCount(), 3);
    QCOMPARE(view.chart().rowLabel(2), QStringLiteral("抜数"));
    QCOMPARE(view.chart().value(2), 180.28);
    QCOMPARE(view.chart().axisRange()->second, double(180.28f));
}

void TestDaySummary::rating_data() {
    QTest::addColumn<int>("kinds");
    QTest::addColumn<DayFace>("face");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Rgb>("back");
    QTest::newRow("one") << 1 << DayFace::Sulky << "1 種類の脳刺激" << Rgb{255, 192, 192};
    QTest::newRow("two") << 2 << DayFace::Smiling << "2 種類の脳刺激" << Rgb{255, 224, 192};
    QTest::newRow("three") << 3 << DayFace::Laughing << "3 種類の脳刺激" << Rgb{255, 255, 192};
    QTest::newRow("four") << 4 << DayFace::Laughing << "4 種類の脳刺激" << Rgb{192, 255, 192};
    QTest::newRow("five") << 5 << DayFace::Laughing << "5 種類の脳刺激" << Rgb{192, 255, 255};
    QTest::newRow("six") << 6 << DayFace::Laughing << "6 種類の脳刺激" << Rgb{192, 192, 255};
    QTest::newRow("seven") << 7 << DayFace::Laughing << "7 種類の脳刺激" << Rgb{255, 192, 255};
}

void TestDaySummary::rating() {
    QFETCH(int, kinds);
    QFETCH(DayFace, face);
    QFETCH(QString, caption);
    QFETCH(Rgb, back);
    // Each game played twice: the rating counts kinds, not plays.
    const DaySummary s = computeDay(playsToday(2 * kinds, kinds), kToday);
    QCOMPARE(s.gamesPlayed(), kinds);
    QCOMPARE(s.rating.kinds, kinds);
    QCOMPARE(s.rating.face, face);
    QCOMPARE(s.rating.caption, caption);
    QCOMPARE(s.rating.captionBack, back);
    for (int i = 0; i < kLampCount; ++i)
        QCOMPARE(s.rating.lamps[i], i < kinds ? kLampColors[i] : kWhite);
}

void TestDaySummary::labelLength_data() {
    QTest::addColumn<int>("plays");
    QTest::addColumn<QString>("label");
    QTest::newRow("16 plays keep two characters") << 16 << "順番";
    QTest::newRow("17 plays shrink to one") << 17 << "順";
}

void TestDaySummary::labelLength() {
    QFETCH(int, plays);
    QFETCH(QString, label);
    QList<PlayRecord> records;
    for (int i = 0; i < plays; ++i)
        records.append(play(kTodayText, "12:00:00", "順番クリック", 30));
    DayView view;
    view.show(logOf(records), kToday);
    QCOMPARE(view.chart().rowCount(), plays);
    for (int i = 1; i <= plays; ++i)
        QCOMPARE(view.chart().rowLabel(i), label);
    // The per-game view always keeps two characters.
    view.drawChart(DayChartView::PerGame);
    QCOMPARE(view.chart().rowLabel(1), QStringLiteral("順番"));
}

void TestDaySummary::roundedTotals_data() {
    QTest::addColumn<QList<float>>("seconds");
    QTest::addColumn<QString>("total");
    QTest::newRow("10.5 + 11.5") << QList<float>{10.5f, 11.5f} << "22";
    QTest::newRow("half rounds to even, down") << QList<float>{10.5f} << "10";
    QTest::newRow("half rounds to even, up") << QList<float>{11.5f} << "12";
    QTest::newRow("each addition rounded") << QList<float>{0.5f, 0.5f, 0.5f} << "0";
    QTest::newRow("fractions") << QList<float>{180.28f, 12.7f} << "193";
}

void TestDaySummary::roundedTotals() {
    QFETCH(QList<float>, seconds);
    QFETCH(QString, total);
    QList<PlayRecord> records;
    for (float s : seconds)
        records.append(play(kTodayText, "12:00:00", "ランプ", s));
    DayView view;
    const DaySummary &s = view.show(logOf(records), kToday);
    QCOMPARE(view.dayTotal().textMatrix(1, 3), total);
    QCOMPARE(QString::number(s.dayTotal), total);
    // Hour sums round the same way.
    view.drawChart(DayChartView::PerHour);
    QCOMPARE(QString::number(view.chart().value(13)), total);
}

void TestDaySummary::perHour_data() {
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("point"); // 0: not charted
    QTest::newRow("09:59:59 counts for 9") << "09:59:59" << 10;
    QTest::newRow("midnight") << "00:00:00" << 1;
    QTest::newRow("last hour") << "23:59:59" << 24;
    QTest::newRow("unpadded hour") << "7:05:00" << 8;
    QTest::newRow("hour 24 is summed but not charted") << "24:00:01" << 0;
}

void TestDaySummary::perHour() {
    QFETCH(QString, time);
    QFETCH(int, point);
    DayView view;
    const DaySummary &s =
        view.show(logOf({play(kTodayText, time, "座標", 42), play(kTodayText, "15:00:00", "座標", 5)}), kToday);
    view.drawChart(DayChartView::PerHour);
    QCOMPARE(view.chart().rowCount(), 24);
    for (int h = 0; h < 24; ++h)
        QCOMPARE(view.chart().rowLabel(h + 1), QStringLiteral(" %1").arg(h));
    QCOMPARE(view.chart().rowLabel(10), QStringLiteral(" 9"));
    QCOMPARE(view.chart().value(16), 5.0);
    double charted = 0;
    for (int r = 1; r <= 24; ++r)
        charted += view.chart().value(r);
    QCOMPARE(charted, point ? 47.0 : 5.0);
    if (point)
        QCOMPARE(view.chart().value(point), 42.0);
    else
        QCOMPARE(s.hourSeconds[24], qint64(42));
}

void TestDaySummary::axisCoversEveryBar() {
    DayView view;
    view.show(logOf({play(kTodayText, "10:00:00", "宝探し", 60), play(kTodayText, "10:05:00", "宝探し", 60)}), kToday);
    view.drawChart(DayChartView::PerGame);
    QCOMPARE(view.chart().rowCount(), 1);
    QCOMPARE(view.chart().rowLabel(1), QStringLiteral("宝探"));
    QCOMPARE(view.chart().value(1), 120.0);
    // The time line's axis ends at the longest single play; the sums of the other two views are never cut.
    QCOMPARE(*view.chart().axisRange(), std::make_pair(0.0, 120.0));
    view.drawChart(DayChartView::PerHour);
    QCOMPARE(*view.chart().axisRange(), std::make_pair(0.0, 120.0));
    QCOMPARE(view.chart().title(), QStringLiteral("時刻別の合計時間　") + kTodayText);
    QCOMPARE(view.chart().valueKind(), ChartValueKind::Duration);
    view.drawChart(DayChartView::TimeLine);
    QCOMPARE(*view.chart().axisRange(), std::make_pair(0.0, 60.0));
}

void TestDaySummary::longDay() {
    // 300 plays of 180 s: 54,000 s in one day, past what a 16-bit total holds.
    QList<PlayRecord> records;
    for (int i = 0; i < 300; ++i)
        records.append(play(kTodayText, "11:00:00", i % 2 ? "抜仲間" : "抜かな", 180));
    DayView view;
    const DaySummary &s = view.show(logOf(records), kToday);
    QCOMPARE(s.dayTotal, qint64(54000));
    QCOMPARE(s.dayTotalText(), QStringLiteral("15:00:00"));
    QCOMPARE(view.dayTotal().textMatrix(1, 3), QStringLiteral("27000"));
    QCOMPARE(view.dayTotal().textMatrix(2, 3), QStringLiteral("27000"));
    view.drawChart(DayChartView::PerHour);
    QCOMPARE(view.chart().value(12), 54000.0);
}

void TestDaySummary::emptyLog() {
    DayView view;
    view.show(playsToday(4, 3), kToday);
    view.drawChart(DayChartView::PerHour);
    const DaySummary &s = view.show(logOf({}), kToday);
    QVERIFY(s.emptyLog);
    QVERIFY(s.firstPlayDate.isEmpty());
    QVERIFY(s.lastPlayDate.isEmpty());
    QCOMPARE(view.dayList().rows(), 1);
    QCOMPARE(view.dayTotal().rows(), 1);
    QCOMPARE(view.chart().rowCount(), 1);
    QCOMPARE(view.chart().value(1), 0.0);
    QCOMPARE(view.chart().rowLabel(1), QString());
    QCOMPARE(s.rating.face, DayFace::None);
    QCOMPARE(s.rating.caption, QStringLiteral("今日の脳も健康元気"));
    QCOMPARE(s.rating.captionBack, kWhite);
    for (const Rgb &lamp : s.rating.lamps)
        QCOMPARE(lamp, kWhite);
    QCOMPARE(s.dayTotalText(), QStringLiteral("0:00:00"));
}

void TestDaySummary::dayWithoutPlays() {
    DayView view;
    const DaySummary &s = view.show(
        logOf({play("2026/12/01", "10:00:00", "抜かな", 60), play("2026/11/30", "10:00:00", "抜数字", 60)}), kToday);
    QVERIFY(!s.emptyLog);
    // Saved out of order: the log's ends are still its earliest and latest dates, which "全部" starts from.
    QCOMPARE(s.firstPlayDate, QStringLiteral("2026/11/30"));
    QCOMPARE(s.lastPlayDate, QStringLiteral("2026/12/01"));
    QCOMPARE(view.dayList().rows(), 1);
    QCOMPARE(view.dayTotal().rows(), 1);
    QCOMPARE(s.dayTotalText(), QStringLiteral("0:00:00"));
    QCOMPARE(s.rating.face, DayFace::None);
    QCOMPARE(s.rating.caption, QStringLiteral("今日の脳も健康元気"));
    QCOMPARE(view.chart().rowCount(), 1);
    QCOMPARE(view.chart().rowLabel(1), QString());
    view.drawChart(DayChartView::PerGame);
    QCOMPARE(view.chart().rowCount(), 1);
    QCOMPARE(view.chart().value(1), 0.0);
}

void TestDaySummary::scrollToLastRow_data() {
    QTest::addColumn<int>("plays");
    QTest::addColumn<int>("topRow");
    QTest::newRow("9 plays fit") << 9 << 1;
    QTest::newRow("10 plays scroll") << 10 << 10;
    QTest::newRow("40 plays scroll") << 40 << 40;
}

void TestDaySummary::scrollToLastRow() {
    QFETCH(int, plays);
    QFETCH(int, topRow);
    DayView view;
    view.show(playsToday(plays, 1), kToday);
    QCOMPARE(view.dayList().rows(), plays + 1);
    QCOMPARE(view.dayList().topRow(), topRow);
}

void TestDaySummary::viewSurvivesRefresh() {
    DayView view;
    view.show(playsToday(5, 2), kToday);
    QCOMPARE(view.chartView(), DayChartView::TimeLine);
    QCOMPARE(view.chart().rowCount(), 5);
    view.drawChart(DayChartView::PerHour);
    view.show(playsToday(6, 3), kToday);
    QCOMPARE(view.chartView(), DayChartView::PerHour);
    QCOMPARE(view.chart().rowCount(), 24);
    QCOMPARE(view.chart().value(11), 360.0);
    view.drawChart(DayChartView::PerGame);
    view.show(playsToday(6, 3), kToday);
    QCOMPARE(view.chart().rowCount(), 3);
}

void TestDaySummary::unknownGameListedButNotTotalled() {
    DayView view;
    const DaySummary &s = view.show(
        logOf({play(kTodayText, "10:00:00", "しりとり", 30), play(kTodayText, "10:01:00", "座標", 20)}), kToday);
    QCOMPARE(view.dayList().rows(), 3);
    QCOMPARE(view.dayTotal().rows(), 2);
    QCOMPARE(view.dayTotal().textMatrix(1, 1), QStringLiteral("座標"));
    QCOMPARE(s.dayTotal, qint64(20));
    QCOMPARE(s.rating.kinds, 1);
    QCOMPARE(s.largest, 30.0f);
}

void TestDaySummary::fullDayFillsQuickly() {
    // The most plays the log holds, all on one day: one pass and one batched fill per grid.
    const int plays = 32766;
    const PlayLogData log = playsToday(plays, kGameCount, 12.5f);
    DayView view;
    int resets = 0;
    connect(&view.dayList(), &Grid::reset, this, [&resets] { ++resets; });
    QElapsedTimer timer;
    timer.start();
    const DaySummary &s = view.show(log, kToday);
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(view.dayList().rows(), plays + 1);
    QCOMPARE(view.dayList().textMatrix(plays, 0), QString::number(plays));
    QCOMPARE(view.dayTotal().rows(), kGameCount + 1);
    // Every total stays even, so each 12.5 rounds down to even: 12 per play.
    QCOMPARE(s.dayTotal, qint64(12) * plays);
    QVERIFY2(resets <= 2, qPrintable(QString::number(resets)));
    QVERIFY2(elapsed < 1000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
}

QTEST_GUILESS_MAIN(TestDaySummary)
#include "tst_day_summary.moc"
