#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

class Grid;

// How a cell that a spreadsheet would take for a formula is written: Safe as text, Raw as it stands.
enum class CsvCells { Safe, Raw };

// A grid as a spreadsheet file: UTF-8 with a byte-order mark so that spreadsheet programs read the
// Japanese texts, fields quoted only where they hold a comma, a double quote or a line break, CR LF.
QByteArray csvBytes(const QList<QStringList> &rows);
// One field. A text a spreadsheet would run as a formula (one beginning with =, +, -, @, a tab or a CR, such as
// a diary "=HYPERLINK(…)") gets a leading apostrophe when Safe, so that it is shown as the text it is; a
// number such as -3 or +0.5 is a number to a spreadsheet too and stays as it is.
QString csvField(const QString &text, CsvCells cells = CsvCells::Safe);

// Writes the grid's cells, header first, atomically. Returns an error text, or "" when saved.
QString saveGridCsv(const Grid &grid, const QString &path);

} // namespace mirute
