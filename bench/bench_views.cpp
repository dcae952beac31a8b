// Each log panel's full refresh from the file: read, decode and compute its grids and charts in the core,
// as the panel's fill does before the widgets show them. Every refresh runs at the largest log (the plain
// names the summary reads) and again over logs of 1,000 to 100,000 plays (BM_Scale/…), so that the cost
// per play at each size shows how it grows.
#include "bench_env.h"

#include "core/base/day_time.h"
#include "core/games/game_registry.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "core/views/all_graphs.h"
#include "core/views/calendar.h"
#include "core/views/day_summary.h"
#include "core/views/log_list.h"
#include "core/views/range_view.h"
#include "core/views/sort_view.h"
#include "core/views/streaks.h"
#include "core/views/totals.h"
#include "core/views/weekly_scores.h"

#include <benchmark/benchmark.h>

#include <functional>

using namespace mirute;

namespace {

// The folder a benchmark reads and the date of its last play, which the panels take for today.
struct Folder {
    QString dir;
    QDate today;
};

Folder largestLog() {
    return {bench::sampleDir(), bench::lastPlayDay()};
}

void addRecords(benchmark::State &state, qsizetype records) {
    state.counters["records"] = double(records);
    state.counters["records_per_s"] =
        benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate);
}

void readLog(benchmark::State &state, const Folder &f) {
    qsizetype records = 0;
    for (auto _ : state) {
        const PlayLogData log = readPlayLog(f.dir);
        records = log.records.size();
        benchmark::DoNotOptimize(log.records.data());
    }
    addRecords(state, records);
}

// A goal of minutes with a rest day a week: the goal's heaviest count, as the panels make it with a goal set.
const DailyGoal kBenchGoal{GoalMeasure::Minutes, 15, 1};

void mainPanel(benchmark::State &state, const Folder &f) {
    int plays = 0;
    for (auto _ : state) {
        const PlayLogData log = readPlayLog(f.dir);
        const DaySummary s = computeDay(log, f.today);
        const PlayedDays played(log.records, f.today);
        benchmark::DoNotOptimize(dayStreaks(played, kBenchGoal).longest);
        benchmark::DoNotOptimize(goalProgress(played, kBenchGoal).done);
        plays = int(s.plays.size());
        benchmark::DoNotOptimize(s.dayTotal);
    }
    state.counters["day_plays"] = plays;
}

void allGraphs(benchmark::State &state, const Folder &f) {
    AllGraphs view;
    qsizetype rows = 0;
    for (auto _ : state) {
        view.resetGrids();
        view.rebuild(readPlayLog(f.dir), f.today);
        rows = view.playsGrid().rows();
    }
    addRecords(state, rows - 1);
}

enum RangeCase { RangeAll, RangeKey, RangeWeekday };

void range(benchmark::State &state, const Folder &f, RangeCase which) {
    RangeView view(gameNames());
    view.open(readPlayLog(f.dir).records);
    qsizetype rows = 0;
    for (auto _ : state) {
        switch (which) {
        case RangeAll: view.open(readPlayLog(f.dir).records); break;
        case RangeKey:
            view.filter().key = QStringLiteral("抜");
            view.searchKey(readPlayLog(f.dir).records);
            break;
        case RangeWeekday:
            view.filter().key.clear();
            view.chooseWeekday(3, readPlayLog(f.dir).records);
            break;
        }
        rows = view.list().rows();
    }
    state.counters["rows"] = double(rows - 1);
}

void sortFill(benchmark::State &state, const Folder &f) {
    Grid grid;
    for (auto _ : state) {
        resetSortGrid(grid);
        fillSortGrid(grid, readPlayLog(f.dir).records);
    }
    addRecords(state, grid.rows() - 1);
}

// One press of a sort button on the filled list; presses alternate the direction, as the user's do.
void sortButton(benchmark::State &state, const Folder &f, int button) {
    Grid grid;
    resetSortGrid(grid);
    fillSortGrid(grid, readPlayLog(f.dir).records);
    resetSortDirectionFlags();
    for (auto _ : state)
        pressSortButton(grid, button);
    addRecords(state, grid.rows() - 1);
}

void totals(benchmark::State &state, const Folder &f, TotalsMeasure measure) {
    Grid days, months;
    for (auto _ : state) {
        const PlayLogData log = readPlayLog(f.dir);
        buildTotals(log.records, gameNames(), playSpan(log.records, f.today), measure, days, months);
    }
    state.counters["day_rows"] = double(days.rows() - 1);
}

void calendar(benchmark::State &state, const Folder &f) {
    Calendar calendar;
    for (auto _ : state) {
        const PlayLogData log = readPlayLog(f.dir);
        benchmark::DoNotOptimize(calendar.fill(log, f.today));
        const PlayedDays played(log.records, f.today);
        calendar.markGoalDays(played, kBenchGoal);
        calendar.markLongestRun(dayStreaks(played, kBenchGoal));
    }
    state.counters["month_rows"] = double(calendar.monthGrid().rows());
}

// 週別スコア as it opens: the first game's history (5,000 plays), its weeks and their average.
void weeklyRefresh(benchmark::State &state, const Folder &f) {
    const GameDefinition def = gameDefinition(1);
    WeeklyScoresView view;
    for (auto _ : state)
        benchmark::DoNotOptimize(view.show(def, readHistory(f.dir, def.historyFile()).records, f.today));
    state.counters["weeks"] = double(view.grid().rows() - 1);
}

void diaryList(benchmark::State &state, const Folder &f) {
    Grid grid;
    for (auto _ : state) {
        resetDiaryGrid(grid);
        fillDiaryList(grid, readPlayLog(f.dir).records);
    }
    addRecords(state, grid.rows() - 1);
}

void editList(benchmark::State &state, const Folder &f) {
    Grid grid;
    for (auto _ : state) {
        resetEditGrid(grid);
        fillEditList(grid, readPlayLog(f.dir).records);
    }
    addRecords(state, grid.rows() - 1);
}

using Refresh = std::function<void(benchmark::State &, const Folder &)>;

// The refreshes measured at every size, by the name the scaling table gives them.
const QList<std::pair<QString, Refresh>> &scaledRefreshes() {
    static const QList<std::pair<QString, Refresh>> all = {
        {"read", readLog},
        {"main", mainPanel},
        {"all_graphs", allGraphs},
        {"range_all", [](benchmark::State &s, const Folder &f) { range(s, f, RangeAll); }},
        {"sort_fill", sortFill},
        {"sort_button_4", [](benchmark::State &s, const Folder &f) { sortButton(s, f, 3); }},
        {"totals_both", [](benchmark::State &s, const Folder &f) { totals(s, f, TotalsMeasure(2)); }},
        {"calendar", calendar},
        {"diary_list", diaryList},
        {"edit_list", editList},
    };
    return all;
}

benchmark::internal::Benchmark *timed(benchmark::internal::Benchmark *b, double minTime) {
    return b->Unit(benchmark::kMillisecond)->MinTime(minTime)->MeasureProcessCPUTime()->UseRealTime();
}

void registerLargest(const char *name, const Refresh &refresh) {
    timed(benchmark::RegisterBenchmark(name, [refresh](benchmark::State &s) { refresh(s, largestLog()); }), 1.0);
}

} // namespace

namespace mirute::bench {

void registerRefreshBenchmarks() {
    registerLargest("BM_MainPanel", mainPanel);
    registerLargest("BM_AllGraphs", allGraphs);
    for (int c = RangeAll; c <= RangeWeekday; ++c)
        registerLargest(qPrintable(QStringLiteral("BM_Range/all0_key1_weekday2:%1").arg(c)),
                        [c](benchmark::State &s, const Folder &f) { range(s, f, RangeCase(c)); });
    registerLargest("BM_SortFill", sortFill);
    for (int b = 0; b < kSortButtonCount; ++b)
        registerLargest(qPrintable(QStringLiteral("BM_SortButton/button:%1").arg(b)),
                        [b](benchmark::State &s, const Folder &f) { sortButton(s, f, b); });
    for (int m = 0; m <= 2; ++m)
        registerLargest(qPrintable(QStringLiteral("BM_Totals/time0_count1_both2:%1").arg(m)),
                        [m](benchmark::State &s, const Folder &f) { totals(s, f, TotalsMeasure(m)); });
    registerLargest("BM_Calendar", calendar);
    registerLargest("BM_WeeklyScores", weeklyRefresh);
    registerLargest("BM_DiaryList", diaryList);
    registerLargest("BM_EditList", editList);

    for (const int plays : scalingPlays())
        for (const auto &[name, refresh] : scaledRefreshes())
            timed(benchmark::RegisterBenchmark(qPrintable(QStringLiteral("BM_Scale/%1/plays:%2").arg(name).arg(plays)),
                                               [plays, refresh](benchmark::State &s) {
                                                   const QString dir = scaledSampleDir(plays);
                                                   if (dir.isEmpty()) {
                                                       s.SkipWithError("the sample folder could not be written");
                                                       return;
                                                   }
                                                   refresh(s, {dir, bench::lastPlayDay(dir)});
                                               }),
                  0.2);
}

} // namespace mirute::bench
