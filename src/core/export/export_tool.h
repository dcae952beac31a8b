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

// What the command line asked for, every value already checked.
struct ExportRequest {
    QString dir; // --dir, default the current folder
    QString view;
    QStringList arguments;          // positional words after the view (the game of "history")
    QMap<QString, QString> options; // --date, --from, --to, --weekday, --key, --measure, --seconds, --answers,
                                    // --goal, --rest
    QDate today;                    // --today, or the system date
    bool raw = false;               // --raw: every cell as it stands, even one a spreadsheet would run
};

// An unreadable file (exit 1) or a bad argument (exit 2), with its one-line message.
struct ExportError {
    int status = 0;
    QString message;
};

// Computes one view's table; returns false with *error set.
using ExportFunction = std::function<bool(const ExportRequest &, Table *, ExportError *)>;

// One table the tool prints, with what its command line may hold besides --dir and --today.
struct ExportView {
    ExportFunction run;
    QString summary;      // what the table is, for --help
    QString argument;     // the one positional word it takes ("ゲーム名"), or "" for none
    QStringList choices;  // the words that argument may be
    QStringList options;  // the options it reads
    QStringList required; // those of them it cannot do without
};

// The views the tool knows, by name.
QMap<QString, ExportView> &exportViews();
void registerExportView(const QString &name, const ExportView &view);

// A grid's rows as shown.
Table gridTable(const Grid &grid);
// One CSV line: fields quoted only when they hold a comma, a double quote or a line break; a text that
// would run as a formula in a spreadsheet begins with an apostrophe unless raw; no line end.
QString csvLine(const QStringList &cells, bool raw = false);

// mirute-export [--dir DIR] VIEW [OPTIONS]: prints the table as UTF-8 CSV with LF line ends. A command line
// with mistakes prints one line for each of them and exits with 2; --help prints the usage and exits with 0.
int runExport(const QStringList &args, QTextStream &out, QTextStream &err);
// The usage that --help prints: every view with its argument and options.
QString exportUsage();

// The date of a checked date option "yyyy/mm/dd".
QDate exportDate(const ExportRequest &r, const QString &name);

} // namespace mirute
