#include "core/games/common/game_history.h"

#include "core/base/number_format.h"
#include "core/base/number_texts.h"

namespace mirute {

namespace {
constexpr int kTrendPlays = 5;
} // namespace

GameHistory::GameHistory(const GameDefinition &def, const QString &dataDir, QObject *parent)
    : QObject(parent), m_def(def), m_dir(dataDir) {
    m_okNgChart.setColumnCount(2);
    m_okNgChart.setVisible(false);
    m_chart.setVisible(true);
    m_chart.setRowCount(0);
    m_okNgChart.setRowCount(0);
    // Whether a player is getting better shows in the last few plays rather than in single bars.
    m_chart.setTrendPlays(kTrendPlays);
    m_okNgChart.setTrendPlays(kTrendPlays);
    setupGrid();
}

void GameHistory::setupGrid() {
    m_listed.clear();
    static const int widths[] = {600, 1400, 1000, 600, 600, 600, 755, 880, 980, 1025};
    const QStringList headers = {QStringLiteral("回"),      QStringLiteral("日付"),   QStringLiteral("時間"),
                                 QStringLiteral("答数"),    QStringLiteral("ＯＫ"),   QStringLiteral("ＮＧ"),
                                 m_def.reactionHeader,      QStringLiteral("正解率"), QStringLiteral("秒当たり"),
                                 QStringLiteral("表示秒数")};
    GridBatch batch(m_list);
    m_list.setRows(1);
    m_list.setCols(10);
    m_list.setFontSize(11);
    for (int c = 0; c < 10; ++c) {
        m_list.setTextMatrix(0, c, headers[c]);
        m_list.setColWidth(c, widths[c]);
        m_list.setFixedAlignment(c, Grid::Center);
        m_list.setColAlignment(c, (c == 1 || c == 2) ? Grid::Center : Grid::Right);
    }
}

bool GameHistory::accepts(Filter filter, const QString &value, const HistoryRecord &r) const {
    switch (filter) {
    case Filter::All: return true;
    case Filter::Seconds: return r.seconds == value + QStringLiteral("秒");
    case Filter::Answers: {
        const double wanted = leadingNumber(value);
        if (m_def.countFilterFactor > 0)
            return leadingNumber(r.answers) == wanted * m_def.countFilterFactor;
        return double(r.ok + r.ng) == wanted;
    }
    }
    return false;
}

void GameHistory::fill(Filter filter, const QString &value) {
    const HistoryData data = readHistory(m_dir, m_def.historyFile());
    m_problems = data.problems;
    m_error = data.error;
    {
        GridBatch batch(m_list);
        setupGrid();
        // The plays shown are found first, so that the list takes its rows in one step.
        QList<const HistoryRecord *> shown;
        shown.reserve(data.records.size());
        for (const HistoryRecord &r : data.records)
            if (accepts(filter, value, r))
                shown.append(&r);
        const int first = m_list.rows();
        m_list.setRows(first + int(shown.size()));
        m_listed.reserve(shown.size());
        for (int k = 0; k < shown.size(); ++k) {
            m_listed.append(*shown[k]);
            const QStringList cells = shown[k]->cells();
            m_list.setTextMatrix(first + k, 0, numberText(k + 1));
            for (int c = 0; c < cells.size(); ++c)
                m_list.setTextMatrix(first + k, c + 1, cells[c]);
        }
    }
    m_allShown = filter == Filter::All;
    redraw();
    emit stateChanged();
}

void GameHistory::showAll() {
    m_secondsFilter.clear();
    m_answersFilter.clear();
    fill(Filter::All, {});
    // Every play listed again: the list takes the panel back from a chart (the chart stays chosen).
    layoutList();
}

void GameHistory::filterSeconds(const QString &comboText) {
    m_secondsFilter = comboText;
    m_answersFilter.clear();
    fill(Filter::Seconds, comboText);
}

void GameHistory::filterAnswers(const QString &comboText) {
    m_answersFilter = comboText;
    m_secondsFilter.clear();
    fill(Filter::Answers, comboText);
}

QString GameHistory::chartValueText(Button b, const HistoryRecord &record, int series) {
    // The history file keeps these as the texts it shows ("80.0%", "0.42/秒", "60秒"); the number leads.
    switch (b) {
    case PerSecond: return leadingNumberText(record.perSecond).toString();
    case Reaction: return leadingNumberText(record.reaction).toString();
    case Rate: return leadingNumberText(record.rate).toString();
    case Seconds: return leadingNumberText(record.seconds).toString();
    case OkNg: return QString::number(series == 1 ? record.ok : record.ng);
    default: return QString();
    }
}

double GameHistory::chartValue(Button b, const HistoryRecord &record, int series) {
    return leadingNumber(chartValueText(b, record, series));
}

QString GameHistory::valueUnit(Button b) const {
    switch (b) {
    case PerSecond: return QStringLiteral("/秒");
    case Reaction: return m_def.reactionUnit;
    case Rate: return QStringLiteral("%");
    case Seconds: return QStringLiteral("秒");
    default: return QString();
    }
}

// The title and axes of a chart button's chart: the game and the figure, the plays listed (the filter and
// their first and last dates), and the figure's unit.
ChartDescription GameHistory::describe(Button b) const {
    ChartDescription d;
    d.rowsTitle = QStringLiteral("回（プレイ）");
    d.valueUnit = valueUnit(b);
    switch (b) {
    case PerSecond: d.valuesTitle = QStringLiteral("秒当たり"); break;
    case Reaction: d.valuesTitle = m_def.reactionButton; break;
    case Rate:
        d.valuesTitle = QStringLiteral("正解率");
        d.limit = 100;
        break;
    case Seconds: d.valuesTitle = QStringLiteral("秒数"); break;
    case OkNg:
        d.valuesTitle = m_def.answersButton;
        d.valueUnit = QStringLiteral("回");
        d.kind = ChartValueKind::Count;
        break;
    default: break;
    }
    d.measure = m_def.name + QStringLiteral("の") + d.valuesTitle;
    d.scope = !m_secondsFilter.isEmpty()   ? QStringLiteral("秒数 %1 のプレイ").arg(m_secondsFilter)
              : !m_answersFilter.isEmpty() ? QStringLiteral("%1 %2 のプレイ").arg(m_def.countCaption, m_answersFilter)
                                           : QStringLiteral("全プレイ");
    if (!m_listed.isEmpty())
        d.scope += u'　' + m_listed.constFirst().date + u'～' + m_listed.constLast().date;
    return d;
}

void GameHistory::resetButtons() {
    for (bool &h : m_highlight)
        h = false;
}

void GameHistory::drawChart(Button b) {
    if (b == Spare)
        return;
    resetButtons();
    ChartData &target = b == OkNg ? m_okNgChart : m_chart;
    m_chart.setVisible(b != OkNg);
    m_okNgChart.setVisible(b == OkNg);
    const int n = int(m_listed.size());
    target.beginBatch();
    if (b == OkNg)
        target.setColumnCount(2);
    target.setRowCount(n);
    target.describe(describe(b));
    for (int i = 1; i <= n; ++i) {
        const HistoryRecord &record = m_listed[i - 1];
        target.setRow(i);
        target.setRowLabel(numberText(i));
        target.setRowDetail(numberText(i) + QStringLiteral("回 ") + record.date);
        for (int s = 1; s <= (b == OkNg ? 2 : 1); ++s) {
            target.setColumn(s);
            target.setValue(chartValue(b, record, s));
            target.setValueText(chartValueText(b, record, s));
        }
    }
    target.setColumn(1);
    target.endBatch();
    layoutGraph();
    m_highlight[b] = true;
    emit stateChanged();
}

void GameHistory::redraw() {
    // A highlighted reaction chart keeps its points until it is clicked again.
    for (Button b : {PerSecond, Rate, OkNg, Seconds})
        if (m_highlight[b])
            drawChart(b);
}

void GameHistory::scrollForLayout() {
    const int rows = m_list.rows();
    if ((m_layout == ListLayout && rows >= 9) || (m_layout == GraphLayout && rows >= 14))
        m_list.setTopRow(rows - 1);
}

void GameHistory::layoutList() {
    m_layout = ListLayout;
    scrollForLayout();
    emit stateChanged();
}

void GameHistory::layoutGraph() {
    m_layout = GraphLayout;
    scrollForLayout();
    emit stateChanged();
}

void GameHistory::appendSaved(const HistoryRecord &r) {
    m_list.appendRow(QStringList{QString::number(m_list.rows())} + r.cells());
    m_listed.append(r);
    if (m_list.rows() > 8)
        m_list.setTopRow(m_list.rows() - 1);
    // The play just saved is the one the player looks for: the list's current row.
    m_list.setRow(m_list.rows() - 1);
    redraw();
    layoutList();
}

void GameHistory::clearAll() {
    m_okNgChart.setRowCount(0);
    m_chart.setRowCount(0);
    setupGrid();
    emit stateChanged();
}

} // namespace mirute
