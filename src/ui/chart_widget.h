#pragma once

#include "ui/chart_data.h"

#include <QColor>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QAbstractAxis;
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace mirute {

// A bar chart (one or two series) drawn from a ChartData; redraws whenever the data changes.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget *parent = nullptr);
    // Draws values that the caller's logic owns and fills; if they go before the widget, it falls back
    // to an empty chart of its own.
    explicit ChartWidget(ChartData *data, QWidget *parent = nullptr);
    ~ChartWidget() override;
    ChartData &data() { return *m_data; }
    const ChartData &data() const { return *m_data; }
    // Series colours and names, set once when a window is designed.
    void setSeriesColors(const QList<QColor> &colors);
    void setSeriesNames(const QStringList &names);
    void setTitle(const QString &title);

    // What is drawn now; changes of the data are drawn together once control returns to the event loop.
    QChart *chart() const;
    QChartView *chartView() const;
    bool redrawPending() const;

private:
    void showData(ChartData *data);
    void scheduleRedraw();
    void redraw();
    void measureRowLabels();
    int fittingLabelStep() const;
    void replaceRowsAxis();
    void onPlotAreaChanged();
    QAbstractAxis *labelAxis() const;
    QAbstractAxis *thinnedAxis(int step) const;
    static int rowsPerBar(int rows);
    static QList<double> barValues(const QList<double> &values, int perBar);
    class Impl;
    ChartData *m_data;
    Impl *m_impl;
};

} // namespace mirute
