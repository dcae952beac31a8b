#pragma once

#include "core/log/play_log.h"
#include "core/log/play_log_edits.h"
#include "core/tables/grid.h"

#include <QDateTime>
#include <QString>

namespace mirute {

// The two lists of every play in file order: the diary list (一言日記) and the edit list (編集). Columns
// 1 to 5 hold date, time, game, seconds and diary of one record; column 0 a running number.
inline constexpr int kDiaryColumn = 5;

void resetDiaryGrid(Grid &g); // the diary list: font 9
void resetEditGrid(Grid &g);  // the edit list: font 11

// One row per record after the header, the newest scrolled into view once the list is long (the diary
// list beyond 16 rows, the edit list beyond 24, header included).
void fillDiaryList(Grid &g, const QList<PlayRecord> &records);
void fillEditList(Grid &g, const QList<PlayRecord> &records);

// The records the grid's data rows stand for; an error when a seconds cell is not a number.
QList<PlayRecord> recordsFromGrid(const Grid &g, QString *error);

// The diary of data row `row` replaced by text and the log rewritten from the list's rows. The grid's cell
// changes only when the log was written, so the list never shows what the file does not hold.
DiaryChange replaceDiary(const QString &dir, Grid &g, int row, const QString &text, const QString &backupStamp);

// "<date> <time> <game>": the play data row `row` stands for, as the user is told which one is meant.
QString playOfRow(const Grid &g, int row);
// "<date> <time> <game> を削除します。よろしいですか？" for data row `row`.
QString deleteQuestion(const Grid &g, int row);
// Data row `row` taken out of the log, rewritten from the list's rows; the grid loses the row only when the
// log was written. The last remaining record leaves an empty log.
WriteResult deleteLogRow(const QString &dir, Grid &g, int row, const QString &backupStamp);

} // namespace mirute
