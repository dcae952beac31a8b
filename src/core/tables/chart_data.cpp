#include "core/tables/chart_data.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/tables/numeric_text.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace mirute {

ChartData::ChartData(QObject *parent) : QObject(parent) {
    m_values.resize(m_cols);
}

int ChartData::rowCount() const {
    return m_rows;
}

void ChartData::setRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == m_rows)
        return;
    m_rows = rows;
    m_labels.resize(rows);
    m_details.resize(rows);
    for (auto &series : m_values)
        series.resize(rows, 0.0);
    for (auto &texts : m_valueTexts)
        texts.resize(rows);
    if (!m_dates.isEmpty())
        m_dates.resize(rows);
    touch();
}

int ChartData::columnCount() const {
    return m_cols;
}

void ChartData::setColumnCount(int cols) {
    cols = std::max(cols, 1);
    if (cols == m_cols)
        return;
    m_cols = cols;
    m_values.resize(cols);
    for (auto &series : m_values)
        series.resize(m_rows, 0.0);
    if (!m_valueTexts.isEmpty()) {
        m_valueTexts.resize(cols);
        for (auto &texts : m_valueTexts)
            texts.resize(m_rows);
    }
    touch();
}

int ChartData::row() const {
    return m_row;
}
void ChartData::setRow(int row) {
    m_row = row;
}
int ChartData::column() const {
    return m_col;
}
void ChartData::setColumn(int col) {
    m_col = col;
}

void ChartData::setRowLabel(const QString &label) {
    if (m_row < 1 || m_row > m_rows)
        return;
    m_labels[m_row - 1] = label;
    touch();
}

QString ChartData::rowLabel(int row) const {
    return row >= 1 && row <= m_rows ? m_labels[row - 1] : QString();
}

QStringList ChartData::distinctRowLabels() const {
    QStringList labels;
    labels.reserve(m_rows);
    QSet<QString> seen;
    seen.reserve(m_rows);
    for (const QString &label : m_labels) {
        QString distinct = label.isNull() ? QStringLiteral("") : label;
        // Zero-width characters: the number of the row, in binary, drawn as nothing.
        for (qsizetype k = labels.size(); seen.contains(distinct); ++k) {
            distinct = label + QChar(0x2060);
            for (qsizetype bits = k; bits > 0; bits >>= 1)
                distinct += QChar((bits & 1) ? 0x200C : 0x200B);
        }
        seen.insert(distinct);
        labels.append(distinct);
    }
    return labels;
}

QList<double> ChartData::columnValues(int column) const {
    return column >= 1 && column <= m_cols ? m_values[column - 1] : QList<double>();
}

void ChartData::setData(const QString &value) {
    setValue(leadingNumber(value));
}

void ChartData::setValue(double value) {
    if (m_row < 1 || m_row > m_rows || m_col < 1 || m_col > m_cols || !std::isfinite(value))
        return;
    m_values[m_col - 1][m_row - 1] = value;
    touch();
}

double ChartData::value(int row, int column) const {
    if (row < 1 || row > m_rows || column < 1 || column > m_cols)
        return 0.0;
    return m_values[column - 1][row - 1];
}

void ChartData::setRowDetail(const QString &detail) {
    if (m_row < 1 || m_row > m_rows)
        return;
    m_details[m_row - 1] = detail;
}

QString ChartData::rowDetail(int row) const {
    return row >= 1 && row <= m_rows ? m_details[row - 1] : QString();
}

void ChartData::setValueUnit(const QString &unit) {
    m_unit = unit;
}

QString ChartData::valueUnit() const {
    return m_unit;
}

void ChartData::setValueText(const QString &text) {
    if (m_row < 1 || m_row > m_rows || m_col < 1 || m_col > m_cols)
        return;
    if (m_valueTexts.isEmpty()) {
        m_valueTexts.resize(m_cols);
        for (auto &texts : m_valueTexts)
            texts.resize(m_rows);
    }
    m_valueTexts[m_col - 1][m_row - 1] = text;
}

// The text given to a point of the row with this value; for a bar standing for a run of rows, whose value is
// the run's top, the value with as many decimals as the row's own text.
QString ChartData::shownValue(int row, double value) const {
    if (m_kind == ChartValueKind::Duration)
        return durationText(std::llround(value));
    QString like;
    for (qsizetype c = 0; c < m_valueTexts.size() && row >= 1 && row <= m_rows; ++c) {
        const QString &text = m_valueTexts[c][row - 1];
        if (text.isEmpty())
            continue;
        if (m_values[c][row - 1] == value)
            return text;
        if (like.isEmpty())
            like = text;
    }
    if (like.isEmpty())
        return formatNumber(value);
    const qsizetype point = like.indexOf(u'.');
    return formatFixed(value, point < 0 ? 0 : int(like.size() - point - 1));
}

QString ChartData::hoverText(int row, double value, const QString &seriesName) const {
    const QString detail = rowDetail(row);
    QStringList parts{detail.isEmpty() ? rowLabel(row) : detail};
    if (!seriesName.isEmpty())
        parts.append(seriesName);
    parts.append(shownValue(row, value) + (m_kind == ChartValueKind::Duration ? QString() : m_unit));
    parts.removeAll(QString());
    return parts.join(u' ');
}

// A value not taken from a row (the mean of a period): as a duration, or with one decimal and the unit.
QString ChartData::valueText(double value, int decimals) const {
    if (m_kind == ChartValueKind::Duration)
        return durationText(std::llround(value));
    return (decimals < 0 ? formatNumber(value) : formatFixed(value, decimals)) + m_unit;
}

void ChartData::setTrendPlays(int plays) {
    plays = std::max(plays, 0);
    if (plays == m_trendPlays)
        return;
    m_trendPlays = plays;
    touch();
}

QString ChartData::trendName() const {
    return QStringLiteral("平均(%1%2)").arg(m_trendPlays).arg(m_trendUnit);
}

void ChartData::setTrendUnit(const QString &unit) {
    m_trendUnit = unit;
    touch();
}

QList<double> ChartData::trendValues() const {
    return m_trendPlays > 0 ? movingAverage(columnValues(1), m_trendPlays) : QList<double>();
}

QList<double> ChartData::movingAverage(const QList<double> &values, int plays) {
    QList<double> means;
    if (plays < 1)
        return means;
    means.reserve(values.size());
    // Summed afresh for every row: a running sum would carry its rounding along thousands of plays.
    for (qsizetype i = 0; i < values.size(); ++i) {
        const qsizetype first = std::max<qsizetype>(0, i - plays + 1);
        double sum = 0.0;
        for (qsizetype k = first; k <= i; ++k)
            sum += values[k];
        means.append(sum / double(i - first + 1));
    }
    return means;
}

void ChartData::setAxisRange(double min, double max) {
    if (!std::isfinite(min) || !std::isfinite(max))
        return;
    if (max < min)
        std::swap(min, max);
    // A computed maximum of 0 over an all-zero chart must still give the axis some height.
    if (max == min)
        max = min + 1.0;
    m_axis = std::make_pair(min, max);
    touch();
}

void ChartData::setAxisAuto() {
    if (!m_axis)
        return;
    m_axis.reset();
    touch();
}

std::optional<std::pair<double, double>> ChartData::axisRange() const {
    return m_axis;
}

ValueScale ChartData::valueScale(int maxTicks) const {
    double low = 0.0, high = 0.0;
    for (const auto &series : m_values) {
        for (double v : series) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    return valueScale(maxTicks, low, high);
}

ValueScale ChartData::valueScale(int maxTicks, double low, double high) const {
    if (m_axis) {
        low = std::min(low, m_axis->first);
        high = std::max(high, m_axis->second);
    }
    return mirute::valueScale(low, high, m_kind, maxTicks, m_limit);
}

std::pair<double, double> ChartData::displayRange() const {
    const ValueScale scale = valueScale(6);
    return {scale.min, scale.max};
}

void ChartData::describe(const ChartDescription &d) {
    beginBatch();
    setTitle(d.measure, d.scope);
    setPeriodMeasure(d.periodMeasure);
    setAxisTitles(d.rowsTitle, d.valuesTitle);
    setValueUnit(d.valueUnit);
    setValueKind(d.kind);
    setRowKind(d.rowKind);
    setValueLimit(d.limit);
    endBatch();
}

void ChartData::setTitle(const QString &measure, const QString &scope) {
    m_measure = measure;
    m_scope = scope;
    touch();
}

QString ChartData::title() const {
    return m_scope.isEmpty() ? m_measure : m_measure + u'　' + m_scope;
}

void ChartData::setPeriodMeasure(const QString &measure) {
    m_periodMeasure = measure;
}

QString ChartData::periodTitle(TimeUnit unit) const {
    const QString measure = m_periodMeasure.isEmpty() ? m_measure : m_periodMeasure.arg(unitName(unit));
    return m_scope.isEmpty() ? measure : measure + u'　' + m_scope;
}

void ChartData::setAxisTitles(const QString &rows, const QString &values) {
    m_rowsTitle = rows;
    m_valuesTitle = values;
    touch();
}

QString ChartData::rowsTitle() const {
    return m_rowsTitle;
}

QString ChartData::valueAxisTitle(const ValueScale &scale) const {
    const QString unit = m_kind == ChartValueKind::Duration ? scale.unit : m_unit;
    if (m_valuesTitle.isEmpty() || unit.isEmpty())
        return m_valuesTitle + unit;
    return m_valuesTitle + u'（' + unit + u'）';
}

void ChartData::setValueKind(ChartValueKind kind) {
    if (kind == m_kind)
        return;
    m_kind = kind;
    touch();
}

ChartValueKind ChartData::valueKind() const {
    return m_kind;
}

void ChartData::setValueLimit(std::optional<double> limit) {
    m_limit = limit;
}

void ChartData::setRowKind(ChartRowKind kind) {
    if (kind == m_rowKind)
        return;
    m_rowKind = kind;
    touch();
}

ChartRowKind ChartData::rowKind() const {
    return m_rowKind;
}

void ChartData::setRowDate(const QDate &date) {
    if (m_row < 1 || m_row > m_rows)
        return;
    if (m_dates.isEmpty())
        m_dates.resize(m_rows);
    m_dates[m_row - 1] = date;
}

QDate ChartData::rowDate(int row) const {
    return row >= 1 && row <= m_dates.size() ? m_dates[row - 1] : QDate();
}

std::optional<TimeUnit> ChartData::periodUnit(int maxBars) const {
    if (m_rowKind != ChartRowKind::Plays || m_rows <= maxBars)
        return std::nullopt;
    const auto [first, last] = dateSpan(m_dates);
    if (!first.isValid())
        return std::nullopt;
    return fittingUnit(first, last, maxBars);
}

TimeBars ChartData::periodBars(TimeUnit unit) const {
    return timeBars(m_dates, columnValues(1), unit);
}

QString ChartData::periodHoverText(const TimeBars &bars, int index) const {
    if (index < 0 || index >= bars.starts.size())
        return {};
    const int plays = bars.counts[index];
    QString text = periodText(bars.starts[index], bars.unit) + QStringLiteral(" %1回").arg(plays);
    if (plays > 0)
        text += QStringLiteral(" 平均 ") + valueText(bars.means[index], 1);
    return text;
}

bool ChartData::datedRows() const {
    return (m_rowKind == ChartRowKind::Days || m_rowKind == ChartRowKind::Weeks) && rowDate(1).isValid();
}

TimeUnit ChartData::dateUnit() const {
    return m_rowKind == ChartRowKind::Weeks ? TimeUnit::Week : TimeUnit::Day;
}

QList<RowMark> ChartData::dateRowMarks(int maxMarks) const {
    if (!datedRows())
        return {};
    return dateMarks(m_dates, dateUnit(), maxMarks);
}

bool ChartData::isVisible() const {
    return m_visible;
}

void ChartData::setVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    emit visibilityChanged(visible);
}

void ChartData::resetToSingleZero() {
    beginBatch();
    setColumnCount(1);
    setColumn(1);
    setRowCount(1);
    setRow(1);
    setData(QStringLiteral("0"));
    setRowLabel(QString());
    setRowDetail(QString());
    m_valueTexts.clear();
    m_dates.clear();
    // The point may already have been 0 with an empty label; the reset still asks for a redraw.
    touch();
    endBatch();
}

void ChartData::releaseRows() {
    resetToSingleZero();
    m_labels.squeeze();
    m_details.squeeze();
    m_dates.squeeze();
    for (auto &series : m_values)
        series.squeeze();
}

void ChartData::beginBatch() {
    ++m_batch;
}

void ChartData::endBatch() {
    if (m_batch == 0 || --m_batch > 0)
        return;
    if (m_dirty) {
        m_dirty = false;
        emit changed();
    }
}

void ChartData::touch() {
    if (m_batch > 0)
        m_dirty = true;
    else
        emit changed();
}

} // namespace mirute
