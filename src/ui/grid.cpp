#include "ui/grid.h"

#include "ui/numeric_text.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace mirute {

namespace {

constexpr int kDefaultColWidth = 960; // twips, about the width of eight small digits
constexpr Rgb kNoColour{-2, -2, -2};
constexpr Rgb kBlack{0, 0, 0};

// UTF-16 units compared so that the order is that of the Unicode code points: the surrogates of the
// characters above U+FFFF must come after U+E000..U+FFFF, not before.
char32_t codePointOrderKey(char16_t u) {
    if (u < 0xD800)
        return u;
    return u >= 0xE000 ? u - 0x800 : u + 0x2000;
}

bool lessByCodePoint(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ua = a[i].unicode();
        const char16_t ub = b[i].unicode();
        if (ua != ub)
            return codePointOrderKey(ua) < codePointOrderKey(ub);
    }
    return a.size() < b.size();
}

bool knownSortMode(int mode) {
    return mode == Grid::NumericAscending || mode == Grid::NumericDescending || mode == Grid::TextAscending ||
           mode == Grid::TextDescending;
}

} // namespace

Grid::Grid(QObject *parent) : QObject(parent) {
    m_cols = 1;
    m_cells.resize(1);
    m_cells[0].resize(m_cols);
    m_widths.fill(kDefaultColWidth, m_cols);
    m_align.fill(Left, m_cols);
    m_fixedAlign.fill(Center, m_cols);
}

int Grid::rows() const {
    return int(m_cells.size());
}

void Grid::setRows(int rows) {
    // The header row always exists.
    rows = std::max(rows, 1);
    if (rows == this->rows())
        return;
    if (rows > m_cells.capacity())
        m_cells.reserve(rows);
    const qsizetype old = m_cells.size();
    m_cells.resize(rows);
    for (qsizetype r = old; r < rows; ++r)
        m_cells[r].resize(m_cols);
    touchAll();
    keepCurrentCellInside();
}

int Grid::cols() const {
    return m_cols;
}

void Grid::setCols(int cols) {
    cols = std::max(cols, 1);
    if (cols == m_cols)
        return;
    m_cols = cols;
    for (auto &cells : m_cells)
        cells.resize(cols);
    m_widths.resize(cols, kDefaultColWidth);
    m_align.resize(cols, Left);
    m_fixedAlign.resize(cols, Center);
    touchAll();
    keepCurrentCellInside();
}

int Grid::row() const {
    return m_row;
}
int Grid::col() const {
    return m_col;
}

// A current cell outside the grid is kept as set: its text reads "" and writes to it go nowhere,
// so a caller's slip never lands in some other cell.
void Grid::setRow(int row) {
    if (row == m_row)
        return;
    m_row = row;
    if (m_batch > 0)
        m_currentPending = true;
    else
        emit currentCellChanged(m_row, m_col);
}

void Grid::setCol(int col) {
    if (col == m_col)
        return;
    m_col = col;
    if (m_batch > 0)
        m_currentPending = true;
    else
        emit currentCellChanged(m_row, m_col);
}

QString Grid::text() const {
    return textMatrix(m_row, m_col);
}

void Grid::setText(const QString &text) {
    setTextMatrix(m_row, m_col, text);
}

QString Grid::textMatrix(int row, int col) const {
    if (!validCell(row, col))
        return QString();
    return m_cells[row][col].text;
}

void Grid::setTextMatrix(int row, int col, const QString &text) {
    if (!validCell(row, col))
        return;
    QString &cell = m_cells[row][col].text;
    if (cell == text)
        return;
    cell = text;
    touchCell(row, col);
}

QStringList Grid::rowTexts(int row) const {
    QStringList texts;
    if (row < 0 || row >= rows())
        return texts;
    texts.reserve(m_cols);
    for (const Cell &cell : m_cells[row])
        texts.append(cell.text);
    return texts;
}

void Grid::appendRow(const QStringList &cells) {
    QList<Cell> row(m_cols);
    const int n = std::min(int(cells.size()), m_cols);
    for (int c = 0; c < n; ++c)
        row[c].text = cells[c];
    m_cells.append(std::move(row));
    touchAll();
}

int Grid::colWidth(int col) const {
    return col >= 0 && col < m_cols ? m_widths[col] : 0;
}

void Grid::setColWidth(int col, int twips) {
    if (col < 0 || col >= m_cols || m_widths[col] == std::max(twips, 0))
        return;
    m_widths[col] = std::max(twips, 0);
    touchFormat();
}

int Grid::colAlignment(int col) const {
    return col >= 0 && col < m_cols ? m_align[col] : Left;
}

void Grid::setColAlignment(int col, int align) {
    if (col < 0 || col >= m_cols || m_align[col] == align)
        return;
    m_align[col] = align;
    touchFormat();
}

int Grid::fixedAlignment(int col) const {
    return col >= 0 && col < m_cols ? m_fixedAlign[col] : Center;
}

void Grid::setFixedAlignment(int col, int align) {
    if (col < 0 || col >= m_cols || m_fixedAlign[col] == align)
        return;
    m_fixedAlign[col] = align;
    touchFormat();
}

int Grid::rowHeight() const {
    return m_rowHeight;
}

void Grid::setRowHeight(int twips) {
    twips = std::max(twips, 0);
    if (twips == m_rowHeight)
        return;
    m_rowHeight = twips;
    touchFormat();
}

int Grid::fontSize() const {
    return m_fontSize;
}

void Grid::setFontSize(int points) {
    if (points <= 0 || points == m_fontSize)
        return;
    m_fontSize = points;
    touchFormat();
}

void Grid::setCellBackColor(const Rgb &c) {
    if (!validCell(m_row, m_col) || m_cells[m_row][m_col].back == c)
        return;
    m_cells[m_row][m_col].back = c;
    touchCell(m_row, m_col);
}

void Grid::setCellForeColor(const Rgb &c) {
    if (!validCell(m_row, m_col) || m_cells[m_row][m_col].fore == c)
        return;
    m_cells[m_row][m_col].fore = c;
    touchCell(m_row, m_col);
}

Rgb Grid::cellBackColor(int row, int col) const {
    return hasCellBackColor(row, col) ? m_cells[row][col].back : m_back;
}

Rgb Grid::cellForeColor(int row, int col) const {
    return hasCellForeColor(row, col) ? m_cells[row][col].fore : kBlack;
}

bool Grid::hasCellBackColor(int row, int col) const {
    return validCell(row, col) && m_cells[row][col].back != kNoColour;
}

bool Grid::hasCellForeColor(int row, int col) const {
    return validCell(row, col) && m_cells[row][col].fore != kNoColour;
}

Rgb Grid::backColor() const {
    return m_back;
}

void Grid::setBackColor(const Rgb &c) {
    if (c == m_back)
        return;
    m_back = c;
    touchFormat();
}

int Grid::topRow() const {
    return m_topRow;
}

void Grid::setTopRow(int row) {
    if (row < 1 || row >= rows())
        return;
    m_topRow = row;
    // Inside a batch the view does not know the new rows yet; it scrolls after the reset.
    if (m_batch > 0)
        m_topRowPending = true;
    else
        emit topRowRequested(row);
}

void Grid::sort(int mode) {
    if (!knownSortMode(mode) || m_col < 0 || m_col >= m_cols || rows() < 3)
        return;
    const int col = m_col;
    const int n = rows() - 1;
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    if (mode == NumericAscending || mode == NumericDescending) {
        std::vector<double> keys(rows());
        for (int r = 1; r < rows(); ++r)
            keys[r] = leadingNumber(m_cells[r][col].text);
        if (mode == NumericAscending)
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
        else
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[b] < keys[a]; });
    } else {
        const auto key = [&](int r) { return QStringView(m_cells[r][col].text); };
        if (mode == TextAscending)
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return lessByCodePoint(key(a), key(b)); });
        else
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return lessByCodePoint(key(b), key(a)); });
    }
    QList<QList<Cell>> sorted;
    sorted.reserve(m_cells.capacity());
    sorted.append(std::move(m_cells[0]));
    for (int r : order)
        sorted.append(std::move(m_cells[r]));
    m_cells = std::move(sorted);
    touchAll();
}

void Grid::clear() {
    for (auto &cells : m_cells)
        for (Cell &cell : cells)
            cell.text.clear();
    touchAll();
}

void Grid::removeItem(int row) {
    // The header row cannot be removed.
    if (row < 1 || row >= rows())
        return;
    m_cells.removeAt(row);
    if (m_topRow >= rows())
        m_topRow = std::max(1, rows() - 1);
    touchAll();
    keepCurrentCellInside();
}

void Grid::beginBatch() {
    ++m_batch;
}

void Grid::endBatch() {
    if (m_batch == 0 || --m_batch > 0)
        return;
    if (m_formatDirty) {
        m_formatDirty = false;
        emit formatChanged();
    }
    if (m_batchDirty) {
        m_batchDirty = false;
        emit reset();
    }
    if (m_currentPending) {
        m_currentPending = false;
        emit currentCellChanged(m_row, m_col);
    }
    if (m_topRowPending) {
        m_topRowPending = false;
        if (m_topRow >= 1 && m_topRow < rows())
            emit topRowRequested(m_topRow);
    }
}

QList<QStringList> Grid::allRows() const {
    QList<QStringList> all;
    all.reserve(rows());
    for (int r = 0; r < rows(); ++r)
        all.append(rowTexts(r));
    return all;
}

void Grid::touchCell(int row, int col) {
    if (m_batch > 0)
        m_batchDirty = true;
    else
        emit cellChanged(row, col);
}

void Grid::touchAll() {
    if (m_batch > 0)
        m_batchDirty = true;
    else
        emit reset();
}

void Grid::touchFormat() {
    if (m_batch > 0)
        m_formatDirty = true;
    else
        emit formatChanged();
}

bool Grid::validCell(int row, int col) const {
    return row >= 0 && row < rows() && col >= 0 && col < m_cols;
}

void Grid::keepCurrentCellInside() {
    const int row = std::clamp(m_row, 0, rows() - 1);
    const int col = std::clamp(m_col, 0, m_cols - 1);
    if (row == m_row && col == m_col)
        return;
    m_row = row;
    m_col = col;
    if (m_batch > 0)
        m_currentPending = true;
    else
        emit currentCellChanged(m_row, m_col);
}

} // namespace mirute
