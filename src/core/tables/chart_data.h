#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace mirute {

// The values behind a chart: rows are the categories along the horizontal axis, columns the series;
// both numbered from 1 like the rest of the program. Pure data (QtCore only); ChartWidget draws it.
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

    // Fixed value axis, or automatic when not set.
    void setAxisRange(double min, double max);
    void setAxisAuto();
    std::optional<std::pair<double, double>> axisRange() const;
    // The range the value axis shows: the fixed one, or from 0 (or below, for negative values) to a
    // round number at or above the largest value, at least 1.
    std::pair<double, double> displayRange() const;
    static double roundUp(double value); // 1, 2, 2.5 or 5 times a power of ten, >= value

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
    int m_rows = 0, m_cols = 1, m_row = 1, m_col = 1;
    QStringList m_labels;
    QStringList m_details;
    QString m_unit;
    int m_trendPlays = 0;
    QString m_trendUnit = QStringLiteral("回");
    QList<QList<double>> m_values;   // [column-1][row-1]
    QList<QStringList> m_valueTexts; // as m_values; empty until a text is set
    std::optional<std::pair<double, double>> m_axis;
    bool m_visible = true;
    int m_batch = 0;
    bool m_dirty = false;
};

} // namespace mirute
