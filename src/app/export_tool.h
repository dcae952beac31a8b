#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace mirute {

class Grid;

// A table as the export prints it: the header row as the grid shows it, then the data rows.
using Table = QList<QStringList>;

// What the command line asked for.
struct ExportRequest {
    QString dir;                       // --dir, default the current folder
    QString view;
    QStringList arguments;             // positional words after the view (the game of "history")
    QMap<QString, QString> options;    // --date, --from, --to, --weekday, --key, --measure, --seconds, --answers
    QDate today;                       // --today, or the system date
};

// An unreadable file (exit 1) or a bad argument (exit 2), with its one-line message.
struct ExportError {
    int status = 0;
    QString message;
};

// Computes one view's table; returns false with *error set.
using ExportFunction = std::function<bool(const ExportRequest &, Table *, ExportError *)>;

// The views the tool knows, by name.
QMap<QString, ExportFunction> &exportViews();
void registerExportView(const QString &name, ExportFunction f);

// A grid's rows as shown.
Table gridTable(const Grid &grid);
// One CSV line: fields quoted only when they hold a comma, a double quote or a line break; no line end.
QString csvLine(const QStringList &cells);

// mirute-export [--dir DIR] VIEW [OPTIONS]: prints the table as UTF-8 CSV with LF line ends.
int runExport(const QStringList &args, QTextStream &out, QTextStream &err);

// Parses a date option "yyyy/mm/dd"; sets *error (status 2) when it is not one.
bool exportDateOption(const ExportRequest &r, const QString &name, QDate *date, ExportError *error);

} // namespace mirute
