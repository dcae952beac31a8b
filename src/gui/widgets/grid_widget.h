#pragma once

#include "core/tables/grid.h"

#include <QTableView>

class QHeaderView;

namespace mirute {

class GridModel;

// Shows a Grid: column widths in twips at the screen's DPI, alignments, fonts, colours, the header row
// as the horizontal header, TopRow scrolling, a click reporting the row, and "CSV保存…" in the context menu.
// From the keyboard, the current row is always one in view and highlighted; Enter or Space chooses it.
class GridWidget : public QTableView {
    Q_OBJECT
public:
    explicit GridWidget(QWidget *parent = nullptr);
    // Shows a grid that the caller's logic owns and fills; it must outlive the widget or, if it goes
    // first, the widget falls back to an empty grid of its own.
    explicit GridWidget(Grid *grid, QWidget *parent = nullptr);
    Grid &grid() { return *m_grid; }
    // Drops the rows of the list put away, and the row header's room for them.
    void releaseRows();
    const Grid &grid() const { return *m_grid; }

    static int twipsToPixels(int twips, const QWidget *w = nullptr);

    // Writes the cells as shown, header first, UTF-8 with BOM. Returns an error text or "".
    QString saveCsv(const QString &path) const;
    // Asks for a file name and saves there, telling the user when it failed ("CSV保存…" in the menu).
    void saveCsvWithDialog();
    // What the list shows, for the file name a save proposes ("全グラフ_項目別"); the accessible name if unset.
    void setFileTitle(const QString &title) { m_fileTitle = title; }
    // A grid of cells to look at (the calendar) has no row to choose: taking the focus highlights no row over
    // the cells' own colours.
    void setRowsChosen(bool chosen) { m_rowsChosen = chosen; }

signals:
    void clicked(int row, int col); // a click on a data row (row >= 1)

protected:
    void contextMenuEvent(QContextMenuEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void showEvent(QShowEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    static void setUpRowHeader(QHeaderView *header);
    void showGrid(Grid *grid);
    void applyFormat();
    void widenColumnsToTexts();
    void widenColumnToText(int row, int col);
    int textWidth(const QString &text) const;
    void afterReset();
    void scrollToTopRow(int row);
    void alignTopRow();
    void showCurrentCell();
    void startOnVisibleRow();
    void viewCurrentChanged(const QModelIndex &current);
    void reportClick(const QModelIndex &index);
    bool m_syncing = false;
    bool m_rowsChosen = true;
    int m_pendingTopRow = 0;
    Grid *m_grid;
    GridModel *m_model;
    QString m_fileTitle;
};

} // namespace mirute
