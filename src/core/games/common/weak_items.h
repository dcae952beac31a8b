#pragma once

#include "core/base/text_file.h"
#include "core/games/common/answers_file.h"
#include "core/tables/chart_data.h"
#include "core/tables/grid.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

namespace mirute {

// The order of the 苦手 view: the items missed most (by their share of misses), or answered slowest.
enum class WeakOrder { Misses, Slowness };

// One item over the plays counted: how often it was asked and missed, and its reaction times.
struct WeakItem {
    QString item;
    int asked = 0;
    int missed = 0;
    double reactionTotal = 0;
    int timed = 0; // answers with a reaction time (0 is none measured)
    double missRate() const { return asked > 0 ? double(missed) / asked : 0; }
    double meanReaction() const { return timed > 0 ? reactionTotal / timed : 0; }
};

struct WeakTally {
    int plays = 0;           // plays with answers among the last ones asked for
    int answers = 0;         // their answers
    double meanReaction = 0; // of all their timed answers
    QList<WeakItem> items;   // in the order asked for
};

// The items of the answers of the last `lastPlays` plays, weakest first.
WeakTally tallyWeakItems(const QList<AnswerRecord> &records, int lastPlays, WeakOrder order);

// 苦手練習 draws an item with the weight 1 + 4 × its share of misses + 2 × how much slower than the mean of
// all answers it was answered (0 when not slower, at most 1 for twice the mean or more): from 1 for an item
// always answered right and not slower than the others, to 7 for one always missed and twice as slow. An
// item not asked in those plays has the weight 1.
double practiceWeight(const WeakItem &item, double meanReaction);
QHash<QString, double> practiceWeights(const QList<AnswerRecord> &records, int lastPlays);

// The choices kept beside the answers file: 苦手練習 on or off, and the plays the view and the practice count.
struct WeakSettings {
    bool practice = false;
    int plays = 50;
};
// The numbers of last plays the view offers.
inline const QList<int> kWeakPlayChoices = {10, 50, 200};
// A missing or damaged file gives the defaults; it is written again at the next change.
WeakSettings readWeakSettings(const QString &dir, const QString &gameName);
WriteResult writeWeakSettings(const QString &dir, const QString &gameName, const WeakSettings &s);

// The 苦手 view of a game window: the list of the items in the chosen order and the chart of the first of
// them, over the last plays chosen. Holds what the widgets show; the window only renders it.
class WeakView : public QObject {
    Q_OBJECT
public:
    // The chart shows the weakest this many items.
    static constexpr int kChartItems = 10;

    explicit WeakView(QObject *parent = nullptr);

    Grid &list() { return m_list; }
    const Grid &list() const { return m_list; }
    ChartData &chart() { return m_chart; }
    // What the view shows, in words: the plays and answers counted.
    QString caption() const { return m_caption; }
    bool isShown() const { return m_shown; }
    WeakOrder order() const { return m_order; }

    // Fills the list and the chart (named after the game) from the answers.
    void fill(const QString &game, const QList<AnswerRecord> &records, int lastPlays, WeakOrder order);
    void setShown(bool shown);

signals:
    void stateChanged();

private:
    void setupGrid();

    Grid m_list;
    ChartData m_chart;
    QString m_caption;
    bool m_shown = false;
    WeakOrder m_order = WeakOrder::Misses;
};

} // namespace mirute
