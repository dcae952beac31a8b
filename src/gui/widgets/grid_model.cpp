#include "gui/widgets/grid_model.h"

#include "core/base/user_text.h"

#include <QApplication>
#include <QPalette>

namespace mirute {

GridModel::GridModel(Grid &grid, QObject *parent) : QAbstractTableModel(parent), m_grid(grid) {
    connect(&m_grid, &Grid::reset, this, &GridModel::gridReset);
    connect(&m_grid, &Grid::cellChanged, this, &GridModel::gridCellChanged);
    connect(&m_grid, &Grid::formatChanged, this, &GridModel::gridFormatChanged);
}

int GridModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_grid.rows() - 1;
}

int GridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_grid.cols();
}

QVariant GridModel::data(const QModelIndex &index, int role) const {
    // Inside a batch the grid may already be smaller than the view believes: answer nothing there.
    const int row = index.row() + 1;
    const int col = index.column();
    if (!index.isValid() || row >= m_grid.rows() || col >= m_grid.cols())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return m_grid.textMatrix(row, col);
    case Qt::ToolTipRole: return plainToolTip(m_grid.textMatrix(row, col));
    case Qt::TextAlignmentRole: return QVariant::fromValue(alignment(m_grid.colAlignment(col)));
    case Qt::BackgroundRole: return color(m_grid.cellBackColor(row, col));
    case Qt::ForegroundRole: return color(m_grid.cellForeColor(row, col));
    default: return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_grid.cols())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return m_grid.textMatrix(0, section);
    case Qt::TextAlignmentRole: return QVariant::fromValue(alignment(m_grid.fixedAlignment(section)));
    case Qt::BackgroundRole:
        return m_grid.hasCellBackColor(0, section) ? QVariant(color(m_grid.cellBackColor(0, section))) : QVariant();
    case Qt::ForegroundRole:
        return m_grid.hasCellForeColor(0, section) ? QVariant(color(m_grid.cellForeColor(0, section))) : QVariant();
    default: return QVariant();
    }
}

QString GridModel::plainToolTip(const QString &text) {
    // A tooltip that merely looks like rich text is shown as rich text: a diary "<img src=…>" would load that
    // file. Escaped inside a paragraph that keeps its blanks, any cell text shows as it stands.
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(shownUserText(text).toHtmlEscaped());
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

Qt::Alignment GridModel::alignment(int code) {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (code >= 3 && code <= 5)
        horizontal = Qt::AlignHCenter;
    else if (code >= 6 && code <= 8)
        horizontal = Qt::AlignRight;
    return horizontal | Qt::AlignVCenter;
}

QColor GridModel::color(const Rgb &rgb) {
    if (rgb == kButtonFace)
        return QApplication::palette().color(QPalette::Button);
    return QColor(std::clamp(rgb.r, 0, 255), std::clamp(rgb.g, 0, 255), std::clamp(rgb.b, 0, 255));
}

void GridModel::gridReset() {
    beginResetModel();
    endResetModel();
}

void GridModel::gridCellChanged(int row, int col) {
    if (col < 0 || col >= columnCount())
        return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    if (row >= 1 && row - 1 < rowCount()) {
        const QModelIndex cell = index(row - 1, col);
        emit dataChanged(cell, cell);
    }
}

void GridModel::gridFormatChanged() {
    // Alignments and the grid's background are per-cell roles: every visible cell may look different.
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::TextAlignmentRole, Qt::BackgroundRole});
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

} // namespace mirute
