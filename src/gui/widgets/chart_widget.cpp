#include "gui/widgets/chart_widget.h"

#include "gui/widgets/grid_model.h"
#include "gui/widgets/message_dialog.h"
#include "gui/widgets/save_file_dialog.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetricsF>
#include <QHash>
#include <QHelpEvent>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QSaveFile>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kImageDialogName = QStringLiteral("dlgImage");
const QString kMenuName = QStringLiteral("mnuChart");
const QString kSaveImageActionName = QStringLiteral("mnuImage");

// A calm blue for the first series and a red for the second (OK and NG in the history charts).
const QList<QColor> kDefaultColors{QColor(70, 114, 196), QColor(214, 64, 64), QColor(96, 160, 80)};

// The trend line: amber, clear of the blue and red bars it crosses.
const QColor kTrendColor(235, 140, 0);
const QString kImageCaption = QStringLiteral("画像保存…");
const SavedFileKind kImageFile{QStringLiteral("画像保存"), kImageDialogName, QStringLiteral("PNG (*.png)"),
                               QStringLiteral("png")};

// Beyond this many bars each one is a pixel or less wide: outlines would only hide the fill.
constexpr int kOutlinedBars = 400;
// Beyond this many bars each one stands for a run of rows, and the category axis, which checks every new
// label against all earlier ones, would take seconds for a whole log.
constexpr int kLabelledBars = 1000;
// Rows in runs are drawn as at most one bar for each pixel of the chart's width: more would only be painted
// over one another, and each costs an item to build and a rectangle to paint. A chart not yet laid out
// still gets this many.
constexpr int kFewestRunBars = 200;
// Qt Charts keeps this much room on each side of an axis label, and cuts a label that does not fit
// between its neighbours down to "...".
constexpr qreal kLabelPadding = 4.0;

// Whether a label step reads as a short decimal (at most three places): 4, 0.5, 250 but not 6.66667.
bool isShortDecimal(qreal step) {
    // The tolerance only absorbs the rounding of a division: 666.667 (2000 / 3) is not short.
    const qreal thousandths = step * 1000;
    return std::abs(thousandths - std::round(thousandths)) < 1e-9 * std::max<qreal>(1, thousandths);
}

// Rows between two labels of a thinned axis: 1, 2, 5, 10, 20, 50, …
int nextLabelStep(int step) {
    int power = 1;
    while (power * 10 <= step)
        power *= 10;
    const int first = step / power;
    return (first == 1 ? 2 : first == 2 ? 5 : 10) * power;
}

} // namespace

class ChartWidget::Impl {
public:
    QChartView *view = nullptr;
    QChart *chart = nullptr;
    QAbstractAxis *rowsAxis = nullptr;
    QValueAxis *values = nullptr;
    QAbstractSeries *series = nullptr; // the bars, or the area of a whole log's runs
    QList<double> runTops;             // the area's value for each run of rows
    int hoveredRun = -1;
    QString hoverText; // what the bar or run under the mouse tells; "" off them
    QTimer redrawTimer;
    QList<QColor> colors = kDefaultColors;
    QStringList names;
    QString fileTitle; // what the chart shows, for a saved picture's name
    // The row labels as the axis shows them, measured once per redraw: whether they tell the rows apart
    // (hours, dates) and how wide the widest is.
    bool labelsNameRows = false;
    qreal widestLabel = 0;
    int labelStep = 0; // rows between two labels of a thinned axis; 0: a label under every bar
    int perBar = 1;    // rows that each bar drawn stands for

    QColor color(int series) const {
        return series < colors.size() ? colors[series] : kDefaultColors[series % kDefaultColors.size()];
    }
    QString name(int series) const { return series < names.size() ? names[series] : QString::number(series + 1); }
};

ChartWidget::ChartWidget(QWidget *parent) : ChartWidget(nullptr, parent) {}

// Chart data owned elsewhere (a game's history) is drawn without being owned.
ChartWidget::ChartWidget(ChartData *data, QWidget *parent) : QWidget(parent), m_data(nullptr), m_impl(new Impl) {
    m_impl->chart = new QChart;
    m_impl->chart->setAnimationOptions(QChart::NoAnimation);
    m_impl->chart->legend()->setAlignment(Qt::AlignBottom);
    m_impl->chart->legend()->hide();
    m_impl->values = new QValueAxis(m_impl->chart);
    m_impl->values->setLabelFormat(QStringLiteral("%g"));
    m_impl->values->setTickCount(6);
    m_impl->chart->addAxis(m_impl->values, Qt::AlignLeft);

    // Labels too wide for their bars are thinned once the plot's width is known, and again when it changes.
    connect(m_impl->chart, &QChart::plotAreaChanged, this, &ChartWidget::onPlotAreaChanged, Qt::QueuedConnection);

    m_impl->view = new QChartView(m_impl->chart, this);
    m_impl->view->setRenderHint(QPainter::Antialiasing);
    m_impl->view->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_impl->view);

    // A fill sets thousands of points one by one; they are drawn once, when the filling handler returns.
    m_impl->redrawTimer.setSingleShot(true);
    m_impl->redrawTimer.setInterval(0);
    connect(&m_impl->redrawTimer, &QTimer::timeout, this, &ChartWidget::redraw);
    showData(data ? data : new ChartData(this));
}

void ChartWidget::showData(ChartData *data) {
    m_data = data;
    connect(m_data, &ChartData::changed, this, &ChartWidget::scheduleRedraw);
    connect(m_data, &ChartData::visibilityChanged, this, &QWidget::setVisible);
    if (m_data->parent() != this)
        connect(m_data, &QObject::destroyed, this, [this] { showData(new ChartData(this)); });
    if (!m_data->isVisible())
        setVisible(false);
    redraw();
}

ChartWidget::~ChartWidget() {
    delete m_impl;
}

void ChartWidget::setSeriesColors(const QList<QColor> &colors) {
    m_impl->colors = colors;
    scheduleRedraw();
}

void ChartWidget::setSeriesNames(const QStringList &names) {
    m_impl->names = names;
    scheduleRedraw();
}

void ChartWidget::setTitle(const QString &title) {
    m_impl->chart->setTitle(title);
}

QChart *ChartWidget::chart() const {
    return m_impl->chart;
}
QChartView *ChartWidget::chartView() const {
    return m_impl->view;
}
bool ChartWidget::redrawPending() const {
    return m_impl->redrawTimer.isActive();
}

// A panel fills its charts while it is hidden; drawn as it is shown, the chart is painted once, with its
// new bars, instead of once with the old ones and again when the redraw timer fires.
void ChartWidget::showEvent(QShowEvent *e) {
    if (redrawPending())
        redraw();
    QWidget::showEvent(e);
}

void ChartWidget::scheduleRedraw() {
    if (!m_impl->redrawTimer.isActive())
        m_impl->redrawTimer.start();
}

void ChartWidget::redraw() {
    m_impl->redrawTimer.stop();
    QChart *chart = m_impl->chart;
    chart->removeAllSeries();

    const int rows = m_data->rowCount();
    const int perBar = rowsPerBar(rows, barsForWidth());
    m_impl->perBar = perBar;
    m_impl->hoveredRun = -1;
    m_impl->hoverText.clear();
    m_impl->runTops.clear();
    QAbstractSeries *series = perBar > 1 && m_data->columnCount() == 1 ? runsArea(perBar) : bars(perBar);
    chart->addSeries(series);
    m_impl->series = series;

    measureRowLabels();
    m_impl->labelStep = fittingLabelStep();
    replaceRowsAxis();

    const auto [low, high] = m_data->displayRange();
    m_impl->values->setRange(low, high);
    fitValueTicks();
    series->attachAxis(m_impl->values);

    QLineSeries *trend = trendSeries(perBar);
    if (trend) {
        chart->addSeries(trend);
        trend->attachAxis(m_impl->rowsAxis);
        trend->attachAxis(m_impl->values);
    }
    // Bars a pixel or less wide gain nothing from smoothed edges, which cost most of the chart's painting;
    // a trend line over them keeps its smooth curve.
    m_impl->view->setRenderHint(QPainter::Antialiasing, rows <= kOutlinedBars || trend);
    // One series needs no legend entry of its own: the chart's button or caption names it.
    const bool severalSeries = m_data->columnCount() >= 2;
    for (QLegendMarker *marker : chart->legend()->markers(series))
        marker->setVisible(severalSeries);
    chart->legend()->setVisible(severalSeries || trend);
}

QAbstractSeries *ChartWidget::bars(int perBar) {
    const int rows = m_data->rowCount();
    auto *series = new QBarSeries;
    for (int c = 0; c < m_data->columnCount(); ++c) {
        auto *set = new QBarSet(m_impl->name(c));
        set->setColor(m_impl->color(c));
        set->setBorderColor(rows > kOutlinedBars ? Qt::transparent : m_impl->color(c).darker(120));
        set->append(barValues(m_data->columnValues(c + 1), perBar));
        series->append(set);
    }
    // Thin bars side by side, so that thousands of them still show their colour rather than a haze.
    if (rows > kOutlinedBars)
        series->setBarWidth(1.0);
    connect(series, &QBarSeries::hovered, this, [this, perBar](bool on, int bar, QBarSet *set) {
        showHover(on, bar, set->at(bar), m_data->columnCount() >= 2 ? set->label() : QString(), perBar);
    });
    return series;
}

// The runs of a whole log, a pixel wide or less, as one filled outline of their tops, a step for each run:
// the picture of as many bars side by side, painted as one shape rather than hundreds of rectangles.
QAbstractSeries *ChartWidget::runsArea(int perBar) {
    m_impl->runTops = barValues(m_data->columnValues(1), perBar);
    const QList<double> &tops = m_impl->runTops;
    QList<QPointF> outline;
    outline.reserve(2 * tops.size());
    for (qsizetype run = 0; run < tops.size(); ++run) {
        outline.append(QPointF(run - 0.5, tops[run]));
        outline.append(QPointF(run + 0.5, tops[run]));
    }
    auto *area = new QAreaSeries;
    auto *upper = new QLineSeries(area);
    upper->replace(outline);
    // Bars stand on zero, not on the bottom of the plot.
    auto *lower = new QLineSeries(area);
    lower->replace({QPointF(-0.5, 0), QPointF(tops.size() - 0.5, 0)});
    area->setUpperSeries(upper);
    area->setLowerSeries(lower);
    area->setName(m_impl->name(0));
    area->setColor(m_impl->color(0));
    area->setPen(Qt::NoPen);
    return area;
}

QLineSeries *ChartWidget::trendSeries(int perBar) const {
    const QList<double> means = m_data->trendValues();
    if (means.isEmpty())
        return nullptr;
    auto *line = new QLineSeries;
    line->setName(m_data->trendName());
    QPen pen(kTrendColor);
    pen.setWidthF(2.5);
    line->setPen(pen);
    // A bar that stands for a run of plays carries the trend as it stands after the run's last play.
    QList<QPointF> points;
    points.reserve(means.size() / perBar + 1);
    for (qsizetype start = 0, bar = 0; start < means.size(); start += perBar, ++bar)
        points.append(QPointF(double(bar), means[qMin(means.size(), start + perBar) - 1]));
    line->replace(points);
    return line;
}

void ChartWidget::showHover(bool on, int bar, double value, const QString &series, int perBar) {
    if (!on) {
        m_impl->hoverText.clear();
        QToolTip::hideText();
        return;
    }
    // A bar standing for a run of rows is named after the run's first row.
    // A game's name comes from the log as typed there: shown as plain text, like a list's cell.
    const QString text = GridModel::plainToolTip(m_data->hoverText(bar * perBar + 1, value, series));
    m_impl->hoverText = text;
    QToolTip::showText(QCursor::pos(), text, m_impl->view);
}

// The area of runs is one item, which tells only when the mouse enters and leaves it: the run under the
// mouse is found from its place, as a bar would tell it.
// A mouse resting on the chart makes the window system ask the view for its tip; the scene knows no tips of
// its own and would answer with none, hiding the bar's text a moment after it appeared. The view answers
// with the text of the bar under the mouse instead.
bool ChartWidget::eventFilter(QObject *watched, QEvent *e) {
    if (watched == m_impl->view->viewport() && e->type() == QEvent::ToolTip && !m_impl->hoverText.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), m_impl->hoverText, m_impl->view);
        return true;
    }
    if (watched == m_impl->view->viewport() && !m_impl->runTops.isEmpty() &&
        (e->type() == QEvent::MouseMove || e->type() == QEvent::Leave)) {
        const int run = e->type() == QEvent::MouseMove ? runAt(static_cast<QMouseEvent *>(e)->position()) : -1;
        if (run != m_impl->hoveredRun) {
            m_impl->hoveredRun = run;
            showHover(run >= 0, run, run >= 0 ? m_impl->runTops[run] : 0, QString(), m_impl->perBar);
        }
    }
    return QWidget::eventFilter(watched, e);
}

// The run whose area lies under a point of the view, or -1.
int ChartWidget::runAt(QPointF viewPoint) const {
    const QPointF inChart = m_impl->chart->mapFromScene(m_impl->view->mapToScene(viewPoint.toPoint()));
    if (!m_impl->chart->plotArea().contains(inChart))
        return -1;
    const QPointF value = m_impl->chart->mapToValue(inChart, m_impl->series);
    const int run = qRound(value.x());
    const bool onRun = run >= 0 && run < m_impl->runTops.size() && value.y() >= 0 && value.y() <= m_impl->runTops[run];
    return onRun ? run : -1;
}

QString ChartWidget::saveImage(const QString &path) const {
    if (path.isEmpty())
        return QStringLiteral("ファイル名がありません。");
    const QImage image = m_impl->view->grab().toImage();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("ファイルを作れませんでした。保存先のフォルダと書き込みの許可を確かめてください。");
    if (!image.save(&file, "PNG") || !file.flush()) {
        file.cancelWriting();
        return QStringLiteral("画像を書き込めませんでした。ディスクの空き容量を確かめてください。");
    }
    if (!file.commit())
        return QStringLiteral("画像を書き込めませんでした。ディスクの空き容量を確かめてください。");
    return QString();
}

void ChartWidget::setFileTitle(const QString &title) {
    m_impl->fileTitle = title;
}

void ChartWidget::saveImageWithDialog() {
    const QString title = !m_impl->fileTitle.isEmpty()  ? m_impl->fileTitle
                          : !accessibleName().isEmpty() ? accessibleName()
                                                        : QStringLiteral("グラフ");
    saveWithDialog(this, kImageFile, title, [this](const QString &path) { return saveImage(path); });
}

void ChartWidget::contextMenuEvent(QContextMenuEvent *e) {
    QMenu menu(this);
    menu.setObjectName(kMenuName);
    QAction *save = menu.addAction(kImageCaption);
    save->setObjectName(kSaveImageActionName);
    connect(save, &QAction::triggered, this, &ChartWidget::saveImageWithDialog);
    menu.exec(e->globalPos());
    e->accept();
}

void ChartWidget::measureRowLabels() {
    const int rows = m_data->rowCount();
    QHash<QString, qreal> widths; // a whole log repeats a few game names thousands of times
    bool distinct = rows > 0;
    qreal widest = 0;
    const QFontMetricsF fm(m_impl->values->labelsFont());
    for (int r = 1; r <= rows; ++r) {
        const QString label = m_data->rowLabel(r);
        distinct = distinct && !label.isEmpty() && !widths.contains(label);
        auto known = widths.constFind(label);
        if (known == widths.constEnd())
            known = widths.insert(label, fm.horizontalAdvance(label));
        widest = qMax(widest, *known);
    }
    m_impl->labelsNameRows = distinct;
    // A label under a run of rows only says something if it names its row; otherwise the rows are numbered.
    if (m_impl->perBar > 1 && !distinct)
        widest = fm.horizontalAdvance(QString::number(rows));
    m_impl->widestLabel = widest;
}

// 0 while a label fits under every bar (or nothing is known yet of the width); otherwise the smallest step
// in rows at which every shown label fits between its neighbours.
int ChartWidget::fittingLabelStep() const {
    const int rows = m_data->rowCount();
    const int perBar = m_impl->perBar;
    const int bars = (rows + perBar - 1) / qMax(1, perBar);
    const qreal width = m_impl->chart->plotArea().width();
    const qreal needed = m_impl->widestLabel + 2 * kLabelPadding + 3;
    if (rows == 0 || (perBar == 1 && (width <= 0 || m_impl->widestLabel == 0)))
        return 0;
    // Qt Charts gives a category label the plot's width shared among the categories and two more.
    if (perBar == 1 && needed <= width / (bars + 2))
        return 0;
    int step = 1;
    for (; step < rows; step = nextLabelStep(step)) {
        const int labels = (rows + step - 1) / step;
        if (step >= perBar && (width > 0 ? needed <= width / (labels + 1) : labels <= 8))
            break;
    }
    return step;
}

void ChartWidget::replaceRowsAxis() {
    QChart *chart = m_impl->chart;
    if (m_impl->rowsAxis) {
        chart->removeAxis(m_impl->rowsAxis);
        delete m_impl->rowsAxis;
    }
    const int step = m_impl->labelStep;
    m_impl->rowsAxis = step == 0 ? labelAxis() : thinnedAxis(step);
    chart->addAxis(m_impl->rowsAxis, Qt::AlignBottom);
    // The bars and, when drawn, the trend line over them share the new axis.
    for (QAbstractSeries *s : chart->series())
        s->attachAxis(m_impl->rowsAxis);
}

void ChartWidget::onPlotAreaChanged() {
    fitValueTicks();
    if (!m_impl->series || redrawPending())
        return;
    // A chart widened well beyond its bars of runs draws them again, finer.
    const int rows = m_data->rowCount();
    if (m_impl->perBar > 1 && rowsPerBar(rows, barsForWidth()) * 8 < m_impl->perBar * 7) {
        scheduleRedraw();
        return;
    }
    const int step = fittingLabelStep();
    if (step == m_impl->labelStep)
        return;
    m_impl->labelStep = step;
    replaceRowsAxis();
}

// A short chart (a small window, a large scale) has fewer value labels rather than labels cut to "...":
// each needs about one and a half lines of its font. The labels keep round steps (0, 10, 20 rather than
// 0, 6.66667, 13.3333): the count is lowered until the step between two labels is a short decimal.
void ChartWidget::fitValueTicks() {
    const qreal height = m_impl->chart->plotArea().height();
    if (height <= 0)
        return;
    const qreal line = QFontMetricsF(m_impl->values->labelsFont()).height() * 1.5;
    const qreal span = m_impl->values->max() - m_impl->values->min();
    int ticks = qBound(2, int(height / line) + 1, 6);
    while (ticks > 2 && !isShortDecimal(span / (ticks - 1)))
        --ticks;
    if (ticks != m_impl->values->tickCount())
        m_impl->values->setTickCount(ticks);
}

QAbstractAxis *ChartWidget::labelAxis() const {
    auto *axis = new QBarCategoryAxis;
    axis->append(m_data->distinctRowLabels());
    // Rows without labels keep invisible ones of their own, which Qt Charts would still cut down to "...".
    axis->setLabelsVisible(m_impl->widestLabel > 0);
    return axis;
}

int ChartWidget::rowsPerBar(int rows, int bars) {
    // A whole log has far more plays than the chart has pixels; each bar then stands for a run of rows and
    // shows their largest value.
    return rows > kLabelledBars ? (rows + bars - 1) / bars : 1;
}

int ChartWidget::barsForWidth() const {
    const int pixels = qRound(width() * devicePixelRatioF());
    return qBound(kFewestRunBars, pixels, kLabelledBars);
}

QList<double> ChartWidget::barValues(const QList<double> &values, int perBar) {
    if (perBar <= 1)
        return values;
    QList<double> bars;
    bars.reserve(values.size() / perBar + 1);
    for (qsizetype start = 0; start < values.size(); start += perBar) {
        double top = values[start];
        for (qsizetype i = start + 1; i < qMin(values.size(), start + perBar); ++i)
            top = qMax(top, values[i]);
        bars.append(top);
    }
    return bars;
}

QAbstractAxis *ChartWidget::thinnedAxis(int step) const {
    // Bar k (from 0) stands at k. A label is shown every `step` rows under the bar of its row, unless it would
    // stick out of the plot (Qt Charts hides such a label): hours 0, 2, 4 …; dates; row numbers 1, 500, 1000 ….
    const int rows = m_data->rowCount();
    const int perBar = m_impl->perBar;
    const int bars = (rows + perBar - 1) / perBar;
    const bool numbered = !m_impl->labelsNameRows && perBar > 1;
    const QStringList labels = numbered ? QStringList() : m_data->distinctRowLabels();
    const qreal width = m_impl->chart->plotArea().width();
    const QFontMetricsF fm(m_impl->values->labelsFont());
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(-0.5, bars - 0.5);
    axis->setStartValue(-0.5);
    int lastBar = -1;
    for (int first = 0; first < rows; first += step) {
        // Numbered rows read 1, step, 2 × step, …; labelled rows show every step-th row from the first.
        const int row = numbered && first > 0 ? first - 1 : first;
        const QString text = numbered ? QString::number(row + 1) : labels[row];
        const int bar = row / perBar;
        if (bar <= lastBar)
            continue;
        if (width > 0) {
            const qreal centre = (bar + 0.5) * width / bars;
            const qreal half = fm.horizontalAdvance(text) / 2;
            if (centre - half < 0 || centre + half > width)
                continue;
        }
        axis->append(text, bar);
        lastBar = bar;
    }
    return axis;
}

} // namespace mirute
