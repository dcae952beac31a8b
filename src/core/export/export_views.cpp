#include "core/export/export_tool.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/games/common/game_history.h"
#include "core/games/common/weak_items.h"
#include "core/games/game_registry.h"
#include "core/log/daily_goal.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "core/views/all_graphs.h"
#include "core/views/calendar.h"
#include "core/views/day_view.h"
#include "core/views/log_list.h"
#include "core/views/range_view.h"
#include "core/views/sort_view.h"
#include "core/views/streaks.h"
#include "core/views/totals.h"
#include "core/views/weekly_scores.h"

namespace mirute {

namespace {

// A file that could not be read completely stops the export with its name and lines.
bool checkComplete(const QString &fileName, const QString &error, const QList<LineProblem> &problems,
                   ExportError *out) {
    if (!error.isEmpty()) {
        *out = {1, error};
        return false;
    }
    if (!problems.isEmpty()) {
        *out = {1, problemsMessage(fileName, problems).split(QStringLiteral("\r\n")).first()};
        return false;
    }
    return true;
}

bool historyView(const ExportRequest &r, Table *table, ExportError *error) {
    const GameDefinition def = gameDefinition(gameNoOf(r.arguments.value(0)));
    GameHistory history(def, r.dir);
    if (r.options.contains("seconds"))
        history.filterSeconds(r.options.value("seconds"));
    else if (r.options.contains("answers"))
        history.filterAnswers(r.options.value("answers"));
    else
        history.showAll();
    if (!checkComplete(def.historyFile(), history.lastError(), history.lastProblems(), error))
        return false;
    *table = gridTable(history.list());
    return true;
}

// The 苦手 view of a game over its last --plays plays (default the window's first choice, 50), weakest first.
bool weakView(const ExportRequest &r, Table *table, ExportError *error) {
    const QString game = r.arguments.value(0);
    const QString file = gameAnswersFile(game);
    const AnswersData answers = readAnswers(r.dir, file);
    if (!checkComplete(file, answers.error, answers.problems, error))
        return false;
    const int plays = int(parseInteger(r.options.value("plays")).value_or(WeakSettings().plays));
    WeakView view;
    view.fill(game, answers.records, plays, WeakOrder::Misses);
    *table = gridTable(view.list());
    return true;
}

// The play log, read completely, or the export stops naming its damaged lines.
bool readLog(const ExportRequest &r, PlayLogData *log, ExportError *error) {
    *log = readPlayLog(r.dir);
    return checkComplete(kPlayLogFile, log->error, log->problems, error);
}

bool diaryView(const ExportRequest &r, Table *table, ExportError *error) {
    PlayLogData log;
    if (!readLog(r, &log, error))
        return false;
    Grid grid;
    resetDiaryGrid(grid);
    fillDiaryList(grid, log.records);
    *table = gridTable(grid);
    return true;
}

// Points of a chart as two columns: the label and the value as the chart is given it.
Table chartTable(const ChartData &chart, const QStringList &header, int column = 1) {
    Table t{header};
    for (int row = 1; row <= chart.rowCount(); ++row)
        t.append({chart.rowLabel(row), formatNumber(chart.value(row, column))});
    return t;
}

// The tables of 全グラフ: plays, games, days and the hour chart.
ExportFunction allGraphsView(const QString &which) {
    return [which](const ExportRequest &r, Table *table, ExportError *error) {
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        AllGraphs view;
        view.rebuild(log, r.today);
        if (which == QStringLiteral("plays"))
            *table = gridTable(view.playsGrid());
        else if (which == QStringLiteral("games"))
            *table = gridTable(view.gameTotalsGrid());
        else if (which == QStringLiteral("days"))
            *table = gridTable(view.dayTotalsGrid());
        else {
            view.press(AllGraphsChart::Hours);
            const bool onMain3 = view.timelineChart().isVisible() && !view.totalsChart().isVisible();
            *table = chartTable(onMain3 ? view.timelineChart() : view.totalsChart(),
                                {QStringLiteral("時"), QStringLiteral("秒")});
        }
        return true;
    };
}

// The tables of the calendar: month grid, week grid, legend and the weekday charts.
ExportFunction calendarView(const QString &which) {
    return [which](const ExportRequest &r, Table *table, ExportError *error) {
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        Calendar view;
        view.fill(log, r.today);
        if (which == QStringLiteral("calendar-month")) {
            *table = gridTable(view.monthGrid());
        } else if (which == QStringLiteral("calendar-week")) {
            *table = gridTable(view.weekGrid());
        } else if (which == QStringLiteral("calendar-legend")) {
            *table = {{QStringLiteral("凡例")}};
            for (int i = 0; i <= 6; ++i)
                table->append({view.legendText(i)});
        } else {
            *table = {{QStringLiteral("曜"), QStringLiteral("回数"), QStringLiteral("秒")}};
            for (int row = 1; row <= view.playsByWeekdayChart().rowCount(); ++row)
                table->append({view.playsByWeekdayChart().rowLabel(row),
                               formatNumber(view.playsByWeekdayChart().value(row)),
                               formatNumber(view.secondsByWeekdayChart().value(row))});
        }
        return true;
    };
}

// The main panel for --date: its day list, or its totals followed by the line 合計, time, rating.
ExportFunction dayView(bool totals) {
    return [totals](const ExportRequest &r, Table *table, ExportError *error) {
        const QDate date = exportDate(r, QStringLiteral("date"));
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        DayView view;
        view.resetDayGrids();
        const DaySummary &summary = view.show(log, date);
        if (!totals) {
            *table = gridTable(view.dayList());
            return true;
        }
        *table = gridTable(view.dayTotal());
        table->append({QStringLiteral("合計"), summary.emptyLog ? QStringLiteral("0:00:00") : summary.dayTotalText(),
                       summary.rating.caption});
        return true;
    };
}

// The range view for --from, --to, --weekday and --key, refreshed as its buttons would.
ExportFunction rangeView(bool totals) {
    return [totals](const ExportRequest &r, Table *table, ExportError *error) {
        const QDate from = exportDate(r, QStringLiteral("from"));
        const QDate to = exportDate(r, QStringLiteral("to"));
        const int weekday =
            r.options.contains("weekday") ? int(parseInteger(r.options.value("weekday")).value_or(0)) : kAllWeekdays;
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        RangeView view(gameNames());
        view.open(log.records);
        view.filter().from = dateText(from);
        view.filter().to = dateText(to);
        view.filter().key = r.options.value("key");
        view.filter().weekday = weekday;
        view.refreshFromFilter(log.records);
        *table = gridTable(totals ? view.totals() : view.list());
        return true;
    };
}

bool listView(const ExportRequest &r, Table *table, ExportError *error) {
    PlayLogData log;
    if (!readLog(r, &log, error))
        return false;
    Grid grid;
    resetSortGrid(grid);
    fillSortGrid(grid, log.records);
    *table = gridTable(grid);
    return true;
}

ExportFunction totalsView(bool months) {
    return [months](const ExportRequest &r, Table *table, ExportError *error) {
        static const QMap<QString, TotalsMeasure> measures = {{QStringLiteral("time"), TotalsMeasure::Time},
                                                              {QStringLiteral("count"), TotalsMeasure::Count},
                                                              {QStringLiteral("both"), TotalsMeasure::Both}};
        const QString measure = r.options.value("measure", QStringLiteral("time"));
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        Grid days, monthGrid;
        buildTotals(log.records, gameNames(), playSpan(log.records, r.today), measures.value(measure), days, monthGrid);
        *table = gridTable(months ? monthGrid : days);
        return true;
    };
}

// The daily goal of "目標.txt", with --goal and --rest in place of its values; the file is not read when both
// are given, and a damaged one stops the export.
bool readGoal(const ExportRequest &r, DailyGoal *goal, ExportError *error) {
    const bool byGoal = r.options.contains(QStringLiteral("goal"));
    const bool byRest = r.options.contains(QStringLiteral("rest"));
    if (!byGoal || !byRest) {
        const GoalRead read = readDailyGoal(r.dir);
        if (!read.error.isEmpty()) {
            *error = {1, read.error.split(QStringLiteral("\r\n")).first()};
            return false;
        }
        *goal = read.goal;
    }
    if (byGoal)
        parseGoalText(r.options.value(QStringLiteral("goal")), goal);
    if (byRest)
        goal->restDays = int(parseInteger(r.options.value(QStringLiteral("rest"))).value_or(0));
    return true;
}

// The streaks up to --today, as the main panel and the calendar show them, and the rules they were counted by.
bool streaksView(const ExportRequest &r, Table *table, ExportError *error) {
    PlayLogData log;
    DailyGoal goal;
    if (!readLog(r, &log, error) || !readGoal(r, &goal, error))
        return false;
    const DayStreaks s = dayStreaks(log.records, r.today, goal);
    *table = {{QStringLiteral("current"), QStringLiteral("longest"), QStringLiteral("longest_from"),
               QStringLiteral("longest_to"), QStringLiteral("goal"), QStringLiteral("rest_days")},
              {QString::number(s.current), QString::number(s.longest),
               s.longest > 0 ? dateText(s.longestFrom) : QString(), s.longest > 0 ? dateText(s.longestTo) : QString(),
               goalText(goal), QString::number(goal.restDays)}};
    return true;
}

// Each day played up to --today with the figures a goal counts; goal_met is empty without a goal.
bool goalDaysView(const ExportRequest &r, Table *table, ExportError *error) {
    PlayLogData log;
    DailyGoal goal;
    if (!readLog(r, &log, error) || !readGoal(r, &goal, error))
        return false;
    const PlayedDays played(log.records, r.today);
    *table = {{QStringLiteral("date"), QStringLiteral("seconds"), QStringLiteral("plays"), QStringLiteral("games"),
               QStringLiteral("goal_met")}};
    for (const qint64 day : played.days()) {
        const QDate date = QDate::fromJulianDay(day);
        const DayFigures f = played.on(date);
        const QString met = goal.isSet() ? QString::number(int(f.qualifies(goal))) : QString();
        table->append(
            {dateText(date), QString::number(f.seconds), QString::number(f.plays), QString::number(f.games), met});
    }
    return true;
}

// 週別スコア of a game: its most played mode and limit, or the one --seconds or --answers (the count as the game
// window chooses it: 座標's rows) names; a limit without plays gives the header row alone.
bool weeklyView(const ExportRequest &r, Table *table, ExportError *error) {
    const GameDefinition def = gameDefinition(gameNoOf(r.arguments.value(0)));
    const HistoryData history = readHistory(r.dir, def.historyFile());
    if (!checkComplete(def.historyFile(), history.error, history.problems, error))
        return false;
    PlayLimit chosen;
    if (r.options.contains("seconds"))
        chosen = {PlayKind::TimeLimit, parseInteger(r.options.value("seconds")).value_or(0)};
    else if (r.options.contains("answers"))
        chosen = {PlayKind::AnswerCount,
                  parseInteger(r.options.value("answers")).value_or(0) * qMax(1, def.countFilterFactor)};
    WeeklyScoresView view;
    view.show(def, history.records, r.today, chosen);
    *table = gridTable(view.grid());
    if (chosen.comparable() && view.limit() != chosen)
        table->resize(1);
    return true;
}

} // namespace

void registerBuiltInExportViews() {
    if (!exportViews().isEmpty())
        return;
    const auto add = [](const char *name, ExportFunction run, const QString &summary, const QStringList &options = {},
                        const QStringList &required = {}) {
        registerExportView(QString::fromLatin1(name), ExportView{std::move(run), summary, {}, {}, options, required});
    };
    registerExportView(QStringLiteral("history"),
                       ExportView{historyView,
                                  QStringLiteral("ゲームの履歴の一覧（--seconds か --answers で絞り込み）"),
                                  QStringLiteral("ゲーム名"),
                                  gameNames(),
                                  {QStringLiteral("seconds"), QStringLiteral("answers")},
                                  {}});
    QStringList answerGames;
    for (const QString &game : gameNames())
        if (keepsAnswers(gameNoOf(game)))
            answerGames << game;
    registerExportView(QStringLiteral("weak"),
                       ExportView{weakView,
                                  QStringLiteral("ゲームの苦手な項目：直近 --plays 回（既定 50）の誤答率の高い順"),
                                  QStringLiteral("ゲーム名"),
                                  answerGames,
                                  {QStringLiteral("plays")},
                                  {}});
    registerExportView(
        QStringLiteral("weekly"),
        ExportView{weeklyView,
                   QStringLiteral("週別スコア：週ごとのプレイ数、スコア（秒当たり×正解率）の平均、その4週平均"
                                  "（一番多いモードと秒数、または --seconds か --answers の分）"),
                   QStringLiteral("ゲーム名"),
                   gameNames(),
                   {QStringLiteral("seconds"), QStringLiteral("answers")},
                   {}});
    add("diary", diaryView, QStringLiteral("一言日記の一覧"));
    add("day", dayView(false), QStringLiteral("メイン画面の一日のプレイ一覧"), {QStringLiteral("date")},
        {QStringLiteral("date")});
    add("day-totals", dayView(true), QStringLiteral("メイン画面の一日の項目別合計と評価"), {QStringLiteral("date")},
        {QStringLiteral("date")});
    const QStringList rangeOptions = {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("weekday"),
                                      QStringLiteral("key")};
    const QStringList period = {QStringLiteral("from"), QStringLiteral("to")};
    add("range", rangeView(false), QStringLiteral("範囲指定の一覧（--weekday 0〜6 は日〜土）"), rangeOptions, period);
    add("range-totals", rangeView(true), QStringLiteral("範囲指定の項目別合計"), rangeOptions, period);
    add("list", listView, QStringLiteral("並び替えの一覧（ファイルの順）"));
    add("totals-month", totalsView(true), QStringLiteral("集計表示の月別（--measure time, count, both）"),
        {QStringLiteral("measure")});
    add("totals-day", totalsView(false), QStringLiteral("集計表示の日別（--measure time, count, both）"),
        {QStringLiteral("measure")});
    add("plays", allGraphsView(QStringLiteral("plays")), QStringLiteral("全グラフのプレイ一覧"));
    add("games", allGraphsView(QStringLiteral("games")), QStringLiteral("全グラフの項目別合計"));
    add("days", allGraphsView(QStringLiteral("days")), QStringLiteral("全グラフの日別合計"));
    add("hours", allGraphsView(QStringLiteral("hours")), QStringLiteral("全グラフの時間別合計"));
    add("calendar-month", calendarView(QStringLiteral("calendar-month")), QStringLiteral("カレンダーの月毎の表"));
    add("calendar-week", calendarView(QStringLiteral("calendar-week")), QStringLiteral("カレンダーの週毎の表"));
    add("calendar-legend", calendarView(QStringLiteral("calendar-legend")), QStringLiteral("カレンダーの凡例"));
    add("weekdays", calendarView(QStringLiteral("weekdays")), QStringLiteral("曜日別の回数と秒"));
    const QStringList goalOptions = {QStringLiteral("goal"), QStringLiteral("rest")};
    add("streaks", streaksView,
        QStringLiteral("連続日数：今の連続と最長の連続、その最初と最後の日、数えた目標と休み"
                       "（--goal 15分|5回|3種類|なし、--rest 0〜3 で「目標.txt」の代わりに）"),
        goalOptions);
    add("goal-days", goalDaysView, QStringLiteral("遊んだ日ごとの秒、回数、種類と目標の達成（--goal、--rest も）"),
        goalOptions);
}

} // namespace mirute
