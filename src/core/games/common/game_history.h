#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/history_file.h"
#include "core/tables/chart_data.h"
#include "core/tables/grid.h"

#include <QObject>

namespace mirute {

// The history panel of a game window: the list of saved plays, its two filters, the chart buttons
// and the two layouts. Holds what the widgets show; the window only renders it.
class GameHistory : public QObject {
    Q_OBJECT
public:
    // The chart buttons: per second, the game's reaction figure, rate, seconds played, OK and NG, and the
    // spare button that draws nothing.
    enum Button { PerSecond, Reaction, Rate, Seconds, OkNg, Spare, ButtonCount };
    enum Layout { ListLayout, GraphLayout };

    GameHistory(const GameDefinition &def, const QString &dataDir, QObject *parent = nullptr);

    Grid &list() { return m_list; }
    ChartData &chart() { return m_chart; }         // every chart but OK and NG
    ChartData &okNgChart() { return m_okNgChart; } // OK and NG side by side
    const Grid &list() const { return m_list; }

    bool isHighlighted(Button b) const { return m_highlight[b]; }
    bool allShown() const { return m_allShown; } // "全部表示" light yellow
    QString secondsFilter() const { return m_secondsFilter; }
    QString answersFilter() const { return m_answersFilter; }
    Layout layout() const { return m_layout; }
    QList<LineProblem> lastProblems() const { return m_problems; }
    // The history file exists but could not be read at all (a folder of that name, no permission): the
    // whole message, or "".
    QString lastError() const { return m_error; }

    // "全部表示", and the two filters by their combo box texts.
    void showAll();
    void filterSeconds(const QString &comboText);
    void filterAnswers(const QString &comboText);
    // A chart button: the chart of the listed plays, in the chart layout.
    void drawChart(Button b);
    // The highlighted chart drawn again from the list.
    void redraw();
    void layoutList();
    void layoutGraph();
    // The list emptied to its header row.
    void setupGrid();
    // A saved play joins the list (numbered on), then the chart is redrawn and the list layout returns.
    void appendSaved(const HistoryRecord &r);
    // After the history file was emptied.
    void clearAll();

    // The value a chart draws for a listed play; series 2 of the OK/NG chart is its NG count.
    static double chartValue(Button b, const HistoryRecord &record, int series = 1);

signals:
    void stateChanged(); // highlights, filters, layout

private:
    enum class Filter { All, Seconds, Answers };
    void fill(Filter filter, const QString &value);
    bool accepts(Filter filter, const QString &value, const HistoryRecord &r) const;
    void resetButtons();
    // That value as the list shows it, for the hover ("0.40" of 0.40/秒).
    static QString chartValueText(Button b, const HistoryRecord &record, int series);
    QString valueUnit(Button b) const; // written after a bar's value when it is hovered
    ChartDescription describe(Button b) const;
    void scrollForLayout();

    const GameDefinition &m_def;
    QString m_dir;
    Grid m_list;
    QList<HistoryRecord> m_listed; // the plays of the list, in its order: what the charts draw
    ChartData m_chart, m_okNgChart;
    bool m_highlight[ButtonCount] = {};
    bool m_allShown = true;
    QString m_secondsFilter, m_answersFilter;
    Layout m_layout = ListLayout;
    QList<LineProblem> m_problems;
    QString m_error;
};

} // namespace mirute
