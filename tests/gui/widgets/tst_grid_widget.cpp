#include "core/base/clock_texts.h"
#include "gui/widgets/grid_model.h"
#include "gui/widgets/grid_widget.h"
#include "support/fake_clock.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

using namespace mirute;

namespace {

constexpr int kMaxRows = 32766;

void fillRows(Grid &g, int rows) {
    GridBatch batch(g);
    g.setCols(4);
    g.setRows(rows + 1);
    g.setTextMatrix(0, 0, QStringLiteral("回"));
    g.setTextMatrix(0, 1, QStringLiteral("日付"));
    g.setTextMatrix(0, 2, QStringLiteral("ゲーム"));
    g.setTextMatrix(0, 3, QStringLiteral("秒数"));
    for (int r = 1; r <= rows; ++r) {
        g.setTextMatrix(r, 0, QString::number(r));
        g.setTextMatrix(r, 1, QStringLiteral("2024/01/01"));
        g.setTextMatrix(r, 2, QStringLiteral("抜かな"));
        g.setTextMatrix(r, 3, QString::number(r % 180));
    }
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int firstVisibleRow(const GridWidget &w) {
    return w.indexAt(QPoint(2, 2)).row() + 1;
}

} // namespace

class TestGridWidget : public QObject {
    Q_OBJECT
private slots:
    void maximumRowsScrollAndClick();
    void topRowInsideBatchAndWhileHidden();
    void headerRowIsTheHorizontalHeader();
    void formatFollowsGrid();
    void columnsWidenToTheirTexts();
    void scrolledToTheEndTopRowWhole();
    void coloursShown();
    void singleCellChangeDoesNotReset();
    void viewSafeWhileBatchShrinksGrid();
    void removeAndSortShown();
    void keyboardMovesAndChooses();
    void saveCsvBytes();
    void saveCsvFailureReported_data();
    void saveCsvFailureReported();
    void contextMenuSavesCsv();
    void showsGridOwnedElsewhere();
    void cellTextIsPlainTextInTooltips_data();
    void cellTextIsPlainTextInTooltips();
};

void TestGridWidget::maximumRowsScrollAndClick() {
    GridWidget w;
    w.resize(500, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QElapsedTimer timer;
    timer.start();
    fillRows(w.grid(), kMaxRows);
    QApplication::processEvents();
    qDebug() << "filled and laid out" << kMaxRows << "rows in" << timer.elapsed() << "ms";
    QCOMPARE(w.model()->rowCount(), kMaxRows);
    QCOMPARE(w.model()->columnCount(), 4);

    w.grid().setTopRow(20000);
    QCOMPARE(firstVisibleRow(w), 20000);
    w.grid().setTopRow(kMaxRows); // as far as the scroll bar goes: the last row is shown
    QVERIFY(w.indexAt(QPoint(2, w.viewport()->height() - 3)).row() + 1 == kMaxRows ||
            !w.indexAt(QPoint(2, w.viewport()->height() - 3)).isValid());
    w.grid().setTopRow(20000);

    QSignalSpy clicked(&w, &GridWidget::clicked);
    const QRect cell = w.visualRect(w.model()->index(20004, 2));
    QVERIFY(w.viewport()->rect().contains(cell.center()));
    QTest::mouseClick(w.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0), (QVariantList{20005, 2}));
    QCOMPARE(w.grid().row(), 20005);
    QCOMPARE(w.grid().col(), 2);
    QCOMPARE(w.grid().text(), QStringLiteral("抜かな"));
    QCOMPARE(firstVisibleRow(w), 20000); // the click did not scroll
}

void TestGridWidget::topRowInsideBatchAndWhileHidden() {
    GridWidget w;
    w.resize(400, 200);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    {
        GridBatch batch(w.grid());
        fillRows(w.grid(), 500);
        w.grid().setTopRow(300);
    }
    QCOMPARE(firstVisibleRow(w), 300);

    w.hide();
    fillRows(w.grid(), 1000);
    w.grid().setTopRow(700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(firstVisibleRow(w), 700);
}

void TestGridWidget::headerRowIsTheHorizontalHeader() {
    GridWidget w;
    w.resize(400, 200);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fillRows(w.grid(), 3);
    QVERIFY(w.horizontalHeader()->isVisible());
    QVERIFY(!w.verticalHeader()->isVisible());
    QCOMPARE(w.horizontalHeader()->count(), 4);
    QCOMPARE(w.model()->rowCount(), 3); // the header row is not a data row
    QCOMPARE(w.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("ゲーム"));
    QCOMPARE(w.model()->index(0, 0).data().toString(), QStringLiteral("1"));
    const auto headerAlign = [&](int col) {
        return w.model()->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    QCOMPARE(headerAlign(1), Qt::AlignHCenter | Qt::AlignVCenter);
    w.grid().setFixedAlignment(1, Grid::Right);
    QCOMPARE(headerAlign(1), Qt::AlignRight | Qt::AlignVCenter);
    QSignalSpy headerChanged(w.model(), &QAbstractItemModel::headerDataChanged);
    w.grid().setTextMatrix(0, 3, QStringLiteral("答数"));
    QCOMPARE(headerChanged.count(), 1);
    QCOMPARE(w.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("答数"));
}

void TestGridWidget::formatFollowsGrid() {
    GridWidget w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Grid &g = w.grid();
    fillRows(g, 5);
    const QList<int> widths{350, 1210, 1840, 2400};
    {
        GridBatch batch(g);
        for (int c = 0; c < 4; ++c)
            g.setColWidth(c, widths[c]);
        g.setColAlignment(0, Grid::Right);
        g.setColAlignment(2, Grid::Center);
        g.setFontSize(24);
        g.setRowHeight(580);
    }
    const int dpi = w.logicalDpiX();
    // Column 3 has room for its numbers even at 24 points; the others widen to their texts.
    QCOMPARE(w.columnWidth(3), qRound(widths[3] * dpi / 1440.0));
    for (int c = 0; c < 3; ++c)
        QVERIFY(w.columnWidth(c) >= qRound(widths[c] * dpi / 1440.0));
    QCOMPARE(GridWidget::twipsToPixels(1440, &w), dpi);
    QCOMPARE(w.rowHeight(0), qRound(580 * dpi / 1440.0));
    QCOMPARE(w.rowHeight(4), w.rowHeight(0));
    QCOMPARE(w.font().pointSize(), 24);
    QCOMPARE(w.font().family(), QApplication::font().family());
    const auto align = [&](int col) {
        return w.model()->index(1, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    QCOMPARE(align(0), Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(align(1), Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(align(2), Qt::AlignHCenter | Qt::AlignVCenter);
    // A grid that gains columns gives them widths too.
    g.setCols(6);
    QCOMPARE(w.columnWidth(5), GridWidget::twipsToPixels(g.colWidth(5), &w));
}

// A text wider than its column's design width (a long log's totals, 順番クリック) widens the column rather
// than being cut to "…"; a column whose texts fit keeps the design's width.
void TestGridWidget::columnsWidenToTheirTexts() {
    GridWidget w;
    w.resize(600, 200);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Grid &g = w.grid();
    {
        GridBatch batch(g);
        g.setCols(3);
        g.setRows(3);
        for (int c = 0; c < 3; ++c)
            g.setColWidth(c, 600);
        g.setTextMatrix(0, 0, QStringLiteral("小計"));
        g.setTextMatrix(1, 0, QStringLiteral("1:32:43 (1234)"));
        g.setTextMatrix(2, 0, QStringLiteral("0:00:05 (1)"));
        g.setTextMatrix(1, 1, QStringLiteral("順番クリック"));
        g.setTextMatrix(1, 2, QStringLiteral("12"));
    }
    const int design = GridWidget::twipsToPixels(600, &w);
    const auto fits = [&](int row, int col) {
        // What the delegate leaves for the text: the column less the grid line and a margin on either side.
        const int margin = w.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &w) + 1;
        return w.fontMetrics().horizontalAdvance(g.textMatrix(row, col)) <= w.columnWidth(col) - 1 - 2 * margin;
    };
    QVERIFY(fits(1, 0));
    QVERIFY(fits(1, 1));
    QCOMPARE(w.columnWidth(2), design);
    // One cell written later widens its column too.
    g.setTextMatrix(2, 2, QStringLiteral("105:10:05"));
    QVERIFY(fits(2, 2));
    QVERIFY(w.columnWidth(2) > design);
    // Rows that repeat the row above's own text, or hold times of the log's table, are passed over unread;
    // a text of another shape after them is still measured.
    {
        GridBatch batch(g);
        g.setRows(7);
        const QString day = QStringLiteral("2026/12/08");
        for (int r = 1; r <= 5; ++r) {
            g.setTextMatrix(r, 1, day);
            g.setTextMatrix(r, 2, sharedClockText(QByteArray("12:00:0") + char('0' + r)));
        }
        g.setTextMatrix(6, 1, QStringLiteral("2026/12/08 とても長い一言日記の行"));
        g.setTextMatrix(6, 2, QStringLiteral("12:00:00 から 13:00:00 まで"));
    }
    QVERIFY(fits(6, 1));
    QVERIFY(fits(6, 2));
}

// Scrolled as far as it goes, the grid shows its first visible row whole under the header (not half hidden
// behind it) and its last row whole too.
void TestGridWidget::scrolledToTheEndTopRowWhole() {
    GridWidget w;
    w.resize(400, 207); // no whole number of rows fits
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fillRows(w.grid(), 500);
    w.grid().setTopRow(500);
    QApplication::processEvents();
    const int top = w.indexAt(QPoint(2, 0)).row();
    QVERIFY(top > 0);
    QCOMPARE(w.visualRect(w.model()->index(top, 0)).top(), 0);
    QVERIFY(w.visualRect(w.model()->index(499, 0)).bottom() < w.viewport()->height());
    // The same after the grid is made taller.
    w.resize(400, 251);
    QApplication::processEvents();
    QCOMPARE(w.visualRect(w.model()->index(w.indexAt(QPoint(2, 0)).row(), 0)).top(), 0);
    QVERIFY(w.visualRect(w.model()->index(499, 0)).bottom() < w.viewport()->height());
}

void TestGridWidget::coloursShown() {
    GridWidget w;
    Grid &g = w.grid();
    fillRows(g, 3);
    g.setRow(2);
    g.setCol(1);
    g.setCellBackColor({255, 192, 192});
    g.setCellForeColor({255, 0, 0});
    g.setCol(2);
    g.setCellBackColor(kButtonFace);
    g.setBackColor({0, 255, 0});
    const auto role = [&](int row, int col, int r) { return w.model()->index(row - 1, col).data(r).value<QColor>(); };
    QCOMPARE(role(2, 1, Qt::BackgroundRole), QColor(255, 192, 192));
    QCOMPARE(role(2, 1, Qt::ForegroundRole), QColor(255, 0, 0));
    QCOMPARE(role(2, 2, Qt::BackgroundRole), QApplication::palette().color(QPalette::Button));
    QCOMPARE(role(3, 1, Qt::BackgroundRole), QColor(0, 255, 0));
    QCOMPARE(role(3, 1, Qt::ForegroundRole), QColor(0, 0, 0));
    QCOMPARE(w.palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(!w.model()->headerData(1, Qt::Horizontal, Qt::BackgroundRole).isValid());
}

void TestGridWidget::singleCellChangeDoesNotReset() {
    GridWidget w;
    fillRows(w.grid(), 10);
    QSignalSpy reset(w.model(), &QAbstractItemModel::modelReset);
    QSignalSpy changed(w.model(), &QAbstractItemModel::dataChanged);
    w.grid().setTextMatrix(4, 3, QStringLiteral("99"));
    QCOMPARE(reset.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), w.model()->index(3, 3));
    QCOMPARE(w.model()->index(3, 3).data().toString(), QStringLiteral("99"));
    w.grid().setRows(4);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(w.model()->rowCount(), 3);
}

void TestGridWidget::viewSafeWhileBatchShrinksGrid() {
    GridWidget w;
    w.resize(400, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fillRows(w.grid(), 50);
    w.grid().beginBatch();
    w.grid().setRows(2);
    w.grid().setCols(1);
    // A pause that yields to the event loop in the middle of a fill repaints the old shape.
    QVERIFY(!w.grab().isNull());
    QVERIFY(!w.model()->index(30, 3).data().isValid());
    w.grid().endBatch();
    QCOMPARE(w.model()->rowCount(), 1);
    QCOMPARE(w.horizontalHeader()->count(), 1);
}

void TestGridWidget::removeAndSortShown() {
    GridWidget w;
    fillRows(w.grid(), 4); // seconds 1, 2, 3, 4
    w.grid().removeItem(2);
    QCOMPARE(w.model()->rowCount(), 3);
    w.grid().setCol(3);
    w.grid().sort(Grid::NumericDescending);
    QStringList shown;
    for (int r = 0; r < w.model()->rowCount(); ++r)
        shown << w.model()->index(r, 0).data().toString();
    QCOMPARE(shown, (QStringList{"4", "3", "1"}));
}

void TestGridWidget::keyboardMovesAndChooses() {
    GridWidget w;
    w.resize(400, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fillRows(w.grid(), 10);
    QSignalSpy clicked(&w, &GridWidget::clicked);
    QTest::mouseClick(w.viewport(), Qt::LeftButton, {}, w.visualRect(w.model()->index(2, 1)).center());
    QCOMPARE(w.grid().row(), 3);
    w.setFocus();
    QTest::keyClick(&w, Qt::Key_Down);
    QTest::keyClick(&w, Qt::Key_Down);
    QCOMPARE(w.grid().row(), 5);
    QTest::keyClick(&w, Qt::Key_Up);
    QCOMPARE(w.grid().row(), 4);
    QCOMPARE(clicked.count(), 1);
    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(1), (QVariantList{4, 1}));
    QTest::keyClick(&w, Qt::Key_Down);
    QTest::keyClick(&w, Qt::Key_Space);
    QCOMPARE(clicked.count(), 3);
    QCOMPARE(clicked.at(2), (QVariantList{5, 1}));
    QCOMPARE(w.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(w.selectionModel()->selectedRows().at(0).row(), 4);

    // Moving the current row from code shows it selected.
    w.grid().setRow(8);
    QCOMPARE(w.currentIndex().row(), 7);
}

void TestGridWidget::saveCsvBytes() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    GridWidget w;
    Grid &g = w.grid();
    g.setCols(3);
    g.setRows(1);
    g.setTextMatrix(0, 0, QStringLiteral("回"));
    g.setTextMatrix(0, 1, QStringLiteral("一言日記"));
    g.setTextMatrix(0, 2, QStringLiteral("秒数"));
    g.appendRow({"1", QStringLiteral("秒数 : 60, OK 12"), QStringLiteral("60")});
    g.appendRow({"2", QStringLiteral("\"速い\"\n次も"), QString()});
    const QString path = dir.filePath(QStringLiteral("一覧.csv"));
    QCOMPARE(w.saveCsv(path), QString());
    const QByteArray expected = QByteArray("\xEF\xBB\xBF") + QStringLiteral("回,一言日記,秒数\r\n"
                                                                            "1,\"秒数 : 60, OK 12\",60\r\n"
                                                                            "2,\"\"\"速い\"\"\n次も\",\r\n")
                                                                 .toUtf8();
    QCOMPARE(readAll(path), expected);
    // A second save replaces the file whole.
    g.setRows(1);
    QCOMPARE(w.saveCsv(path), QString());
    QCOMPARE(readAll(path), QByteArray("\xEF\xBB\xBF") + QStringLiteral("回,一言日記,秒数\r\n").toUtf8());
}

void TestGridWidget::saveCsvFailureReported_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << QStringLiteral("無い/一覧.csv");
    QTest::newRow("a folder") << QStringLiteral("folder");
    QTest::newRow("no name") << QString();
}

void TestGridWidget::saveCsvFailureReported() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    GridWidget w;
    fillRows(w.grid(), 2);
    const QString path = name.isEmpty() ? QString() : dir.filePath(name);
    const QString error = w.saveCsv(path);
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo(path).isFile());
}

void TestGridWidget::contextMenuSavesCsv() {
    QTemporaryDir dir;
    GridWidget w;
    w.resize(400, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fillRows(w.grid(), 2);
    w.setFileTitle(QStringLiteral("全グラフ_日別推移 （回数）"));
    test::FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    setAppClock(&clock);
    const QString path = dir.filePath(QStringLiteral("保存.csv"));
    bool menuSeen = false, dialogSeen = false;
    QStringList proposed, folders; // as each dialog opened

    // The file dialog opens from the menu's action; answer it as a user would, by typing a name.
    const auto answerDialog = [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return false;
        dialogSeen = true;
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!name)
            return dialog->reject(), true;
        proposed << name->text();
        folders << dialog->directory().absolutePath();
        if (proposed.size() > 1)
            return dialog->reject(), true;
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
        return true;
    };
    QTimer dialogPoll;
    dialogPoll.setInterval(10);
    connect(&dialogPoll, &QTimer::timeout, this, [&] {
        if (answerDialog())
            dialogPoll.stop();
    });
    QTimer::singleShot(0, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction *save = menu->findChild<QAction *>(QStringLiteral("mnuCsv"));
        if (!save) {
            menu->close();
            return;
        }
        menuSeen = save->text() == QStringLiteral("CSV保存…");
        dialogPoll.start();
        menu->setActiveAction(save);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint at = w.visualRect(w.model()->index(0, 0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.viewport(), &event);
    dialogPoll.stop();
    QVERIFY(menuSeen);
    QVERIFY(dialogSeen);
    QVERIFY(readAll(path).startsWith(QByteArray("\xEF\xBB\xBF") + QStringLiteral("回,日付").toUtf8()));
    // The name says what is saved and when; the next save starts in the folder chosen.
    dialogPoll.start();
    w.saveCsvWithDialog();
    setAppClock(nullptr);
    QCOMPARE(proposed.value(0), QStringLiteral("全グラフ_日別推移（回数）_2026-12-09.csv"));
    QCOMPARE(folders.value(1), QDir(dir.path()).absolutePath());
}

void TestGridWidget::showsGridOwnedElsewhere() {
    auto *grid = new Grid;
    fillRows(*grid, 5);
    GridWidget w(grid);
    w.resize(400, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(&w.grid(), grid);
    QCOMPARE(w.model()->rowCount(), 5);
    fillRows(*grid, 8);
    QCOMPARE(w.model()->rowCount(), 8);
    QSignalSpy clicked(&w, &GridWidget::clicked);
    QTest::mouseClick(w.viewport(), Qt::LeftButton, {}, w.visualRect(w.model()->index(6, 0)).center());
    QCOMPARE(grid->row(), 7);
    QCOMPARE(clicked.count(), 1);
    // The logic that owned the grid is gone first: the view stays usable, empty.
    delete grid;
    QCOMPARE(w.model()->rowCount(), 0);
    QVERIFY(!w.grab().isNull());
    fillRows(w.grid(), 2);
    QCOMPARE(w.model()->rowCount(), 2);
    QTest::mouseClick(w.viewport(), Qt::LeftButton, {}, w.visualRect(w.model()->index(1, 0)).center());
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(w.grid().row(), 2);
}

void TestGridWidget::cellTextIsPlainTextInTooltips_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("visible"); // between the isolates U+2068 … U+2069
    QTest::newRow("picture tag") << QStringLiteral("<img src=/some/file>") << QStringLiteral("<img src=/some/file>");
    QTest::newRow("markup and entities") << QStringLiteral("<b>太字</b> &amp; 1 < 2")
                                         << QStringLiteral("<b>太字</b> &amp; 1 < 2");
    QTest::newRow("runs of blanks") << QStringLiteral("秒数 : 60   答数 : 25  反応時間  0.85秒")
                                    << QStringLiteral("秒数 : 60   答数 : 25  反応時間  0.85秒");
    QTest::newRow("direction controls") << QStringLiteral("\u202Eabc\u2069d") << QStringLiteral("abcd");
    QTest::newRow("control characters") << QStringLiteral("\x1B[2J\x7F\u0085") << QStringLiteral("␛[2J␡\uFFFD");
}

// A diary or any other text of a file, hovered in a list, shows as it stands: no picture is loaded, no
// markup applied.
void TestGridWidget::cellTextIsPlainTextInTooltips() {
    QFETCH(QString, text);
    QFETCH(QString, visible);
    GridWidget w;
    fillRows(w.grid(), 2);
    w.grid().setTextMatrix(1, 1, text);
    w.resize(400, 300);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QModelIndex cell = w.model()->index(0, 1);
    QCOMPARE(w.model()->data(cell, Qt::DisplayRole).toString(), text);

    const QPoint at = w.visualRect(cell).center();
    QHelpEvent hover(QEvent::ToolTip, at, w.viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.viewport(), &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    // What the tooltip shows, read as the tooltip reads it.
    const QString shown = QToolTip::text();
    QTextDocument document;
    if (Qt::mightBeRichText(shown))
        document.setHtml(shown);
    else
        document.setPlainText(shown);
    QCOMPARE(document.toPlainText(), QStringLiteral("\u2068%1\u2069").arg(visible));
    QToolTip::hideText();
}

QTEST_MAIN(TestGridWidget)
#include "tst_grid_widget.moc"
