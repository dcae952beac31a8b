#include "gui/widgets/grid_widget.h"

#include "core/base/clock_texts.h"
#include "core/tables/grid_csv.h"
#include "gui/widgets/grid_model.h"
#include "gui/widgets/save_file_dialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kCsvDialogName = QStringLiteral("dlgCsv");
const QString kGridMenuName = QStringLiteral("mnuGrid");
const QString kSaveCsvActionName = QStringLiteral("mnuCsv");

const QString kCsvCaption = QStringLiteral("CSV保存…");
const SavedFileKind kCsvFile{QStringLiteral("CSV保存"), kCsvDialogName, QStringLiteral("CSV (*.csv)"),
                             QStringLiteral("csv")};

} // namespace

GridWidget::GridWidget(QWidget *parent) : GridWidget(nullptr, parent) {}

GridWidget::GridWidget(Grid *grid, QWidget *parent) : QTableView(parent), m_grid(nullptr), m_model(nullptr) {
    setUpRowHeader(verticalHeader());
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Narrow columns (350 twips for a mark) must keep their width even under a large font.
    horizontalHeader()->setMinimumSectionSize(1);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    connect(this, &QAbstractItemView::clicked, this, &GridWidget::reportClick);

    showGrid(grid ? grid : new Grid(this));
}

void GridWidget::setUpRowHeader(QHeaderView *header) {
    // Column 0 holds the running numbers, so no row header of its own.
    header->hide();
    // One height for every row keeps 32,766 rows cheap to lay out and scroll.
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
}

void GridWidget::releaseRows() {
    m_grid->releaseRows();
    // The row header keeps the room it took for a whole log's rows (half a megabyte at 32,766) when they are
    // gone; a fresh one holds room for the one row left.
    auto *header = new QHeaderView(Qt::Vertical, this);
    setUpRowHeader(header);
    header->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    setVerticalHeader(header);
}

void GridWidget::showGrid(Grid *grid) {
    m_grid = grid;
    GridModel *oldModel = m_model;
    QItemSelectionModel *oldSelection = selectionModel();
    m_model = new GridModel(*m_grid, this);
    setModel(m_model);
    delete oldSelection;
    delete oldModel;

    connect(m_grid, &Grid::reset, this, &GridWidget::afterReset);
    connect(m_grid, &Grid::cellChanged, this, &GridWidget::widenColumnToText);
    connect(m_grid, &Grid::formatChanged, this, &GridWidget::applyFormat);
    connect(m_grid, &Grid::topRowRequested, this, &GridWidget::scrollToTopRow);
    connect(m_grid, &Grid::currentCellChanged, this, &GridWidget::showCurrentCell);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { viewCurrentChanged(current); });
    if (m_grid->parent() != this) {
        connect(m_grid, &QObject::destroyed, this, [this] { showGrid(new Grid(this)); });
    }
    applyFormat();
    showCurrentCell();
}

int GridWidget::twipsToPixels(int twips, const QWidget *w) {
    qreal dpi = 96.0;
    if (w)
        dpi = w->logicalDpiX();
    else if (const QScreen *screen = QApplication::primaryScreen())
        dpi = screen->logicalDotsPerInchX();
    return qRound(twips * dpi / 1440.0);
}

QString GridWidget::saveCsv(const QString &path) const {
    return saveGridCsv(*m_grid, path);
}

void GridWidget::saveCsvWithDialog() {
    const QString title = !m_fileTitle.isEmpty()        ? m_fileTitle
                          : !accessibleName().isEmpty() ? accessibleName()
                                                        : QStringLiteral("一覧");
    saveWithDialog(this, kCsvFile, title, [this](const QString &path) { return saveCsv(path); });
}

void GridWidget::contextMenuEvent(QContextMenuEvent *e) {
    QMenu menu(this);
    menu.setObjectName(kGridMenuName);
    QAction *save = menu.addAction(kCsvCaption);
    save->setObjectName(kSaveCsvActionName);
    connect(save, &QAction::triggered, this, &GridWidget::saveCsvWithDialog);
    menu.exec(e->globalPos());
    e->accept();
}

// Reached by the keyboard (Tab, or a panel handing it the focus), a list starts on a row the user sees:
// Up and Space then act on the row they look at, not on one far off-screen.
void GridWidget::focusInEvent(QFocusEvent *e) {
    QTableView::focusInEvent(e);
    // Not when the window only comes back to the front or a menu closes: the user did not move to the list.
    const Qt::FocusReason reason = e->reason();
    if (m_rowsChosen && reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::PopupFocusReason)
        startOnVisibleRow();
}

// The current row if it is in view; otherwise the newest (last) row of a list scrolled to its end, or the
// first row in view. It is highlighted, so that the row Space will choose is never a guess.
void GridWidget::startOnVisibleRow() {
    const int rows = m_model->rowCount();
    if (rows == 0 || m_model->columnCount() == 0)
        return;
    executeDelayedItemsLayout();
    const QRect area = viewport()->rect();
    int first = std::max(0, rowAt(area.top()));
    if (rowViewportPosition(first) < area.top() && first + 1 < rows)
        ++first;
    int last = rowAt(area.bottom());
    if (last < 0)
        last = rows - 1;
    if (rowViewportPosition(last) + rowHeight(last) > area.bottom() + 1 && last > first)
        --last;
    const QModelIndex current = currentIndex();
    int row = current.isValid() ? current.row() : -1;
    if (row < first || row > last) {
        const QScrollBar *bar = verticalScrollBar();
        row = bar->maximum() > 0 && bar->value() == bar->maximum() ? last : first;
    }
    const int col = current.isValid() ? current.column() : 0;
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(m_model->index(row, col),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    setAutoScroll(scrolls);
}

// The current row stays highlighted: a Ctrl+click on it does not take the highlight away.
QItemSelectionModel::SelectionFlags GridWidget::selectionCommand(const QModelIndex &index, const QEvent *event) const {
    QItemSelectionModel::SelectionFlags flags = QTableView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        flags = QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return flags;
}

void GridWidget::keyPressEvent(QKeyEvent *e) {
    // Enter or Space chooses the current row as a click would, so every list works from the keyboard.
    const int key = e->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && currentIndex().isValid()) {
        reportClick(currentIndex());
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void GridWidget::showEvent(QShowEvent *e) {
    QTableView::showEvent(e);
    if (m_pendingTopRow > 0) {
        const int row = m_pendingTopRow;
        m_pendingTopRow = 0;
        scrollToTopRow(row);
    }
}

void GridWidget::applyFormat() {
    QFont font = QApplication::font();
    font.setPointSize(m_grid->fontSize());
    if (font != this->font())
        setFont(font);

    const int rowHeight =
        m_grid->rowHeight() > 0 ? twipsToPixels(m_grid->rowHeight(), this) : QFontMetrics(font).height() + 6;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);

    for (int c = 0; c < m_grid->cols(); ++c)
        setColumnWidth(c, twipsToPixels(m_grid->colWidth(c), this));
    widenColumnsToTexts();

    QPalette pal = palette();
    const QColor back = GridModel::color(m_grid->backColor());
    if (pal.color(QPalette::Base) != back) {
        pal.setColor(QPalette::Base, back);
        setPalette(pal);
    }
    viewport()->update();
}

namespace {

// Digits are equally wide, so texts that differ only in their digits have one shape and are measured once.
QChar shapeOf(QChar ch) {
    return ch >= u'1' && ch <= u'9' ? QChar(u'0') : ch;
}

bool hasShape(QStringView text, QStringView shape) {
    if (text.size() != shape.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (shapeOf(text[i]) != shape[i])
            return false;
    return true;
}

} // namespace

// The design's widths were made for short logs and another font: a column is widened to its widest text
// rather than cut short with "…" (a long log's totals, "順番クリック"), and never made narrower.
void GridWidget::widenColumnsToTexts() {
    // The rows of a long list mostly repeat the shape of the row above (times, dates, play numbers), which is
    // then known without a look-up; and without reading the text at all when it is the row above's own
    // shared text (a day's date, a game's name) or, like it, a time of the log's table of times.
    struct Column {
        QSet<QString> shapes;
        QString previousShape;
        QStringView previous;
        int widest = 0;
    };
    std::vector<Column> columns(size_t(m_grid->cols()));
    for (int c = 0; c < m_grid->cols(); ++c)
        columns[size_t(c)].widest = textWidth(m_grid->textMatrix(0, c));
    QString shape;
    // Row by row, as the cells lie in memory: a long list is read once, not once for each column.
    for (int r = 1; r < m_grid->rows(); ++r) {
        for (int c = 0; c < m_grid->cols(); ++c) {
            Column &column = columns[size_t(c)];
            const QString &text = m_grid->cellText(r, c);
            if (text.isEmpty())
                continue;
            const bool sameAsPrevious =
                text.constData() == column.previous.constData() && text.size() == column.previous.size();
            const bool bothClockTimes = sharedClockSecond(text) >= 0 && sharedClockSecond(column.previous) >= 0;
            column.previous = text;
            if (sameAsPrevious || bothClockTimes || hasShape(text, column.previousShape))
                continue;
            shape.resize(text.size());
            std::transform(text.cbegin(), text.cend(), shape.begin(), shapeOf);
            if (!column.shapes.contains(shape)) {
                column.widest = qMax(column.widest, textWidth(shape));
                column.shapes.insert(shape);
            }
            // Copied, not shared: the next shape is written into its own room.
            column.previousShape.resize(shape.size());
            std::copy(shape.cbegin(), shape.cend(), column.previousShape.begin());
        }
    }
    for (int c = 0; c < m_grid->cols(); ++c)
        if (columns[size_t(c)].widest > columnWidth(c))
            setColumnWidth(c, columns[size_t(c)].widest);
}

void GridWidget::widenColumnToText(int row, int col) {
    const int needed = textWidth(m_grid->textMatrix(row, col));
    if (col >= 0 && col < m_model->columnCount() && needed > columnWidth(col))
        setColumnWidth(col, needed);
}

// The width a cell needs for its text: the item delegate keeps a margin on either side, and the grid line
// takes a pixel of the column.
int GridWidget::textWidth(const QString &text) const {
    if (text.isEmpty())
        return 0;
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(text) + 2 * margin + (QTableView::showGrid() ? 1 : 0);
}

void GridWidget::afterReset() {
    // The model has reset itself already (it was connected first): columns may be new.
    applyFormat();
    showCurrentCell();
}

void GridWidget::scrollToTopRow(int row) {
    if (row < 1 || row > m_model->rowCount())
        return;
    if (!isVisible()) {
        m_pendingTopRow = row;
        return;
    }
    // The scroll range must know the rows of a fill that has just ended.
    executeDelayedItemsLayout();
    scrollTo(m_model->index(row - 1, 0), QAbstractItemView::PositionAtTop);
}

void GridWidget::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    alignTopRow();
}

void GridWidget::updateGeometries() {
    QTableView::updateGeometries();
    alignTopRow();
}

// Scrolled to its end, the table would show its last row at the bottom edge and the row above half hidden
// under the header; the rows start at the header instead, with the blank, if any, below the last row.
void GridWidget::alignTopRow() {
    QScrollBar *bar = verticalScrollBar();
    if (verticalScrollMode() != ScrollPerItem || bar->maximum() <= 0 || bar->value() != bar->maximum())
        return;
    QHeaderView *rows = verticalHeader();
    const int top = rows->sectionPosition(rows->logicalIndex(bar->value()));
    if (top < 0 || rows->offset() == top)
        return;
    rows->setOffset(top);
    viewport()->update();
}

void GridWidget::showCurrentCell() {
    if (m_syncing)
        return;
    m_syncing = true;
    // Moving the current cell from code must not scroll away from TopRow.
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    const int row = m_grid->row();
    const int col = std::clamp(m_grid->col(), 0, std::max(0, m_model->columnCount() - 1));
    if (row >= 1 && row <= m_model->rowCount() && m_model->columnCount() > 0)
        selectionModel()->setCurrentIndex(m_model->index(row - 1, col),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        selectionModel()->clear();
    setAutoScroll(scrolls);
    m_syncing = false;
}

void GridWidget::viewCurrentChanged(const QModelIndex &current) {
    if (m_syncing || !current.isValid())
        return;
    m_syncing = true;
    m_grid->setRow(current.row() + 1);
    m_grid->setCol(current.column());
    m_syncing = false;
}

void GridWidget::reportClick(const QModelIndex &index) {
    if (!index.isValid())
        return;
    const int row = index.row() + 1;
    const int col = index.column();
    m_syncing = true;
    m_grid->setRow(row);
    m_grid->setCol(col);
    m_syncing = false;
    emit clicked(row, col);
}

} // namespace mirute
