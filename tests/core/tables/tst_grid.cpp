#include "core/tables/grid.h"
#include "core/tables/grid_csv.h"
#include "core/tables/numeric_text.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <numeric>
#include <random>

using namespace mirute;

namespace {

// A grid whose column 0 numbers the rows in their original order and column 1 holds the keys.
void fillKeys(Grid &g, const QStringList &keys) {
    GridBatch batch(g);
    g.setCols(2);
    g.setRows(1);
    g.setTextMatrix(0, 0, QStringLiteral("回"));
    g.setTextMatrix(0, 1, QStringLiteral("値"));
    for (int i = 0; i < keys.size(); ++i)
        g.appendRow({QString::number(i + 1), keys[i]});
}

QStringList column(const Grid &g, int col) {
    QStringList texts;
    for (int r = 1; r < g.rows(); ++r)
        texts << g.textMatrix(r, col);
    return texts;
}

} // namespace

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void sort_data();
    void sort();
    void textSortMatchesCodePointOrderOnRandomTexts();
    void sortKeepsHeaderAndColours();
    void sortIgnoresUnknownModeAndColumn_data();
    void sortIgnoresUnknownModeAndColumn();
    void resizingKeepsTexts();
    void removeItem_data();
    void removeItem();
    void outOfRangeIsHarmless();
    void currentCellFollowsShrinking();
    void coloursResolve();
    void clearEmptiesTextsOnly();
    void appendRowTakesCellsFromColumnZero();
    void batchEmitsOneReset();
    void singleChangesEmitCellChanged();
    void topRowWaitsForBatch();
    void csvField_data();
    void csvField();
    void csvBytesAreUtf8WithBomAndCrLf();
    void fillOfMaximumRows();
};

void TestGrid::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("rate per second") << QStringLiteral("0.42/秒") << 0.42;
    QTest::newRow("seconds") << QStringLiteral("60秒") << 60.0;
    QTest::newRow("decimal zero") << QStringLiteral("80.0") << 80.0;
    QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("no leading zero") << QStringLiteral(".85") << 0.85;
    QTest::newRow("trailing point") << QStringLiteral("5.秒") << 5.0;
    QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("negative") << QStringLiteral("-3.5") << -3.5;
    QTest::newRow("plus") << QStringLiteral("+7") << 7.0;
    QTest::newRow("leading blanks") << QStringLiteral("  12 ") << 12.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("date") << QStringLiteral("2024/03/05") << 2024.0;
    QTest::newRow("percent") << QStringLiteral("95.5%") << 95.5;
    QTest::newRow("number later") << QStringLiteral("秒60") << 0.0;
}

void TestGrid::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(mirute::leadingNumber(text), value);
}

void TestGrid::sort_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("order"); // column 0 after the sort: the original row numbers

    QTest::newRow("numbers ascending, not as text")
        << QStringList{"10", "9", "100", "9.5", "abc", "-1"} << 3 << QStringList{"6", "5", "2", "4", "1", "3"};
    QTest::newRow("numbers descending") << QStringList{"10", "9", "100", "9.5", "abc", "-1"} << 4
                                        << QStringList{"3", "1", "4", "2", "5", "6"};
    QTest::newRow("numbers with units") << QStringList{"60秒", "120秒", "9秒"} << 3 << QStringList{"3", "1", "2"};
    QTest::newRow("rates") << QStringList{"0.42/秒", "1.05/秒", "0.9/秒"} << 4 << QStringList{"2", "3", "1"};
    QTest::newRow("equal numbers keep their order ascending")
        << QStringList{"5", "3", "5", "3", "5.0"} << 3 << QStringList{"2", "4", "1", "3", "5"};
    QTest::newRow("equal numbers keep their order descending")
        << QStringList{"5", "3", "5", "3", "5.0"} << 4 << QStringList{"1", "3", "5", "2", "4"};
    // Ties among more than 16 rows: shorter runs are sorted by insertion, which keeps ties in order anyway.
    QStringList ties, tiesOrder;
    for (int i = 1; i <= 40; ++i)
        ties << QString::number(i % 2);
    for (int i = 2; i <= 40; i += 2)
        tiesOrder << QString::number(i);
    for (int i = 1; i < 40; i += 2)
        tiesOrder << QString::number(i);
    QTest::newRow("forty rows of two equal numbers keep their order") << ties << 3 << tiesOrder;
    QTest::newRow("text ascending by character code, case-sensitive")
        << QStringList{"b", "B", "a", "あ", "A"} << 7 << QStringList{"5", "2", "3", "1", "4"};
    QTest::newRow("text descending") << QStringList{"b", "B", "a", "あ", "A"} << 8
                                     << QStringList{"4", "1", "3", "2", "5"};
    QTest::newRow("digits as text") << QStringList{"9", "10", "100"} << 7 << QStringList{"2", "3", "1"};
    QTest::newRow("prefix first") << QStringList{"秒数 : 60", "秒数", "一言"} << 7 << QStringList{"3", "2", "1"};
    // U+FF61 (a half-width katakana mark) is below U+2000B, although its UTF-16 unit is above the surrogates.
    QTest::newRow("characters beyond U+FFFF")
        << QStringList{QStringLiteral("\U0002000B"), QStringLiteral("｡"), QStringLiteral("亜")} << 7
        << QStringList{"3", "2", "1"};
    QTest::newRow("equal texts keep their order descending")
        << QStringList{"抜かな", "座標", "抜かな", "座標"} << 8 << QStringList{"1", "3", "2", "4"};
    QTest::newRow("equal texts keep their order ascending")
        << QStringList{"抜かな", "座標", "抜かな", "座標"} << 7 << QStringList{"2", "4", "1", "3"};
    QTest::newRow("one row") << QStringList{"x"} << 7 << QStringList{"1"};
}

void TestGrid::sort() {
    QFETCH(QStringList, keys);
    QFETCH(int, mode);
    QFETCH(QStringList, order);
    Grid g;
    fillKeys(g, keys);
    g.setCol(1);
    g.sort(Grid::SortMode(mode));
    QCOMPARE(column(g, 0), order);
    QCOMPARE(g.rows(), keys.size() + 1);
    // The key column moved with its rows.
    for (int r = 1; r < g.rows(); ++r)
        QCOMPARE(g.textMatrix(r, 1), keys[g.textMatrix(r, 0).toInt() - 1]);
}

// The text sort ranks distinct texts by their first units packed together; checked against a plain stable
// sort of the texts as code points, over texts that share long prefixes, repeat, hold NUL, are empty, or
// mix characters on both sides of the surrogates.
void TestGrid::textSortMatchesCodePointOrderOnRandomTexts() {
    const QList<QString> pieces = {QStringLiteral("今日"), QStringLiteral("は"),     QStringLiteral("a"),
                                   QStringLiteral("A"),    QString(QChar(0)),        QStringLiteral("\U0002000B"),
                                   QStringLiteral("｡"),    QStringLiteral("\uFFFD"), QStringLiteral("\uD7FF")};
    std::mt19937 random(20261208);
    QStringList keys;
    for (int i = 0; i < 3000; ++i) {
        QString text;
        for (int k = int(random() % 7); k > 0; --k)
            text += pieces[qsizetype(random() % pieces.size())];
        // Half share a long beginning, as the lines the games write do.
        keys << (random() % 2 ? QStringLiteral("秒数 : ") + text : text);
    }
    for (const Grid::SortMode mode : {Grid::TextAscending, Grid::TextDescending}) {
        std::vector<int> expected(keys.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            const QList<uint> x = keys[a].toUcs4(), y = keys[b].toUcs4();
            return mode == Grid::TextAscending ? x < y : y < x;
        });
        QStringList order;
        for (int i : expected)
            order << QString::number(i + 1);
        Grid g;
        fillKeys(g, keys);
        g.setCol(1);
        g.sort(mode);
        QCOMPARE(column(g, 0), order);
    }
}

void TestGrid::sortKeepsHeaderAndColours() {
    Grid g;
    fillKeys(g, {"3", "1", "2"});
    g.setRow(1); // the row keyed "3"
    g.setCol(1);
    g.setCellBackColor({255, 0, 0});
    QSignalSpy reset(&g, &Grid::reset);
    g.sort(Grid::NumericAscending);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(g.rowTexts(0), (QStringList{"回", "値"}));
    QCOMPARE(column(g, 1), (QStringList{"1", "2", "3"}));
    QCOMPARE(g.cellBackColor(3, 1), (Rgb{255, 0, 0}));
    QVERIFY(!g.hasCellBackColor(1, 1));
}

void TestGrid::sortIgnoresUnknownModeAndColumn_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("col");
    QTest::newRow("mode 0") << 0 << 1;
    QTest::newRow("mode 1") << 1 << 1;
    QTest::newRow("mode 5") << 5 << 1;
    QTest::newRow("mode 9") << 9 << 1;
    QTest::newRow("column beyond") << 3 << 2;
    QTest::newRow("negative column") << 3 << -1;
}

void TestGrid::sortIgnoresUnknownModeAndColumn() {
    QFETCH(int, mode);
    QFETCH(int, col);
    Grid g;
    fillKeys(g, {"3", "1", "2"});
    g.setCol(col);
    g.sort(Grid::SortMode(mode));
    QCOMPARE(column(g, 1), (QStringList{"3", "1", "2"}));
}

void TestGrid::resizingKeepsTexts() {
    Grid g;
    g.setCols(3);
    g.setRows(3);
    g.setTextMatrix(1, 1, "a");
    g.setTextMatrix(2, 2, "b");
    g.setRows(5);
    g.setCols(4);
    QCOMPARE(g.textMatrix(1, 1), QStringLiteral("a"));
    QCOMPARE(g.textMatrix(2, 2), QStringLiteral("b"));
    QCOMPARE(g.textMatrix(4, 3), QString());
    QCOMPARE(g.rowTexts(4).size(), 4);
    g.setCols(2);
    QCOMPARE(g.rowTexts(2), (QStringList{"", ""}));
    QCOMPARE(g.textMatrix(1, 1), QStringLiteral("a"));
    g.setRows(0); // the header row stays
    QCOMPARE(g.rows(), 1);
    g.setRows(3);
    QCOMPARE(g.textMatrix(1, 1), QString()); // a shrunk row comes back empty
}

void TestGrid::removeItem_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("middle") << 2 << QStringList{"a", "c"};
    QTest::newRow("first") << 1 << QStringList{"b", "c"};
    QTest::newRow("last") << 3 << QStringList{"a", "b"};
    QTest::newRow("header") << 0 << QStringList{"a", "b", "c"};
    QTest::newRow("beyond") << 4 << QStringList{"a", "b", "c"};
    QTest::newRow("negative") << -1 << QStringList{"a", "b", "c"};
}

void TestGrid::removeItem() {
    QFETCH(int, row);
    QFETCH(QStringList, left);
    Grid g;
    fillKeys(g, {"a", "b", "c"});
    g.removeItem(row);
    QCOMPARE(column(g, 1), left);
    QCOMPARE(g.rows(), left.size() + 1);
    QCOMPARE(g.textMatrix(0, 1), QStringLiteral("値"));
}

void TestGrid::outOfRangeIsHarmless() {
    Grid g;
    fillKeys(g, {"a", "b"});
    const QList<QStringList> before = g.allRows();
    QCOMPARE(g.textMatrix(-1, 0), QString());
    QCOMPARE(g.textMatrix(3, 0), QString());
    QCOMPARE(g.textMatrix(0, 2), QString());
    QCOMPARE(g.rowTexts(7), QStringList());
    g.setTextMatrix(3, 0, "x");
    g.setTextMatrix(0, -1, "x");
    g.setRow(9);
    g.setCol(1);
    g.setText("x");
    g.setCellBackColor({1, 2, 3});
    QCOMPARE(g.text(), QString());
    QCOMPARE(g.allRows(), before);
    QCOMPARE(g.cellBackColor(9, 1), g.backColor());
    QCOMPARE(g.colWidth(5), 0);
    g.setColWidth(5, 100);
    g.setColAlignment(-1, Grid::Right);
    g.setTopRow(50);
    QCOMPARE(g.topRow(), 1);
    // The current cell becomes usable once the grid has grown to it.
    g.setRows(10);
    g.setText("x");
    QCOMPARE(g.textMatrix(9, 1), QStringLiteral("x"));
}

void TestGrid::currentCellFollowsShrinking() {
    Grid g;
    g.setCols(3);
    g.setRows(6);
    g.setRow(5);
    g.setCol(2);
    g.removeItem(5);
    QCOMPARE(g.row(), 4);
    g.setCols(2);
    QCOMPARE(g.col(), 1);
    g.setRows(1);
    QCOMPARE(g.row(), 0);
}

void TestGrid::coloursResolve() {
    Grid g;
    g.setCols(2);
    g.setRows(3);
    QCOMPARE(g.cellBackColor(1, 0), kWhite);
    QCOMPARE(g.cellForeColor(1, 0), (Rgb{0, 0, 0}));
    g.setRow(2);
    g.setCol(1);
    g.setCellBackColor({255, 192, 192});
    g.setCellForeColor({255, 0, 0});
    g.setRow(1);
    g.setCellBackColor(kButtonFace);
    g.setBackColor({192, 255, 192});
    QCOMPARE(g.cellBackColor(2, 1), (Rgb{255, 192, 192}));
    QCOMPARE(g.cellForeColor(2, 1), (Rgb{255, 0, 0}));
    QCOMPARE(g.cellBackColor(1, 1), kButtonFace);
    QCOMPARE(g.cellBackColor(2, 0), (Rgb{192, 255, 192})); // no colour of its own: the grid's
    QCOMPARE(g.cellForeColor(2, 0), (Rgb{0, 0, 0}));
    QVERIFY(g.hasCellForeColor(2, 1));
    QVERIFY(!g.hasCellForeColor(1, 1));
}

void TestGrid::clearEmptiesTextsOnly() {
    Grid g;
    fillKeys(g, {"a", "b"});
    g.setRow(1);
    g.setCol(0);
    g.setCellBackColor({0, 0, 255});
    g.clear();
    QCOMPARE(g.rows(), 3);
    QCOMPARE(g.cols(), 2);
    for (const QStringList &row : g.allRows())
        QCOMPARE(row, (QStringList{"", ""}));
    QCOMPARE(g.cellBackColor(1, 0), (Rgb{0, 0, 255}));
}

void TestGrid::appendRowTakesCellsFromColumnZero() {
    Grid g;
    g.setCols(3);
    g.appendRow({"1", "2"});
    g.appendRow({"a", "b", "c", "dropped"});
    QCOMPARE(g.rows(), 3);
    QCOMPARE(g.rowTexts(1), (QStringList{"1", "2", ""}));
    QCOMPARE(g.rowTexts(2), (QStringList{"a", "b", "c"}));
}

void TestGrid::batchEmitsOneReset() {
    Grid g;
    QSignalSpy reset(&g, &Grid::reset);
    QSignalSpy cell(&g, &Grid::cellChanged);
    QSignalSpy format(&g, &Grid::formatChanged);
    {
        GridBatch outer(g);
        g.setCols(3);
        g.setRows(50);
        {
            GridBatch inner(g);
            for (int r = 1; r < 50; ++r)
                g.setTextMatrix(r, 0, QString::number(r));
            g.setColWidth(0, 500);
            g.setFontSize(11);
        }
        QCOMPARE(reset.count(), 0); // the inner batch does not end the outer one
        g.setRow(3);
        g.setCellBackColor({1, 1, 1});
    }
    QCOMPARE(reset.count(), 1);
    QCOMPARE(cell.count(), 0);
    QCOMPARE(format.count(), 1);
    QCOMPARE(g.textMatrix(49, 0), QStringLiteral("49"));
    // An empty batch says nothing.
    { GridBatch idle(g); }
    QCOMPARE(reset.count(), 1);
}

void TestGrid::singleChangesEmitCellChanged() {
    Grid g;
    g.setCols(3);
    g.setRows(4);
    QSignalSpy reset(&g, &Grid::reset);
    QSignalSpy cell(&g, &Grid::cellChanged);
    g.setTextMatrix(2, 1, "x");
    g.setTextMatrix(2, 1, "x"); // unchanged: nothing to redraw
    g.setRow(3);
    g.setCol(2);
    g.setCellForeColor({255, 0, 0});
    QCOMPARE(reset.count(), 0);
    QCOMPARE(cell.count(), 2);
    QCOMPARE(cell.at(0), (QVariantList{2, 1}));
    QCOMPARE(cell.at(1), (QVariantList{3, 2}));
    g.setRows(5);
    QCOMPARE(reset.count(), 1);
}

void TestGrid::topRowWaitsForBatch() {
    Grid g;
    QStringList order;
    connect(&g, &Grid::reset, this, [&] { order << "reset"; });
    connect(&g, &Grid::topRowRequested, this, [&](int row) { order << QString::number(row); });
    g.beginBatch();
    g.setRows(100);
    g.setTopRow(80);
    QVERIFY(order.isEmpty());
    g.endBatch();
    QCOMPARE(order, (QStringList{"reset", "80"}));
    QCOMPARE(g.topRow(), 80);
    g.setTopRow(0); // the header is never a top data row
    g.setTopRow(100);
    QCOMPARE(g.topRow(), 80);
    QCOMPARE(order.size(), 2);
}

void TestGrid::csvField_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << QStringLiteral("抜かな") << QStringLiteral("抜かな");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("comma") << QStringLiteral("1,2") << QStringLiteral("\"1,2\"");
    QTest::newRow("quote") << QStringLiteral("say \"hi\"") << QStringLiteral("\"say \"\"hi\"\"\"");
    QTest::newRow("line feed") << QStringLiteral("a\nb") << QStringLiteral("\"a\nb\"");
    QTest::newRow("carriage return") << QStringLiteral("a\rb") << QStringLiteral("\"a\rb\"");
    QTest::newRow("blank kept") << QStringLiteral(" 60 ") << QStringLiteral(" 60 ");
    // A spreadsheet runs these as formulas: they are written as text; numbers stay numbers.
    QTest::newRow("formula") << QStringLiteral("=HYPERLINK(\"x\")") << QStringLiteral("\"'=HYPERLINK(\"\"x\"\")\"");
    QTest::newRow("plus") << QStringLiteral("+1+1") << QStringLiteral("'+1+1");
    QTest::newRow("minus") << QStringLiteral("-2+3") << QStringLiteral("'-2+3");
    QTest::newRow("at") << QStringLiteral("@SUM(A1)") << QStringLiteral("'@SUM(A1)");
    QTest::newRow("tab") << QStringLiteral("\t=1") << QStringLiteral("'\t=1");
    QTest::newRow("carriage return first") << QStringLiteral("\r=1") << QStringLiteral("\"'\r=1\"");
    QTest::newRow("negative number") << QStringLiteral("-3") << QStringLiteral("-3");
    QTest::newRow("signed decimal") << QStringLiteral("+0.5") << QStringLiteral("+0.5");
}

void TestGrid::csvField() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(mirute::csvField(text), field);
}

void TestGrid::csvBytesAreUtf8WithBomAndCrLf() {
    const QByteArray bytes = csvBytes({{"回", "日記"}, {"1", "秒数 : 60,OK"}, {"", ""}});
    const QByteArray expected = "\xEF\xBB\xBF"
                                "\xE5\x9B\x9E,\xE6\x97\xA5\xE8\xA8\x98\r\n"
                                "1,\"\xE7\xA7\x92\xE6\x95\xB0 : 60,OK\"\r\n"
                                ",\r\n";
    QCOMPARE(bytes, expected);
}

void TestGrid::fillOfMaximumRows() {
    constexpr int kRows = 32766;
    Grid g;
    QSignalSpy reset(&g, &Grid::reset);
    QElapsedTimer timer;
    timer.start();
    {
        GridBatch batch(g);
        g.setCols(6);
        g.setRows(kRows + 1);
        for (int r = 1; r <= kRows; ++r) {
            g.setRow(r);
            for (int c = 0; c < 6; ++c)
                g.setTextMatrix(r, c, QString::number(r * 10 + c));
            g.setCol(5);
            g.setCellBackColor({255, 255, 192});
        }
    }
    qDebug() << "filled" << kRows << "rows of 6 cells in" << timer.elapsed() << "ms";
    QCOMPARE(reset.count(), 1);
    QCOMPARE(g.rows(), kRows + 1);
    QCOMPARE(g.textMatrix(kRows, 5), QString::number(kRows * 10 + 5));
    timer.restart();
    g.setCol(0);
    g.sort(Grid::NumericDescending);
    qDebug() << "sorted" << kRows << "rows in" << timer.elapsed() << "ms";
    QCOMPARE(g.textMatrix(1, 0), QString::number(kRows * 10));
    QCOMPARE(g.textMatrix(kRows, 0), QStringLiteral("10"));
}

QTEST_GUILESS_MAIN(TestGrid)
#include "tst_grid.moc"
