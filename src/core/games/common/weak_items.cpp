#include "core/games/common/weak_items.h"

#include "core/base/data_files.h"
#include "core/base/number_format.h"
#include "core/base/number_texts.h"
#include "core/base/write_list.h"

#include <algorithm>

namespace mirute {

namespace {

constexpr double kMissWeight = 4;
constexpr double kSlowWeight = 2;

bool weakerByMisses(const WeakItem &a, const WeakItem &b) {
    if (a.missRate() != b.missRate())
        return a.missRate() > b.missRate();
    if (a.missed != b.missed)
        return a.missed > b.missed;
    if (a.meanReaction() != b.meanReaction())
        return a.meanReaction() > b.meanReaction();
    return a.item < b.item;
}

bool weakerBySlowness(const WeakItem &a, const WeakItem &b) {
    if (a.meanReaction() != b.meanReaction())
        return a.meanReaction() > b.meanReaction();
    if (a.missRate() != b.missRate())
        return a.missRate() > b.missRate();
    return a.item < b.item;
}

} // namespace

WeakTally tallyWeakItems(const QList<AnswerRecord> &records, int lastPlays, WeakOrder order) {
    WeakTally tally;
    const qsizetype first = firstOfLastPlays(records, qMax(1, lastPlays));
    const QList<AnswerRecord> counted = records.mid(first);
    tally.plays = countPlays(counted);
    tally.answers = int(counted.size());
    QHash<QString, qsizetype> where;
    double total = 0;
    int timed = 0;
    for (const AnswerRecord &r : counted) {
        auto it = where.find(r.item);
        if (it == where.end()) {
            it = where.insert(r.item, tally.items.size());
            tally.items.append(WeakItem{r.item});
        }
        WeakItem &w = tally.items[*it];
        ++w.asked;
        if (!r.correct)
            ++w.missed;
        if (r.reaction > 0) {
            w.reactionTotal += r.reaction;
            ++w.timed;
            total += r.reaction;
            ++timed;
        }
    }
    tally.meanReaction = timed > 0 ? total / timed : 0;
    std::sort(tally.items.begin(), tally.items.end(), order == WeakOrder::Misses ? weakerByMisses : weakerBySlowness);
    return tally;
}

double practiceWeight(const WeakItem &item, double meanReaction) {
    double slowness = 0;
    if (item.timed > 0 && meanReaction > 0)
        slowness = qBound(0.0, item.meanReaction() / meanReaction - 1, 1.0);
    return 1 + kMissWeight * item.missRate() + kSlowWeight * slowness;
}

QHash<QString, double> practiceWeights(const QList<AnswerRecord> &records, int lastPlays) {
    const WeakTally tally = tallyWeakItems(records, lastPlays, WeakOrder::Misses);
    QHash<QString, double> weights;
    for (const WeakItem &w : tally.items)
        weights.insert(w.item, practiceWeight(w, tally.meanReaction));
    return weights;
}

WeakSettings readWeakSettings(const QString &dir, const QString &gameName) {
    WeakSettings s;
    const TextLines file = readTextLines(dir, gameWeakSettingsFile(gameName));
    if (file.lines.isEmpty() || !file.badLines.isEmpty())
        return s;
    const QList<ListItem> items = splitWriteList(file.lines.first());
    const auto practice = parseInteger(items.value(0).text);
    if (practice && (*practice == 0 || *practice == 1))
        s.practice = *practice == 1;
    const auto plays = parseInteger(items.value(1).text);
    if (plays && kWeakPlayChoices.contains(int(*plays)))
        s.plays = int(*plays);
    return s;
}

WriteResult writeWeakSettings(const QString &dir, const QString &gameName, const WeakSettings &s) {
    WriteListLine line;
    line.integer(s.practice ? 1 : 0).integer(s.plays);
    return rewriteLines(dir, gameWeakSettingsFile(gameName), {line.line()});
}

WeakView::WeakView(QObject *parent) : QObject(parent) {
    m_chart.setRowCount(0);
    setupGrid();
}

void WeakView::setupGrid() {
    static const int widths[] = {500, 1300, 600, 600, 800, 1000};
    const QStringList headers = {QStringLiteral("順位"), QStringLiteral("項目"),   QStringLiteral("出題"),
                                 QStringLiteral("誤答"), QStringLiteral("誤答率"), QStringLiteral("平均反応秒")};
    GridBatch batch(m_list);
    m_list.setRows(1);
    m_list.setCols(int(headers.size()));
    m_list.setFontSize(11);
    for (int c = 0; c < headers.size(); ++c) {
        m_list.setTextMatrix(0, c, headers[c]);
        m_list.setColWidth(c, widths[c]);
        m_list.setFixedAlignment(c, Grid::Center);
        m_list.setColAlignment(c, c == 1 ? Grid::Left : Grid::Right);
    }
}

void WeakView::fill(const QString &game, const QList<AnswerRecord> &records, int lastPlays, WeakOrder order) {
    m_order = order;
    const WeakTally tally = tallyWeakItems(records, lastPlays, order);
    m_caption = tally.answers == 0 ? QStringLiteral("苦手：まだ解答の記録がありません（記録は保存したプレイから）")
                                   : QStringLiteral("苦手：直近 %1 回のうち記録のある %2 回・%3 問")
                                         .arg(lastPlays)
                                         .arg(tally.plays)
                                         .arg(tally.answers);
    {
        GridBatch batch(m_list);
        setupGrid();
        m_list.setRows(int(tally.items.size()) + 1);
        for (int i = 0; i < tally.items.size(); ++i) {
            const WeakItem &w = tally.items[i];
            m_list.setTextMatrix(i + 1, 0, numberText(i + 1));
            m_list.setTextMatrix(i + 1, 1, w.item);
            m_list.setTextMatrix(i + 1, 2, numberText(w.asked));
            m_list.setTextMatrix(i + 1, 3, numberText(w.missed));
            m_list.setTextMatrix(i + 1, 4, formatPercent(w.missRate()));
            m_list.setTextMatrix(i + 1, 5, w.timed > 0 ? formatFixed(w.meanReaction(), 2) : QString());
        }
    }
    const bool misses = order == WeakOrder::Misses;
    const int shown = int(qMin<qsizetype>(kChartItems, tally.items.size()));
    m_chart.beginBatch();
    m_chart.describe({.measure = game + (misses ? QStringLiteral("の苦手：誤答率の高い項目")
                                                : QStringLiteral("の苦手：平均反応時間の長い項目")),
                      .scope = QStringLiteral("直近 %1 回").arg(lastPlays),
                      .rowsTitle = QStringLiteral("項目"),
                      .valuesTitle = misses ? QStringLiteral("誤答率") : QStringLiteral("平均反応時間"),
                      .valueUnit = misses ? QStringLiteral("%") : QStringLiteral("秒"),
                      .limit = misses ? std::optional<double>(100) : std::nullopt});
    m_chart.setRowCount(shown);
    for (int i = 1; i <= shown; ++i) {
        const WeakItem &w = tally.items[i - 1];
        m_chart.setRow(i);
        m_chart.setRowLabel(w.item);
        m_chart.setRowDetail(QStringLiteral("%1（%2問中 誤答%3）").arg(w.item).arg(w.asked).arg(w.missed));
        const QString text = misses ? formatFixed(100 * w.missRate(), 1) : formatFixed(w.meanReaction(), 2);
        m_chart.setValue(leadingNumber(text));
        m_chart.setValueText(text);
    }
    m_chart.endBatch();
    emit stateChanged();
}

void WeakView::setShown(bool shown) {
    if (m_shown == shown)
        return;
    m_shown = shown;
    emit stateChanged();
}

} // namespace mirute
