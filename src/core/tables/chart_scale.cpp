#include "core/tables/chart_scale.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace mirute {

namespace {

// Absorbs the rounding of a division, so that 100 / 20 counts as 5 steps, not 5.000000000001.
constexpr double kSlack = 1e-9;

// The top of a value axis stands at least this far above the highest bar (times its height), so that no
// bar seems to touch it.
constexpr double kHeadroom = 1.04;

constexpr double kMinute = 60;
constexpr double kHour = 3600;

// Below this many seconds a duration reads in seconds, below kHoursFrom in minutes, beyond in hours.
constexpr double kMinutesFrom = 10 * kMinute;
constexpr double kHoursFrom = 2 * kHour;

// Round steps from `first` up: 1, 2 and 5 times a power of ten, scaled by `unit`.
QList<double> decadeSteps(double first, double unit) {
    QList<double> steps;
    for (int exponent = -6; exponent <= 15; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double m : {1.0, 2.0, 5.0})
            if (m * power >= first * (1 - kSlack))
                steps.append(m * power * unit);
    }
    return steps;
}

QList<double> stepsFor(ChartValueKind kind, const QString &unit) {
    if (kind == ChartValueKind::Number)
        return decadeSteps(1e-6, 1);
    if (kind == ChartValueKind::Count || unit == QStringLiteral("秒"))
        return decadeSteps(1, 1);
    if (unit == QStringLiteral("分")) {
        QList<double> steps;
        for (double m : {1, 2, 5, 10, 15, 20, 30})
            steps.append(m * kMinute);
        return steps + decadeSteps(1, kHour);
    }
    return QList<double>{0.5 * kHour} + decadeSteps(1, kHour);
}

QString durationUnit(double high) {
    if (high < kMinutesFrom)
        return QStringLiteral("秒");
    return high < kHoursFrom ? QStringLiteral("分") : QStringLiteral("時間");
}

QString tickLabel(double value, double step, ChartValueKind kind, const QString &unit) {
    if (kind != ChartValueKind::Duration) {
        const int decimals = step < 1 ? int(std::ceil(-std::log10(step) - kSlack)) : 0;
        return formatFixed(value, decimals);
    }
    if (unit == QStringLiteral("秒"))
        return formatFixed(value, 0);
    if (unit == QStringLiteral("分"))
        return formatFixed(value / kMinute, 0);
    const qint64 minutes = std::llround(value / kMinute);
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

int monthIndex(const QDate &d) {
    return d.year() * 12 + d.month() - 1;
}

} // namespace

ValueScale valueScale(double low, double high, ChartValueKind kind, int maxTicks, std::optional<double> limit) {
    low = std::isfinite(low) ? std::min(low, 0.0) : 0.0;
    high = std::isfinite(high) ? std::max(high, 0.0) : 0.0;
    maxTicks = std::max(maxTicks, 2);
    // An empty chart still gets an axis one unit high, rather than one of a millionth.
    const bool empty = low == 0 && high == 0;
    if (empty)
        high = 1;
    ValueScale scale;
    if (kind == ChartValueKind::Duration)
        scale.unit = durationUnit(high);
    const QList<double> steps = stepsFor(kind, scale.unit);
    for (const double step : steps) {
        double top =
            empty ? std::ceil(high / step - kSlack) * step : (std::floor(high * kHeadroom / step + kSlack) + 1) * step;
        if (limit && high <= *limit * (1 + kSlack) && top > *limit)
            top = std::max(step, std::ceil(*limit / step - kSlack) * step);
        const double bottom = low < 0 ? -std::ceil(-low / step - kSlack) * step : 0.0;
        const double ticks = std::round((top - bottom) / step) + 1;
        scale = ValueScale{bottom, top, step, scale.unit, {}};
        if (ticks <= maxTicks || step == steps.last())
            break;
    }
    const qint64 first = std::llround(scale.min / scale.step), last = std::llround(scale.max / scale.step);
    for (qint64 k = first; k <= last; ++k) {
        // Each tick from its own multiple, so that no rounding is carried from one to the next.
        const double value = k == 0 ? 0.0 : double(k) * scale.step;
        scale.ticks.append({value, tickLabel(value, scale.step, kind, scale.unit)});
    }
    return scale;
}

QDate periodStart(const QDate &d, TimeUnit unit) {
    if (!d.isValid())
        return {};
    switch (unit) {
    case TimeUnit::Day: return d;
    case TimeUnit::Week: return d.addDays(-weekdayIndex(d));
    case TimeUnit::Month: return QDate(d.year(), d.month(), 1);
    }
    return d;
}

qint64 periodCount(const QDate &from, const QDate &to, TimeUnit unit) {
    if (!from.isValid() || !to.isValid() || to < from)
        return 0;
    switch (unit) {
    case TimeUnit::Day: return from.daysTo(to) + 1;
    case TimeUnit::Week: return periodStart(from, unit).daysTo(periodStart(to, unit)) / 7 + 1;
    case TimeUnit::Month: return monthIndex(to) - monthIndex(from) + 1;
    }
    return 0;
}

QString unitName(TimeUnit unit) {
    switch (unit) {
    case TimeUnit::Day: return QStringLiteral("日");
    case TimeUnit::Week: return QStringLiteral("週");
    case TimeUnit::Month: return QStringLiteral("月");
    }
    return {};
}

QString periodAxisTitle(TimeUnit unit) {
    switch (unit) {
    case TimeUnit::Day: return QStringLiteral("日付");
    case TimeUnit::Week: return QStringLiteral("週（日曜から）");
    case TimeUnit::Month: return QStringLiteral("月");
    }
    return {};
}

TimeUnit fittingUnit(const QDate &first, const QDate &last, int maxBars) {
    for (TimeUnit unit : {TimeUnit::Day, TimeUnit::Week})
        if (periodCount(first, last, unit) <= maxBars)
            return unit;
    return TimeUnit::Month;
}

std::pair<QDate, QDate> dateSpan(const QList<QDate> &dates) {
    QDate first, last;
    for (const QDate &d : dates) {
        if (!d.isValid())
            continue;
        if (!first.isValid() || d < first)
            first = d;
        if (!last.isValid() || d > last)
            last = d;
    }
    return {first, last};
}

TimeBars timeBars(const QList<QDate> &dates, const QList<double> &values, TimeUnit unit) {
    TimeBars bars;
    bars.unit = unit;
    const auto [first, last] = dateSpan(dates);
    const qint64 count = periodCount(first, last, unit);
    if (count <= 0)
        return bars;
    const QDate start = periodStart(first, unit);
    const auto indexOf = [&](const QDate &d) -> qint64 {
        switch (unit) {
        case TimeUnit::Day: return start.daysTo(d);
        case TimeUnit::Week: return start.daysTo(d) / 7;
        case TimeUnit::Month: return monthIndex(d) - monthIndex(start);
        }
        return 0;
    };
    QList<double> sums(count, 0.0);
    bars.counts.fill(0, count);
    for (qsizetype i = 0; i < dates.size() && i < values.size(); ++i) {
        if (!dates[i].isValid())
            continue;
        const qint64 k = indexOf(dates[i]);
        sums[k] += values[i];
        ++bars.counts[k];
    }
    bars.starts.reserve(count);
    bars.means.reserve(count);
    for (qint64 k = 0; k < count; ++k) {
        bars.starts.append(unit == TimeUnit::Month ? start.addMonths(int(k))
                                                   : start.addDays(k * (unit == TimeUnit::Week ? 7 : 1)));
        bars.means.append(bars.counts[k] > 0 ? sums[k] / bars.counts[k] : 0.0);
    }
    return bars;
}

QString periodText(const QDate &start, TimeUnit unit) {
    if (unit == TimeUnit::Week)
        return dateText(start) + u'～' + dateText(start.addDays(6));
    return dateMarkText(start, unit);
}

QString dateMarkText(const QDate &start, TimeUnit unit) {
    if (unit == TimeUnit::Month)
        return QStringLiteral("%1/%2")
            .arg(start.year(), 4, 10, QLatin1Char('0'))
            .arg(start.month(), 2, 10, QLatin1Char('0'));
    return dateText(start);
}

QList<RowMark> dateMarks(const QList<QDate> &starts, TimeUnit unit, int maxMarks) {
    if (starts.isEmpty() || maxMarks < 1)
        return {};
    // The bar of the first period that begins in a month: the month's first day, its first Sunday, itself.
    const auto opensMonth = [&](qsizetype i) {
        if (i > 0)
            return monthIndex(starts[i]) != monthIndex(starts[i - 1]);
        return unit == TimeUnit::Month || starts[0].day() == 1 || (unit == TimeUnit::Week && starts[0].day() <= 7);
    };
    QList<std::function<bool(qsizetype)>> levels{[](qsizetype) { return true; }};
    if (unit == TimeUnit::Day) {
        levels.append([&](qsizetype i) { return starts[i].day() <= 26 && (starts[i].day() - 1) % 5 == 0; });
        levels.append([&](qsizetype i) { return starts[i].day() <= 21 && (starts[i].day() - 1) % 10 == 0; });
        levels.append([&](qsizetype i) { return starts[i].day() == 1 || starts[i].day() == 16; });
    }
    // Every month, then every 2, 3 and 6 months, every year and every 2, 5, 10, … years: until at most one
    // bar of the whole chart is marked.
    const int months = monthIndex(starts.last()) - monthIndex(starts.first()) + 1;
    QList<int> monthSteps{1, 2, 3, 6};
    for (int years = 1; monthSteps.last() <= months; years *= 10)
        monthSteps << 12 * years << 24 * years << 60 * years;
    for (int k : monthSteps)
        levels.append([&, k](qsizetype i) { return opensMonth(i) && monthIndex(starts[i]) % k == 0; });

    for (const auto &marked : levels) {
        QList<RowMark> marks;
        for (qsizetype i = 0; i < starts.size() && marks.size() <= maxMarks; ++i)
            if (marked(i))
                marks.append({int(i), dateMarkText(starts[i], unit)});
        if (marks.size() > maxMarks)
            continue;
        // Too few days for any calendar place: the first bar says where the chart begins.
        if (marks.isEmpty())
            marks.append({0, dateMarkText(starts.first(), unit)});
        return marks;
    }
    return {{0, dateMarkText(starts.first(), unit)}};
}

} // namespace mirute
