#pragma once

#include "core/tables/chart_data.h"

#include <QColor>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QAbstractAxis;
class QAbstractSeries;
class QCategoryAxis;
class QChart;
class QChartView;
class QImage;
class QLineSeries;
QT_END_NAMESPACE

namespace mirute {

// A bar chart (one or two series, optionally a trend line over them) drawn from a ChartData, under its title
// and between its named axes; redraws whenever the data changes. Plays that outnumber the chart's pixels are
// drawn as the days, weeks or months the data chooses; other rows that do are drawn in runs, each as high as
// its largest value (one series: as one filled outline of the runs' tops). Hovering a bar or a run tells its
// row, period and value; "画像保存…" in the context menu saves a PNG with the title and the day it was saved.
// Every number of the axes comes from the data; the widget measures only how many labels have room.
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

    // What is drawn now; changes of the data are drawn together once control returns to the event loop.
    QChart *chart() const;
    QChartView *chartView() const;
    bool redrawPending() const;

    // The chart as shown, with a line under it telling the day it was saved (the program's clock).
    QImage savedPicture() const;
    // Writes savedPicture() to a PNG file. Returns an error text or "".
    QString saveImage(const QString &path) const;
    // Asks for a file name and saves there, telling the user when it failed ("画像保存…" in the menu).
    void saveImageWithDialog();
    // What the chart shows, for the file name a save proposes ("全グラフ_日別推移（回数）"); the accessible
    // name if unset.
    void setFileTitle(const QString &title);

protected:
    void contextMenuEvent(QContextMenuEvent *e) override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void showData(ChartData *data);
    void scheduleRedraw();
    void redraw();
    QLineSeries *trendSeries(int perBar) const;
    QAbstractSeries *bars(const QList<QList<double>> &values, bool thin);
    QAbstractSeries *runsArea(const QList<double> &tops);
    void showHover(bool on, int bar, double value, const QString &series);
    int runAt(QPointF viewPoint) const;
    void measureRowLabels();
    int fittingLabelStep() const;
    int markRoom() const;
    bool datedRows() const;
    void replaceRowsAxis();
    void onPlotAreaChanged();
    void fitValueTicks();
    QAbstractAxis *labelAxis() const;
    QAbstractAxis *thinnedAxis(int step) const;
    QAbstractAxis *markedAxis(int room) const;
    static QCategoryAxis *barsAxis(int bars);
    bool labelFits(const QString &label, int bar, int bars) const;
    QString shownTitle() const;
    static int rowsPerBar(int rows, int bars);
    int barsForWidth() const;
    static QList<double> barValues(const QList<double> &values, int perBar);
    class Impl;
    ChartData *m_data;
    Impl *m_impl;
};

} // namespace mirute
