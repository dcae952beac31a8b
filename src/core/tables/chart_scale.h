#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace mirute {

// How the numbers of a value axis read.
enum class ChartValueKind {
    Number,   // plain numbers (per second, a rate, a play's seconds): steps of 1, 2 or 5 times a power of ten
    Count,    // whole numbers (plays, answers): the same steps, never below 1
    Duration, // seconds of play, shown in 秒, 分 or 時間 (h:mm) as the largest value asks
};

struct AxisTick {
    double value; // where the tick stands, in the chart's own values (seconds for a duration)
    QString label;
    bool operator==(const AxisTick &) const = default;
};

// A value axis: from min to max in equal round steps, each with its label.
struct ValueScale {
    double min = 0;
    double max = 1;
    double step = 1;
    QString unit; // of a duration: 秒, 分 or 時間; otherwise empty
    QList<AxisTick> ticks;
};

// The axis for values from low to high in at most maxTicks labels (at least 2): the smallest round step
// whose multiples reach above high by more than a twenty-fifth of it (a bar never seems to touch the top),
// and down to low, when it is below 0. A limit (100 for a rate) is a top the axis does not pass when the values stay within it.
ValueScale valueScale(double low, double high, ChartValueKind kind, int maxTicks,
                      std::optional<double> limit = std::nullopt);

// The periods a long log is charted in, the smallest that fits.
enum class TimeUnit { Day, Week, Month };

// The first day of the period holding d: the day itself, the Sunday on or before it (the weeks of the
// calendar), or the first of its month.
QDate periodStart(const QDate &d, TimeUnit unit);
// Periods from the one holding `from` to the one holding `to`, both included; 0 when either is invalid.
qint64 periodCount(const QDate &from, const QDate &to, TimeUnit unit);
QString unitName(TimeUnit unit);        // 日, 週, 月
QString periodAxisTitle(TimeUnit unit); // the rows' axis of periods: 日付, 週（日曜から）, 月

// Plays grouped into consecutive periods from the first dated play to the last: each period's mean value
// (0 without a play) and its number of plays. Undated plays (an invalid date) are left out.
struct TimeBars {
    TimeUnit unit = TimeUnit::Day;
    QList<QDate> starts;
    QList<double> means;
    QList<int> counts;
};

// The unit for plays dated from `first` to `last`: days when their number fits in maxBars, else weeks,
// else months (even when months do not fit either).
// The earliest and the latest valid date; both invalid when none is.
std::pair<QDate, QDate> dateSpan(const QList<QDate> &dates);
TimeUnit fittingUnit(const QDate &first, const QDate &last, int maxBars);
TimeBars timeBars(const QList<QDate> &dates, const QList<double> &values, TimeUnit unit);

// What a period is called in a hover: "2026/12/06", "2026/11/29～2026/12/05", "2026/12".
QString periodText(const QDate &start, TimeUnit unit);

// A label of the category axis, under the bar of its index (from 0).
struct RowMark {
    int index;
    QString label;
    bool operator==(const RowMark &) const = default;
};

// The label a period's bar is marked with: the date ("2026/12/01") or, for a month, "2026/12".
QString dateMarkText(const QDate &start, TimeUnit unit);
// Labels for bars of consecutive periods (days, weeks or months beginning at `starts`), at most maxMarks of
// them, at calendar places: every bar when they fit, else days 1, 6, 11, …, then 1, 11, 21, then 1 and 16
// of each month (days only), then the first bar of every month, of every 2, 3 or 6 months, of every year,
// of every 2, 5, 10, … years.
QList<RowMark> dateMarks(const QList<QDate> &starts, TimeUnit unit, int maxMarks);

} // namespace mirute
