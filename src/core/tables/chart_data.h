#pragma once

#include "core/tables/chart_scale.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace mirute {

// What the rows of a chart stand for: things side by side (games, hours, plays of a day, a game's plays
// numbered), plays in the order of their dates (drawn as days, weeks or months when they outnumber the
// chart's pixels), consecutive days or weeks beginning at their dates (marked at calendar places).
enum class ChartRowKind { Items, Plays, Days, Weeks };

// Everything that names a chart and says how its axes read, set at once by the view that fills it.
struct ChartDescription {
    QString measure{};     // "項目別の合計時間"
    QString scope{};       // the games and the period: "全項目　2024/01/05～2026/12/06"
    QString rowsTitle{};   // "項目", "時刻（時）"
    QString valuesTitle{}; // "合計時間", "秒数"
    QString valueUnit{};   // "秒", "回", "/秒", "%" or none; a duration chooses its own
    ChartValueKind kind = ChartValueKind::Number;
    ChartRowKind rowKind = ChartRowKind::Items;
    QString periodMeasure{}; // for plays drawn as periods: "%1ごとの平均秒数"
    std::optional<double> limit{};
};

// The values behind a chart: rows are the categories along the horizontal axis, columns the series;
// both numbered from 1 like the rest of the program. Pure data (QtCore only); ChartWidget draws it, and every
// number of its axes (steps, periods, the labels chosen) is computed here.
class ChartData : public QObject {
    Q_OBJECT
public:
    explicit ChartData(QObject *parent = nullptr);

    int rowCount() const;
    void setRowCount(int rows); // new points are 0 with an empty label
    int columnCount() const;
    void setColumnCount(int cols);
    int row() const;
    void setRow(int row);
    int column() const;
    void setColumn(int col);
    void setRowLabel(const QString &label); // label of the current row
    QString rowLabel(int row) const;
    // Every row's label for a category axis, which keeps only one of equal labels: a repeated (or
    // empty) label gets an invisible suffix, so each bar keeps a category of its own.
    QStringList distinctRowLabels() const;
    QList<double> columnValues(int column) const; // the values of one series, rows in order
    void setData(const QString &value);           // value of the current point, as text holding a number
    void setValue(double value);
    double value(int row, int column = 1) const;

    // What hovering a bar tells: a longer name of its row when one is set (a play's number and date),
    // else its label; the series when the chart has several; the value followed by the chart's unit.
    void setRowDetail(const QString &detail); // of the current row
    QString rowDetail(int row) const;
    void setValueUnit(const QString &unit); // "秒", "/秒", "%" or none
    QString valueUnit() const;
    // The value of the current point as its owner's list shows it, without the unit ("3.00" of 3.00/秒), so
    // that a hover shows it alike; unset, the hover shows the value in its shortest form.
    void setValueText(const QString &text);
    QString hoverText(int row, double value, const QString &seriesName = QString()) const;

    // A trend over the first series: for every row the mean of its value and of up to plays − 1 rows
    // before it. Off (0) unless the owner asks for it.
    void setTrendPlays(int plays);
    QString trendName() const;              // "平均(5回)"
    void setTrendUnit(const QString &unit); // what a row is: "回" (a play, the default) or "週"
    QList<double> trendValues() const;
    static QList<double> movingAverage(const QList<double> &values, int plays);

    // All that names the chart, as the setters below would set it one by one.
    void describe(const ChartDescription &description);
    // What the chart shows, above it and on a saved picture: the measure, then its scope (games, period),
    // "項目別の合計時間　2026/12/06".
    void setTitle(const QString &measure, const QString &scope = QString());
    QString title() const;
    // The measure of plays drawn as periods, %1 standing for 日, 週 or 月 ("%1ごとの平均秒数").
    void setPeriodMeasure(const QString &measure);
    QString periodTitle(TimeUnit unit) const;
    // The names of the axes: what the rows are ("時刻（時）") and what the values measure ("合計時間"). The
    // value axis adds its unit: the value unit, or for a duration the one its scale chose.
    void setAxisTitles(const QString &rows, const QString &values);
    QString rowsTitle() const;
    QString valueAxisTitle(const ValueScale &scale) const; // "合計時間（分）", "秒当たり（/秒）"

    // How the values read (a duration hovers as 1:02:05) and the top a value axis does not pass (100 %).
    void setValueKind(ChartValueKind kind);
    ChartValueKind valueKind() const;
    void setValueLimit(std::optional<double> limit);

    // Fixed value axis, or automatic when not set. A fixed range is what the axis covers at least: its
    // labels still step by round numbers, up to the first step above the range's top.
    void setAxisRange(double min, double max);
    void setAxisAuto();
    std::optional<std::pair<double, double>> axisRange() const;
    // The value axis in at most maxTicks labels, over the fixed range and every value, or over the values
    // from low to high that are drawn (the means of periods).
    ValueScale valueScale(int maxTicks) const;
    ValueScale valueScale(int maxTicks, double low, double high) const;
    // The range of valueScale(6).
    std::pair<double, double> displayRange() const;

    // Rows in time: what they are, and the date of the current row (a play's, a day's).
    void setRowKind(ChartRowKind kind);
    ChartRowKind rowKind() const;
    void setRowDate(const QDate &date);
    QDate rowDate(int row) const;
    // Plays that outnumber maxBars are drawn as periods: the unit that fits, or none while they fit.
    std::optional<TimeUnit> periodUnit(int maxBars) const;
    TimeBars periodBars(TimeUnit unit) const;
    // "2026/11/29～2026/12/05 12回 平均 63.2秒"; a period without plays: "… 0回".
    QString periodHoverText(const TimeBars &bars, int index) const;
    // Rows of days or weeks, each dated: their labels at calendar places (at most maxMarks) in the unit
    // dateUnit() tells; none for other rows.
    bool datedRows() const;
    TimeUnit dateUnit() const;
    QList<RowMark> dateRowMarks(int maxMarks) const;

    bool isVisible() const;
    void setVisible(bool visible);

    // Before a panel fills it: 1 series, 1 point of value 0 with an empty label.
    void resetToSingleZero();
    // The same, and the memory of the rows given back: for a chart put away until it is filled again.
    void releaseRows();
    // Several changes at once, one changed() at the end.
    void beginBatch();
    void endBatch();

signals:
    void changed();
    void visibilityChanged(bool visible);

private:
    void touch();
    QString shownValue(int row, double value) const;
    QString valueText(double value, int decimals = -1) const;
    int m_rows = 0, m_cols = 1, m_row = 1, m_col = 1;
    QStringList m_labels;
    QStringList m_details;
    QString m_unit;
    int m_trendPlays = 0;
    QString m_trendUnit = QStringLiteral("回");
    QList<QList<double>> m_values;   // [column-1][row-1]
    QList<QStringList> m_valueTexts; // as m_values; empty until a text is set
    std::optional<std::pair<double, double>> m_axis;
    QString m_measure, m_scope, m_periodMeasure, m_rowsTitle, m_valuesTitle;
    ChartValueKind m_kind = ChartValueKind::Number;
    std::optional<double> m_limit;
    ChartRowKind m_rowKind = ChartRowKind::Items;
    QList<QDate> m_dates; // empty until a date is set
    bool m_visible = true;
    int m_batch = 0;
    bool m_dirty = false;
};

} // namespace mirute
