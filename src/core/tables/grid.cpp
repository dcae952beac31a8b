#include "core/tables/grid.h"

#include "core/tables/numeric_text.h"

#include <QHash>

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace mirute {

namespace {

constexpr int kDefaultColWidth = 960; // twips, about the width of eight small digits
constexpr Rgb kBlack{0, 0, 0};

// Lists are read in an order that is not the order of their texts in memory (a list that was sorted, the
// distinct texts of a column), so each text is asked for this many places ahead of its use: it is then on
// its way from memory when it is read.
constexpr size_t kReadAhead = 8;

inline void readAhead(const void *at) {
#if defined(__GNUC__)
    __builtin_prefetch(at);
#else
    Q_UNUSED(at);
#endif
}

// Every cache line of a block, not only its first: a text of thirty characters, or a row of six texts, may
// span two or three.
inline void readAheadAll(const void *at, size_t bytes) {
    const auto *first = static_cast<const char *>(at);
    for (size_t offset = 0; offset < bytes; offset += 64)
        readAhead(first + offset);
    if (bytes > 0)
        readAhead(first + bytes - 1);
}

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

// Three UTF-16 units of a text from position `at`, each as its code point order plus one, packed into one
// integer; past the text's end 0, so that a text comes before its longer continuations.
quint64 packedUnits(QStringView text, qsizetype at) {
    quint64 packed = 0;
    for (qsizetype i = at; i < at + 3; ++i)
        packed = (packed << 17) | (i < text.size() ? quint64(codePointOrderKey(text[i].unicode())) + 1 : 0);
    return packed;
}

struct RankKey {
    quint64 units;
    int id;
};

bool lessUnits(const RankKey &a, const RankKey &b) {
    return a.units < b.units;
}

// Keys in the order of their units. A long run is sorted by the units' bits, 13 at a time from the lowest,
// each pass keeping the order of the pass before: the cost for each key then stays the same however long
// the list, where a sort by comparison costs more for each key of a longer list. A short run is sorted by
// comparison.
void sortByUnits(RankKey *first, RankKey *last, std::vector<RankKey> &scratch) {
    constexpr size_t kShortRun = 1024;
    constexpr int kDigitBits = 13;
    constexpr int kUnitBits = 3 * 17;
    const size_t n = size_t(last - first);
    if (n < kShortRun) {
        std::sort(first, last, lessUnits);
        return;
    }
    scratch.resize(n);
    RankKey *from = first;
    RankKey *to = scratch.data();
    std::vector<quint32> starts(size_t(1) << kDigitBits);
    for (int shift = 0; shift < kUnitBits; shift += kDigitBits) {
        const auto digit = [shift](const RankKey &k) { return size_t(k.units >> shift) & ((1u << kDigitBits) - 1); };
        std::fill(starts.begin(), starts.end(), 0);
        for (size_t i = 0; i < n; ++i)
            ++starts[digit(from[i])];
        if (starts[digit(from[0])] == n)
            continue; // every key has this digit: the order stays
        quint32 sum = 0;
        for (quint32 &start : starts)
            sum += std::exchange(start, sum);
        for (size_t i = 0; i < n; ++i)
            to[starts[digit(from[i])]++] = from[i];
        std::swap(from, to);
    }
    if (from != first)
        std::copy(from, from + n, first);
}

// Distinct texts in code point order, three units at a time: the keys are sorted by their packed units, and
// each run of keys with the same units again by the next three. Texts that share a long beginning (lines
// written by the games all start "秒数 :") are thus compared as integers side by side, never character by
// character through their texts; a short run is sorted by plain comparison of the rest of its texts.
void sortDistinctTexts(std::vector<RankKey> &keys, const std::vector<QStringView> &distinct) {
    struct Run {
        size_t begin, end;
        qsizetype at;
    };
    std::vector<Run> runs{{0, keys.size(), 0}};
    std::vector<RankKey> scratch;
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        const auto first = keys.begin() + qsizetype(run.begin), last = keys.begin() + qsizetype(run.end);
        if (run.end - run.begin <= 16) {
            std::sort(first, last, [&](const RankKey &a, const RankKey &b) {
                return lessByCodePoint(distinct[size_t(a.id)].mid(run.at), distinct[size_t(b.id)].mid(run.at));
            });
            continue;
        }
        for (auto k = first; k != last; ++k) {
            if (last - k > qsizetype(kReadAhead))
                readAhead(distinct[size_t(k[kReadAhead].id)].data() + run.at);
            k->units = packedUnits(distinct[size_t(k->id)], run.at);
        }
        sortByUnits(&*first, &*first + (last - first), scratch);
        // Keys whose units are the same continue; a text that ended within them is alone (texts are distinct).
        for (auto from = first; from != last;) {
            const auto to = std::upper_bound(from, last, *from, lessUnits);
            if (to - from > 1)
                runs.push_back({size_t(from - keys.begin()), size_t(to - keys.begin()), run.at + 3});
            from = to;
        }
    }
}

// Each row's place among the distinct texts of a column, in code point order (rows 1 … texts.size()).
// Equal texts (a diary line written day after day) are compared once, not at every meeting, and the
// distinct texts are ordered as integers, three units at a time.
std::vector<int> textRanks(const std::vector<QStringView> &texts, int *distinctCount) {
    // An open table of (hash, id) pairs, at most half full: a look-up reads one place of it, and a text
    // only when its hash is the same.
    size_t size = 16;
    while (size < 2 * texts.size())
        size *= 2;
    struct Slot {
        quint32 hash;
        int id; // -1: empty
    };
    std::vector<Slot> table(size, Slot{0, -1});
    // Each distinct text is copied, as it is first met, next to the one met before it: the look-ups of its
    // repeats and the ordering then read it there, close together, rather than scattered through the
    // memory of the whole list. Room for every text is taken at once, so the copies never move.
    size_t characters = 0;
    for (const QStringView text : texts)
        characters += size_t(text.size());
    std::vector<char16_t> copies;
    copies.reserve(characters);
    std::vector<QStringView> distinct;
    std::vector<int> idOfRow(texts.size());
    for (size_t r = 0; r < texts.size(); ++r) {
        if (r + kReadAhead < texts.size())
            readAheadAll(texts[r + kReadAhead].data(), size_t(texts[r + kReadAhead].size()) * sizeof(char16_t));
        const QStringView text = texts[r];
        const auto hash = quint32(qHash(text));
        size_t at = hash & (size - 1);
        while (table[at].id >= 0 && (table[at].hash != hash || distinct[size_t(table[at].id)] != text))
            at = (at + 1) & (size - 1);
        if (table[at].id < 0) {
            table[at] = {hash, int(distinct.size())};
            distinct.emplace_back(copies.data() + copies.size(), text.size());
            copies.insert(copies.end(), text.utf16(), text.utf16() + text.size());
        }
        idOfRow[r] = table[at].id;
    }
    std::vector<RankKey> keys(distinct.size());
    for (size_t i = 0; i < distinct.size(); ++i)
        keys[i] = {0, int(i)};
    sortDistinctTexts(keys, distinct);
    std::vector<int> rankOfId(distinct.size());
    for (size_t k = 0; k < keys.size(); ++k)
        rankOfId[size_t(keys[k].id)] = int(k);
    for (int &id : idOfRow)
        id = rankOfId[size_t(id)];
    *distinctCount = int(distinct.size());
    return idOfRow;
}

// Rows 1 … ranks.size() in the order of their ranks, rows of equal rank in their present order.
std::vector<int> rowsByRank(const std::vector<int> &ranks, int rankCount, bool descending) {
    std::vector<int> start(size_t(rankCount) + 1, 0);
    for (int rank : ranks)
        ++start[size_t(descending ? rankCount - 1 - rank : rank) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<int> order(ranks.size());
    for (size_t r = 0; r < ranks.size(); ++r) {
        const int rank = descending ? rankCount - 1 - ranks[r] : ranks[r];
        order[size_t(start[size_t(rank)]++)] = int(r) + 1;
    }
    return order;
}

// The rows of a row-by-row array in the given order; the rows are read scattered.
template <class T> QList<T> permutedRows(QList<T> &cells, const std::vector<int> &order, int cols) {
    QList<T> out;
    out.reserve(cells.size());
    T *from = cells.data();
    for (size_t i = 0; i < order.size(); ++i) {
        if (i + kReadAhead < order.size())
            readAheadAll(from + qsizetype(order[i + kReadAhead]) * cols, size_t(cols) * sizeof(T));
        for (int c = 0; c < cols; ++c)
            out.append(std::move(from[qsizetype(order[i]) * cols + c]));
    }
    return out;
}

bool knownSortMode(Grid::SortMode mode) {
    return mode == Grid::NumericAscending || mode == Grid::NumericDescending || mode == Grid::TextAscending ||
           mode == Grid::TextDescending;
}

} // namespace

Grid::Grid(QObject *parent) : QObject(parent) {
    m_cols = 1;
    m_texts.resize(1);
    m_widths.fill(kDefaultColWidth, m_cols);
    m_align.fill(Left, m_cols);
    m_fixedAlign.fill(Center, m_cols);
}

int Grid::rows() const {
    return m_rows;
}

void Grid::setRows(int rows) {
    // The header row always exists.
    rows = std::max(rows, 1);
    if (rows == m_rows)
        return;
    m_rows = rows;
    // Room for exactly the rows asked for: grown by halves, a whole log's list would hold a third more.
    if (index(rows, 0) > m_texts.capacity())
        m_texts.reserve(index(rows, 0));
    m_texts.resize(index(rows, 0));
    if (!m_colours.isEmpty())
        m_colours.resize(index(rows, 0));
    touchAll();
    keepCurrentCellInside();
}

void Grid::releaseRows() {
    setRows(1);
    m_texts.squeeze();
    m_colours.squeeze();
}

int Grid::cols() const {
    return m_cols;
}

void Grid::setCols(int cols) {
    cols = std::max(cols, 1);
    if (cols == m_cols)
        return;
    relayout(m_rows, cols);
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
    return m_texts[index(row, col)];
}

void Grid::setTextMatrix(int row, int col, const QString &text) {
    setTextMatrix(row, col, QString(text));
}

void Grid::setTextMatrix(int row, int col, QString &&text) {
    if (!validCell(row, col))
        return;
    QString &cell = m_texts[index(row, col)];
    if (cell == text)
        return;
    cell = std::move(text);
    touchCell(row, col);
}

QStringList Grid::rowTexts(int row) const {
    QStringList texts;
    if (row < 0 || row >= rows())
        return texts;
    return m_texts.mid(index(row, 0), m_cols);
}

void Grid::appendRow(const QStringList &cells) {
    const int row = m_rows++;
    m_texts.resize(index(m_rows, 0));
    if (!m_colours.isEmpty())
        m_colours.resize(index(m_rows, 0));
    const int n = std::min(int(cells.size()), m_cols);
    for (int c = 0; c < n; ++c)
        m_texts[index(row, c)] = cells[c];
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
    if (!validCell(m_row, m_col) || (c == kNoColour && m_colours.isEmpty()))
        return;
    ensureColours();
    Rgb &back = m_colours[index(m_row, m_col)].back;
    if (back == c)
        return;
    back = c;
    touchCell(m_row, m_col);
}

void Grid::setCellForeColor(const Rgb &c) {
    if (!validCell(m_row, m_col) || (c == kNoColour && m_colours.isEmpty()))
        return;
    ensureColours();
    Rgb &fore = m_colours[index(m_row, m_col)].fore;
    if (fore == c)
        return;
    fore = c;
    touchCell(m_row, m_col);
}

Rgb Grid::cellBackColor(int row, int col) const {
    return hasCellBackColor(row, col) ? m_colours[index(row, col)].back : m_back;
}

Rgb Grid::cellForeColor(int row, int col) const {
    return hasCellForeColor(row, col) ? m_colours[index(row, col)].fore : kBlack;
}

bool Grid::hasCellBackColor(int row, int col) const {
    return validCell(row, col) && !m_colours.isEmpty() && m_colours[index(row, col)].back != kNoColour;
}

bool Grid::hasCellForeColor(int row, int col) const {
    return validCell(row, col) && !m_colours.isEmpty() && m_colours[index(row, col)].fore != kNoColour;
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

void Grid::sort(SortMode mode) {
    if (!knownSortMode(mode) || m_col < 0 || m_col >= m_cols || rows() < 3)
        return;
    const int col = m_col;
    const int n = rows() - 1;
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    if (mode == TextAscending || mode == TextDescending) {
        std::vector<QStringView> texts(static_cast<size_t>(n));
        for (int r = 1; r <= n; ++r)
            texts[size_t(r - 1)] = m_texts[index(r, col)];
        int distinct = 0;
        const std::vector<int> ranks = textRanks(texts, &distinct);
        order = rowsByRank(ranks, distinct, mode == TextDescending);
    } else {
        std::vector<double> keys(rows());
        for (int r = 1; r < rows(); ++r)
            keys[r] = leadingNumber(m_texts[index(r, col)]);
        if (mode == NumericAscending)
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
        else
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[b] < keys[a]; });
    }
    order.insert(order.begin(), 0); // the header stays first
    m_texts = permutedRows(m_texts, order, m_cols);
    if (!m_colours.isEmpty())
        m_colours = permutedRows(m_colours, order, m_cols);
    touchAll();
}

void Grid::clear() {
    for (QString &text : m_texts)
        text.clear();
    touchAll();
}

void Grid::removeItem(int row) {
    // The header row cannot be removed.
    if (row < 1 || row >= rows())
        return;
    m_texts.remove(index(row, 0), m_cols);
    if (!m_colours.isEmpty())
        m_colours.remove(index(row, 0), m_cols);
    --m_rows;
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

void setUpGrid(Grid &g, int fontSize, const QList<GridColumn> &columns) {
    GridBatch batch(g);
    g.setRows(1);
    g.setCols(int(columns.size()));
    g.setFontSize(fontSize);
    for (int c = 0; c < columns.size(); ++c) {
        g.setTextMatrix(0, c, columns[c].header);
        g.setColWidth(c, columns[c].width);
        g.setColAlignment(c, columns[c].align);
        g.setFixedAlignment(c, Grid::Center);
    }
    // The current cell back on the header's first cell, where a new list starts.
    g.setRow(0);
    g.setCol(0);
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

void Grid::ensureColours() {
    if (m_colours.isEmpty())
        m_colours.resize(m_texts.size());
}

// The cells kept where they were, row and column, in a grid of another width.
void Grid::relayout(int rows, int cols) {
    QList<QString> texts(qsizetype(rows) * cols);
    QList<Colours> colours(m_colours.isEmpty() ? 0 : texts.size());
    const int keep = std::min(cols, m_cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < keep; ++c) {
            texts[qsizetype(r) * cols + c] = std::move(m_texts[index(r, c)]);
            if (!colours.isEmpty())
                colours[qsizetype(r) * cols + c] = m_colours[index(r, c)];
        }
    m_texts = std::move(texts);
    m_colours = std::move(colours);
    m_cols = cols;
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
