#include "core/views/sort_view.h"

#include <QTest>

#include <algorithm>

using namespace mirute;

namespace {

PlayRecord play(const QString &date, const QString &time, const QString &game, float seconds, const QString &diary) {
    PlayRecord r;
    r.date = date;
    r.time = time;
    r.game = game;
    r.seconds = seconds;
    r.diary = diary;
    return r;
}

// Five plays in file order; two have equal seconds, and the numbers run past 9 so that a text sort of the
// numbers would misplace them.
QList<PlayRecord> sample() {
    return {play("2024/05/01", "09:00:00", "座標", 60, "秒数 : 60   答数 : 25  反応時間  0.85秒"),
            play("2024/05/01", "10:00:00", "抜かな", 9.5f, "よくできた"),
            play("2024/05/02", "08:00:00", "ランプ", 120, "秒数 : 120   答数 : 40  反応時間  1.2秒"),
            play("2024/05/03", "21:00:00", "抜数字", 60, "Abc"),
            play("2024/05/04", "07:00:00", "抜かな", 180.28f, "abc")};
}

QStringList column(const Grid &g, int col) {
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out.append(g.textMatrix(r, col));
    return out;
}

void filled(Grid &g, const QList<PlayRecord> &records) {
    resetSortGrid(g);
    fillSortGrid(g, records);
}

} // namespace

class TestSortView : public QObject {
    Q_OBJECT
private slots:
    void init() { resetSortDirectionFlags(); }
    void cleanupTestCase() { resetSortDirectionFlags(); }
    void headerAndRows();
    void buttons();
    void secondsShortestThenLongest();
    void numberAfterGameRestoresFileOrder();
    void rowsMoveWhole();
    void diariesByCharacterCode();
    void flagsBelongToEachButtonAndOutliveRefill();
    void emptyGridOnlyTurnsFlags();
};

void TestSortView::headerAndRows() {
    Grid g;
    filled(g, sample());
    QCOMPARE(g.rowTexts(0), (QStringList{"回", "日付", "時間", "項目", "秒数", "一言日記"}));
    const QList<int> widths = {680, 1400, 1100, 2150, 850, 4880};
    const QList<int> aligns = {Grid::Right, Grid::Center, Grid::Center, Grid::Left, Grid::Right, Grid::Left};
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(g.colWidth(c), widths[c]);
        QCOMPARE(g.colAlignment(c), aligns[c]);
        QCOMPARE(g.fixedAlignment(c), int(Grid::Center));
    }
    QCOMPARE(g.fontSize(), 11);
    QCOMPARE(g.rows(), 6);
    QCOMPARE(g.rowTexts(2), (QStringList{"2", "2024/05/01", "10:00:00", "抜かな", "9.5", "よくできた"}));
    QCOMPARE(g.textMatrix(5, 4), QStringLiteral("180.28"));
    // A second fill starts again from the header.
    filled(g, sample().mid(0, 2));
    QCOMPARE(column(g, 0), (QStringList{"1", "2"}));
}

void TestSortView::buttons() {
    QCOMPARE(sortButtons()[0].caption, QStringLiteral("回 （日付）"));
    QCOMPARE(sortButtons()[1].caption, QStringLiteral("項目"));
    QCOMPARE(sortButtons()[2].caption, QStringLiteral("秒数"));
    QCOMPARE(sortButtons()[3].caption, QStringLiteral("一言日記"));
    QCOMPARE(sortButtons()[0].color, (Rgb{255, 192, 192}));
    QCOMPARE(sortButtons()[1].color, (Rgb{255, 224, 192}));
    QCOMPARE(sortButtons()[2].color, (Rgb{255, 255, 192}));
    QCOMPARE(sortButtons()[3].color, (Rgb{192, 255, 192}));
}

void TestSortView::secondsShortestThenLongest() {
    Grid g;
    filled(g, sample());
    pressSortButton(g, 2);
    QCOMPARE(column(g, 4), (QStringList{"9.5", "60", "60", "120", "180.28"}));
    QCOMPARE(g.col(), 4);
    pressSortButton(g, 2);
    QCOMPARE(column(g, 4), (QStringList{"180.28", "120", "60", "60", "9.5"}));
}

void TestSortView::numberAfterGameRestoresFileOrder() {
    QList<PlayRecord> records;
    for (int i = 0; i < 12; ++i)
        records.append(play("2024/05/01", QStringLiteral("09:%1:00").arg(i, 2, 10, QLatin1Char('0')),
                            i % 2 ? "抜かな" : "座標", float(i), QString()));
    Grid g;
    filled(g, records);
    QStringList fileOrder = column(g, 0);
    pressSortButton(g, 1);
    QVERIFY(column(g, 0) != fileOrder);
    pressSortButton(g, 0);
    QCOMPARE(column(g, 0), fileOrder);
    QCOMPARE(g.textMatrix(12, 2), QStringLiteral("09:11:00"));
    pressSortButton(g, 0);
    std::reverse(fileOrder.begin(), fileOrder.end());
    QCOMPARE(column(g, 0), fileOrder);
    QCOMPARE(g.textMatrix(1, 0), QStringLiteral("12"));
}

void TestSortView::rowsMoveWhole() {
    Grid g;
    filled(g, sample());
    pressSortButton(g, 2);
    // The two plays of 60 seconds stand next to each other, each row whole, in file order.
    QCOMPARE(g.rowTexts(2),
             (QStringList{"1", "2024/05/01", "09:00:00", "座標", "60", "秒数 : 60   答数 : 25  反応時間  0.85秒"}));
    QCOMPARE(g.rowTexts(3), (QStringList{"4", "2024/05/03", "21:00:00", "抜数字", "60", "Abc"}));
    QCOMPARE(g.rowTexts(0).first(), QStringLiteral("回"));
}

void TestSortView::diariesByCharacterCode() {
    Grid g;
    filled(g, sample());
    pressSortButton(g, 3);
    QCOMPARE(column(g, 5).mid(0, 2), (QStringList{"Abc", "abc"}));
    QCOMPARE(column(g, 0), (QStringList{"4", "5", "2", "3", "1"}));
    // The games' default diaries begin alike and stand together.
    QVERIFY(column(g, 5)[3].startsWith(QStringLiteral("秒数 : ")));
    QVERIFY(column(g, 5)[4].startsWith(QStringLiteral("秒数 : ")));
    pressSortButton(g, 1);
    QCOMPARE(column(g, 3), (QStringList{"ランプ", "座標", "抜かな", "抜かな", "抜数字"}));
}

void TestSortView::flagsBelongToEachButtonAndOutliveRefill() {
    Grid g;
    filled(g, sample());
    pressSortButton(g, 2);
    QCOMPARE(sortDirectionFlags(), (std::array<bool, 4>{false, false, true, false}));
    pressSortButton(g, 1);
    QCOMPARE(sortDirectionFlags(), (std::array<bool, 4>{false, true, true, false}));
    // Reopening refills in file order but keeps the directions: the next "秒数" sorts descending.
    Grid reopened;
    filled(reopened, sample());
    pressSortButton(reopened, 2);
    QCOMPARE(column(reopened, 4).first(), QStringLiteral("180.28"));
    QCOMPARE(sortDirectionFlags(), (std::array<bool, 4>{false, true, false, false}));
}

void TestSortView::emptyGridOnlyTurnsFlags() {
    Grid g;
    filled(g, {});
    pressSortButton(g, 3);
    QCOMPARE(g.rows(), 1);
    QCOMPARE(g.textMatrix(0, 5), QStringLiteral("一言日記"));
    QCOMPARE(sortDirectionFlags()[3], true);
    pressSortButton(g, 7); // no such button
    QCOMPARE(sortDirectionFlags(), (std::array<bool, 4>{false, false, false, true}));
}

QTEST_GUILESS_MAIN(TestSortView)
#include "tst_sort_view.moc"
