#include "gui/widgets/chart_widget.h"

#include "core/base/clock.h"
#include "core/base/day_time.h"
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
#include <QPainter>
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

// The most value labels a chart shows, however tall.
constexpr int kMostValueTicks = 6;
// When nothing is known yet of the plot's width, this many date labels.
constexpr int kUnmeasuredMarks = 8;

// A compact title and axis names, so that a chart keeps its bars' height in a small window. The title keeps
// the window's own font: a bold face would be one more font to load before the first chart is painted.
QFont axisTitleFont(const QFont &base) {
    QFont f = base;
    f.setPointSizeF(base.pointSizeF() * 0.85);
    return f;
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
    QCategoryAxis *values = nullptr;
    QAbstractSeries *series = nullptr; // the bars, or the area of a whole log's runs
    QList<double> runTops;             // the area's value for each run of rows
    std::optional<TimeBars> periods;   // plays drawn as days, weeks or months
    double drawnLow = 0, drawnHigh = 0;
    QList<AxisTick> ticks; // the value labels shown
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
    int marks = 0;     // date labels there is room for, on an axis of dates
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
    // The legend beside the plot: a game window's chart is wide but low, and its bars need the height.
    m_impl->chart->legend()->setAlignment(Qt::AlignRight);
    m_impl->chart->legend()->hide();
    m_impl->chart->setTitleFont(font());
    // The title and the axis names take the room of the chart's wide default margins.
    m_impl->chart->setMargins(QMargins(6, 2, 6, 2));
    m_impl->chart->setBackgroundRoundness(0);
    // Labels at the data's round steps, each on its own value.
    m_impl->values = new QCategoryAxis(m_impl->chart);
    m_impl->values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_impl->values->setTitleFont(axisTitleFont(font()));
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

QString ChartWidget::shownTitle() const {
    return m_impl->periods ? m_data->periodTitle(m_impl->periods->unit) : m_data->title();
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
    const int fitting = barsForWidth();
    m_impl->periods.reset();
    if (const std::optional<TimeUnit> unit = m_data->periodUnit(fitting))
        m_impl->periods = m_data->periodBars(*unit);
    const int perBar = m_impl->periods ? 1 : rowsPerBar(rows, fitting);
    m_impl->perBar = perBar;
    m_impl->hoveredRun = -1;
    m_impl->hoverText.clear();
    m_impl->runTops.clear();
    QList<QList<double>> drawn;
    if (m_impl->periods)
        drawn.append(m_impl->periods->means);
    else
        for (int c = 1; c <= m_data->columnCount(); ++c)
            drawn.append(barValues(m_data->columnValues(c), perBar));
    m_impl->drawnLow = m_impl->drawnHigh = 0;
    for (const QList<double> &series : drawn)
        for (double v : series) {
            m_impl->drawnLow = qMin(m_impl->drawnLow, v);
            m_impl->drawnHigh = qMax(m_impl->drawnHigh, v);
        }
    // What is drawn as thin bars without outlines: more rows than kOutlinedBars, or as many periods.
    const int drawnRows = m_impl->periods ? int(m_impl->periods->means.size()) : rows;
    QAbstractSeries *series =
        perBar > 1 && drawn.size() == 1 ? runsArea(drawn.first()) : bars(drawn, drawnRows > kOutlinedBars);
    chart->addSeries(series);
    m_impl->series = series;
    // Qt Charts reads titles as rich text; a game's name or a filter typed by the user is shown as typed.
    chart->setTitle(shownTitle().toHtmlEscaped());

    m_impl->widestLabel = 0;
    if (!datedRows())
        measureRowLabels();
    m_impl->labelStep = fittingLabelStep();
    m_impl->marks = markRoom();
    replaceRowsAxis();

    m_impl->ticks.clear();
    fitValueTicks();
    series->attachAxis(m_impl->values);

    QLineSeries *trend = trendSeries(perBar);
    if (trend) {
        chart->addSeries(trend);
        trend->attachAxis(m_impl->rowsAxis);
        trend->attachAxis(m_impl->values);
    }
    // Bars a pixel or less wide gain nothing from smoothed edges, which cost most of the chart's painting, and
    // the upright rectangles of a long log's days, weeks or months hardly more; a trend line over them keeps
    // its smooth curve.
    m_impl->view->setRenderHint(QPainter::Antialiasing, rows <= kOutlinedBars || trend);
    // One series needs no legend entry of its own: the chart's button or caption names it.
    const bool severalSeries = drawn.size() >= 2;
    for (QLegendMarker *marker : chart->legend()->markers(series))
        marker->setVisible(severalSeries);
    chart->legend()->setVisible(severalSeries || trend);
}

QAbstractSeries *ChartWidget::bars(const QList<QList<double>> &values, bool thin) {
    auto *series = new QBarSeries;
    for (qsizetype c = 0; c < values.size(); ++c) {
        auto *set = new QBarSet(m_impl->name(int(c)));
        set->setColor(m_impl->color(int(c)));
        set->setBorderColor(thin ? Qt::transparent : m_impl->color(int(c)).darker(120));
        set->append(values[c]);
        series->append(set);
    }
    // Thin bars side by side, so that thousands of them still show their colour rather than a haze.
    if (thin)
        series->setBarWidth(1.0);
    connect(series, &QBarSeries::hovered, this, [this](bool on, int bar, QBarSet *set) {
        showHover(on, bar, set->at(bar), m_data->columnCount() >= 2 ? set->label() : QString());
    });
    return series;
}

// The runs of a whole log, a pixel wide or less, as one filled outline of their tops, a step for each run:
// the picture of as many bars side by side, painted as one shape rather than hundreds of rectangles.
QAbstractSeries *ChartWidget::runsArea(const QList<double> &tops) {
    m_impl->runTops = tops;
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
    if (means.isEmpty() || m_impl->periods)
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

void ChartWidget::showHover(bool on, int bar, double value, const QString &series) {
    if (!on) {
        m_impl->hoverText.clear();
        QToolTip::hideText();
        return;
    }
    // A bar standing for a run of rows is named after the run's first row, one of a period by the period.
    // A game's name comes from the log as typed there: shown as plain text, like a list's cell.
    const QString told = m_impl->periods ? m_data->periodHoverText(*m_impl->periods, bar)
                                         : m_data->hoverText(bar * m_impl->perBar + 1, value, series);
    const QString text = GridModel::plainToolTip(told);
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
            showHover(run >= 0, run, run >= 0 ? m_impl->runTops[run] : 0, QString());
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

QImage ChartWidget::savedPicture() const {
    const QPixmap shot = m_impl->view->grab();
    const qreal ratio = shot.devicePixelRatio();
    const QFontMetrics fm(font());
    const int line = fm.height() + 6;
    QImage image(shot.width(), shot.height() + qRound(line * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, shot);
    painter.setFont(font());
    painter.setPen(Qt::black);
    const QRectF below(0, shot.height() / ratio, shot.width() / ratio - 8, line);
    painter.drawText(below, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("保存日 ") + dateText(appClock().now().date()));
    return image;
}

QString ChartWidget::saveImage(const QString &path) const {
    if (path.isEmpty())
        return QStringLiteral("ファイル名がありません。");
    const QImage image = savedPicture();
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

bool ChartWidget::datedRows() const {
    return m_impl->periods || m_data->datedRows();
}

// How many date labels fit side by side under the plot (every date label is as wide: digits are).
int ChartWidget::markRoom() const {
    if (!datedRows())
        return 0;
    const qreal width = m_impl->chart->plotArea().width();
    if (width <= 0)
        return kUnmeasuredMarks;
    const TimeUnit unit = m_impl->periods ? m_impl->periods->unit : m_data->dateUnit();
    const QFontMetricsF fm(m_impl->values->labelsFont());
    const qreal needed = fm.horizontalAdvance(dateMarkText(QDate(2000, 12, 31), unit)) + 2 * kLabelPadding + 3;
    return qMax(1, int(width / needed) - 1);
}

void ChartWidget::replaceRowsAxis() {
    QChart *chart = m_impl->chart;
    if (m_impl->rowsAxis) {
        chart->removeAxis(m_impl->rowsAxis);
        delete m_impl->rowsAxis;
    }
    const int step = m_impl->labelStep;
    m_impl->rowsAxis = datedRows() ? markedAxis(m_impl->marks) : step == 0 ? labelAxis() : thinnedAxis(step);
    m_impl->rowsAxis->setTitleText(
        (m_impl->periods ? periodAxisTitle(m_impl->periods->unit) : m_data->rowsTitle()).toHtmlEscaped());
    m_impl->rowsAxis->setTitleFont(axisTitleFont(font()));
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
    // Plays drawn as periods: a width that fits another unit, or every play, draws them again.
    if (m_data->rowKind() == ChartRowKind::Plays) {
        const std::optional<TimeUnit> unit = m_data->periodUnit(barsForWidth());
        if (unit != (m_impl->periods ? std::optional<TimeUnit>(m_impl->periods->unit) : std::nullopt)) {
            scheduleRedraw();
            return;
        }
    }
    const int step = fittingLabelStep();
    const int marks = markRoom();
    if (step == m_impl->labelStep && marks == m_impl->marks)
        return;
    m_impl->labelStep = step;
    m_impl->marks = marks;
    replaceRowsAxis();
}

// A short chart (a small window, a large scale) has fewer value labels rather than labels cut to "...":
// each needs about one and a half lines of its font. The data chooses the round step for that many.
void ChartWidget::fitValueTicks() {
    const qreal height = m_impl->chart->plotArea().height();
    const qreal line = QFontMetricsF(m_impl->values->labelsFont()).height() * 1.5;
    const int room = height > 0 ? qBound(2, int(height / line) + 1, kMostValueTicks) : kMostValueTicks;
    const ValueScale scale = m_data->valueScale(room, m_impl->drawnLow, m_impl->drawnHigh);
    const QString title = m_data->valueAxisTitle(scale).toHtmlEscaped();
    QCategoryAxis *axis = m_impl->values;
    if (scale.ticks == m_impl->ticks && title == axis->titleText())
        return;
    m_impl->ticks = scale.ticks;
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    // Each label stands on its own value; the first closes a sliver below the axis's bottom.
    axis->setStartValue(scale.min - scale.step / 1000);
    for (const AxisTick &tick : scale.ticks)
        axis->append(tick.label, tick.value);
    axis->setRange(scale.min, scale.max);
    axis->setTitleText(title);
}

QAbstractAxis *ChartWidget::labelAxis() const {
    // Rows without labels (plays listed one after another) get an axis without any, which leaves its name
    // the room that hidden labels would cut down to "...".
    if (m_impl->widestLabel == 0) {
        auto *axis = new QCategoryAxis;
        axis->setRange(-0.5, qMax(1, m_data->rowCount()) - 0.5);
        axis->setStartValue(-0.5);
        // One blank category over every row: Qt Charts lays out no axis without one and would leave its name
        // over the window's corner (the chart of a day not played yet).
        axis->append(QStringLiteral(" "), qMax(1, m_data->rowCount()) - 0.5);
        return axis;
    }
    auto *axis = new QBarCategoryAxis;
    axis->append(m_data->distinctRowLabels());
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

// Dates at calendar places under the bars of their days or periods, as many as there is room for; one
// that would stick out of the plot is left out.
QAbstractAxis *ChartWidget::markedAxis(int room) const {
    const bool periods = m_impl->periods.has_value();
    const QList<RowMark> marks =
        periods ? dateMarks(m_impl->periods->starts, m_impl->periods->unit, room) : m_data->dateRowMarks(room);
    const int perBar = m_impl->perBar;
    const int bars = periods ? int(m_impl->periods->starts.size()) : (m_data->rowCount() + perBar - 1) / perBar;
    QCategoryAxis *axis = barsAxis(bars);
    int lastBar = -1;
    for (const RowMark &mark : marks) {
        const int bar = periods ? mark.index : mark.index / perBar;
        if (bar > lastBar && labelFits(mark.label, bar, bars)) {
            axis->append(mark.label, bar);
            lastBar = bar;
        }
    }
    return axis;
}

// Bar k (from 0) stands at k, each label on the value of its bar.
QCategoryAxis *ChartWidget::barsAxis(int bars) {
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(-0.5, bars - 0.5);
    axis->setStartValue(-0.5);
    return axis;
}

// Whether a label centred under its bar stays inside the plot (Qt Charts hides one that sticks out); true
// while nothing is known yet of the plot's width.
bool ChartWidget::labelFits(const QString &label, int bar, int bars) const {
    const qreal width = m_impl->chart->plotArea().width();
    if (width <= 0)
        return true;
    const qreal centre = (bar + 0.5) * width / bars;
    const qreal half = QFontMetricsF(m_impl->values->labelsFont()).horizontalAdvance(label) / 2;
    return centre - half >= 0 && centre + half <= width;
}

QAbstractAxis *ChartWidget::thinnedAxis(int step) const {
    // Bar k (from 0) stands at k. A label is shown every `step` rows under the bar of its row, unless it would
    // stick out of the plot (Qt Charts hides such a label): hours 0, 2, 4 …; dates; row numbers 1, 500, 1000 ….
    const int rows = m_data->rowCount();
    const int perBar = m_impl->perBar;
    const int bars = (rows + perBar - 1) / perBar;
    const bool numbered = !m_impl->labelsNameRows && perBar > 1;
    const QStringList labels = numbered ? QStringList() : m_data->distinctRowLabels();
    QCategoryAxis *axis = barsAxis(bars);
    int lastBar = -1;
    for (int first = 0; first < rows; first += step) {
        // Numbered rows read 1, step, 2 × step, …; labelled rows show every step-th row from the first.
        const int row = numbered && first > 0 ? first - 1 : first;
        const QString text = numbered ? QString::number(row + 1) : labels[row];
        const int bar = row / perBar;
        if (bar > lastBar && labelFits(text, bar, bars)) {
            axis->append(text, bar);
            lastBar = bar;
        }
    }
    return axis;
}

} // namespace mirute
