#pragma once

#include "core/tables/grid.h"

#include <QAbstractTableModel>
#include <QColor>

namespace mirute {

// Puts a Grid behind a view without copying it: model row r is grid data row r + 1, the grid's
// header row is the model's horizontal header. A shape change of the grid resets the model, a
// single cell change updates only that cell.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(Grid &grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Alignment code 1 left, 4 centre, 7 right (the codes between choose by thirds), always vertically centred.
    static Qt::Alignment alignment(int code);
    // kButtonFace becomes the window system's button colour.
    static QColor color(const Rgb &rgb);
    // A cell's text as a tooltip that shows it literally, whatever it holds ("" for none).
    static QString plainToolTip(const QString &text);

private:
    void gridReset();
    void gridCellChanged(int row, int col);
    void gridFormatChanged();
    Grid &m_grid;
};

} // namespace mirute
