#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace mirute {

// An RGB colour as (red, green, blue), each 0 to 255. Negative values are markers, never painted as such:
// -1 (kButtonFace) is the window system's button face, -2 a grid cell's "no colour of its own".
struct Rgb {
    int r = 255, g = 255, b = 255;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// The window system's button-face colour: views compare against it to know which button is highlighted.
inline constexpr Rgb kButtonFace{-1, -1, -1};
inline constexpr Rgb kWhite{255, 255, 255};

// The text grid every list of the program is built on: row 0 is the fixed header row, data rows are
// 1..rows()-1, cells hold text only. Pure data (QtCore only); GridWidget shows it.
// Alignment codes: 1 left, 4 centre, 7 right.
class Grid : public QObject {
    Q_OBJECT
public:
    enum Align { Left = 1, Center = 4, Right = 7 };
    enum SortMode : int { NumericAscending = 3, NumericDescending = 4, TextAscending = 7, TextDescending = 8 };
    static constexpr int kDefaultFontSize = 9; // points

    explicit Grid(QObject *parent = nullptr);

    int rows() const;
    void setRows(int rows); // 1 (or less) leaves only the header; cells of new rows are empty
    // Leaves only the header and gives back the memory of the rows, which setRows keeps for the next fill:
    // for a list put away until it is filled again (a whole log is 32,766 rows).
    void releaseRows();
    int cols() const;
    void setCols(int cols);

    // The current cell. One set outside the grid is kept as set: its text reads "" and writes to it
    // go nowhere, so a slip never lands in another cell. Shrinking the grid moves it back inside.
    int row() const;
    int col() const;
    void setRow(int row);
    void setCol(int col);
    QString text() const; // text of the current cell
    void setText(const QString &text);

    QString textMatrix(int row, int col) const; // "" outside the grid
    // The same for a cell known to be inside the grid, without a copy: for passes over every cell.
    const QString &cellText(int row, int col) const { return m_texts[index(row, col)]; }
    void setTextMatrix(int row, int col, const QString &text);
    void setTextMatrix(int row, int col, QString &&text); // a text made for the cell is moved in
    QStringList rowTexts(int row) const;
    void appendRow(const QStringList &cells); // rows() + 1, cells from column 0; extra cells dropped

    int colWidth(int col) const; // twips
    void setColWidth(int col, int twips);
    int colAlignment(int col) const;
    void setColAlignment(int col, int align);
    int fixedAlignment(int col) const;
    void setFixedAlignment(int col, int align);

    int rowHeight() const;        // twips, 0 = the view's default
    void setRowHeight(int twips); // every row at once
    int fontSize() const;         // points
    void setFontSize(int points);

    // Colours of the current cell; a cell without a colour of its own shows the grid's.
    void setCellBackColor(const Rgb &c);
    void setCellForeColor(const Rgb &c);
    Rgb cellBackColor(int row, int col) const;     // resolved: the cell's own or the grid's background
    Rgb cellForeColor(int row, int col) const;     // resolved: the cell's own or black
    bool hasCellBackColor(int row, int col) const; // the cell has a background of its own
    bool hasCellForeColor(int row, int col) const;
    Rgb backColor() const;
    void setBackColor(const Rgb &c);

    int topRow() const;
    void setTopRow(int row); // asks the view to scroll so that row is the first visible data row

    // Sorts the data rows by column col(); stable; the header stays in place. A mode that is none of the four
    // leaves the rows as they are.
    void sort(SortMode mode);
    void clear(); // empties every cell text
    void removeItem(int row);

    // Many changes at once emit one reset when the outermost batch ends (32,766-row fills).
    void beginBatch();
    void endBatch();

    // Header and data rows as shown, for the CSV save and the export.
    QList<QStringList> allRows() const;

signals:
    void reset();                       // shape or many cells changed
    void cellChanged(int row, int col); // one cell's text or colour changed
    void formatChanged();               // widths, alignments, font, row height, grid colour
    void topRowRequested(int row);
    void currentCellChanged(int row, int col);

private:
    void touchCell(int row, int col);
    void touchAll();
    void touchFormat();
    bool validCell(int row, int col) const;
    void keepCurrentCellInside();
    qsizetype index(int row, int col) const { return qsizetype(row) * m_cols + col; }
    void ensureColours();
    void relayout(int rows, int cols);

    static constexpr Rgb kNoColour{-2, -2, -2};
    struct Colours {
        Rgb back = kNoColour;
        Rgb fore = kNoColour;
    };
    // Cells row by row in one array each, so that a 32,766-row fill costs one allocation, not one per row.
    QList<QString> m_texts;   // rows × cols
    QList<Colours> m_colours; // empty until a cell gets a colour of its own; then rows × cols
    int m_rows = 1;
    int m_cols = 0;
    int m_row = 0, m_col = 0;
    QList<int> m_widths, m_align, m_fixedAlign;
    int m_rowHeight = 0, m_fontSize = kDefaultFontSize, m_topRow = 1;
    Rgb m_back = kWhite;
    int m_batch = 0;
    bool m_batchDirty = false;
    bool m_formatDirty = false;
    bool m_topRowPending = false;
    bool m_currentPending = false;
};

// One column of a list: its header, its width in twips and the alignment of its data cells (every header is
// centred).
struct GridColumn {
    QString header;
    int width = 0;
    Grid::Align align = Grid::Left;
};

// The grid emptied to its header row, with these columns and this font size and its current cell on the
// header's first cell: how every list is set up before it is filled.
void setUpGrid(Grid &g, int fontSize, const QList<GridColumn> &columns);

// Scoped batch: Grid changes inside it emit a single reset at its end.
class GridBatch {
public:
    explicit GridBatch(Grid &g) : m_g(g) { m_g.beginBatch(); }
    ~GridBatch() { m_g.endBatch(); }
    GridBatch(const GridBatch &) = delete;
    GridBatch &operator=(const GridBatch &) = delete;

private:
    Grid &m_g;
};

} // namespace mirute
