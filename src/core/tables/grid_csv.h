#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

class Grid;

// A grid as a spreadsheet file: UTF-8 with a byte-order mark so that spreadsheet programs read the
// Japanese texts, fields quoted only where they hold a comma, a double quote or a line break, CR LF.
QByteArray csvBytes(const QList<QStringList> &rows);
QString csvField(const QString &text);

// Writes the grid's cells, header first, atomically. Returns an error text, or "" when saved.
QString saveGridCsv(const Grid &grid, const QString &path);

} // namespace mirute
