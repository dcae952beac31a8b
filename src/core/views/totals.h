#pragma once

#include "core/log/play_log.h"
#include "core/tables/grid.h"
#include "core/views/play_span.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

// The three measures, in the order of their option buttons.
enum class TotalsMeasure { Time = 0, Count = 1, Both = 2 };

// The captions of the three option buttons.
const QStringList &totalsMeasureCaptions();

inline constexpr Rgb kTotalsRowRed{255, 0, 0};
// Grids scroll to their last row beyond these row counts (header included).
inline constexpr int kMonthRowsShown = 7;
inline constexpr int kDayRowsShown = 19;

// Builds the day grid and the month grid of the totals view in one pass over the
// records: one row per calendar day (month) of the span, both ends included, one column per game plus the
// subtotal, and for the months a red "合計" row. An empty span leaves both grids with their header rows
// only. Returns a notice when records fall outside the day rows (dated after today or not dated; see
// PlaySpan), otherwise "".
QString buildTotals(const QList<PlayRecord> &records, const QStringList &games, const PlaySpan &span,
                    TotalsMeasure measure, Grid &dayGrid, Grid &monthGrid);

// The texts of one cell: t whole seconds and c plays in the given measure.
QString totalsSubtotalText(TotalsMeasure measure, qint64 seconds, qint64 plays);
QString totalsGameText(TotalsMeasure measure, qint64 seconds, qint64 plays);

} // namespace mirute
