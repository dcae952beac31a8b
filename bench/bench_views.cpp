// Each log panel's full refresh at the largest log, from the file: read, decode and compute its grids and
// charts in the core, as the panel's fill does before the widgets show them.
#include "bench_env.h"

#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "core/views/all_graphs.h"
#include "core/views/calendar.h"
#include "core/views/day_summary.h"
#include "core/views/log_list.h"
#include "core/views/range_view.h"
#include "core/views/sort_view.h"
#include "core/views/totals.h"

#include <benchmark/benchmark.h>

using namespace mirute;

namespace {

void addRecords(benchmark::State &state, qsizetype records) {
    state.counters["records"] = double(records);
    state.counters["records_per_s"] =
        benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_MainPanel(benchmark::State &state) {
    const QDate day = bench::lastPlayDay();
    int plays = 0;
    for (auto _ : state) {
        const DaySummary s = computeDay(readPlayLog(bench::sampleDir()), day);
        plays = int(s.plays.size());
        benchmark::DoNotOptimize(s.dayTotal);
    }
    state.counters["day_plays"] = plays;
}
BENCHMARK(BM_MainPanel)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

void BM_AllGraphs(benchmark::State &state) {
    AllGraphs view;
    qsizetype rows = 0;
    for (auto _ : state) {
        view.resetGrids();
        view.rebuild(readPlayLog(bench::sampleDir()), bench::lastPlayDay());
        rows = view.playsGrid().rows();
    }
    addRecords(state, rows - 1);
}
BENCHMARK(BM_AllGraphs)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

enum RangeCase { RangeAll, RangeKey, RangeWeekday };

void BM_Range(benchmark::State &state) {
    RangeView view([] { return readPlayLog(bench::sampleDir()); }, gameNames());
    view.open();
    qsizetype rows = 0;
    for (auto _ : state) {
        switch (RangeCase(state.range(0))) {
        case RangeAll: view.open(); break;
        case RangeKey:
            view.filter().key = QStringLiteral("抜");
            view.searchKey();
            break;
        case RangeWeekday:
            view.filter().key.clear();
            view.chooseWeekday(3);
            break;
        }
        rows = view.list().rows();
    }
    state.counters["rows"] = double(rows - 1);
}
BENCHMARK(BM_Range)
    ->ArgName("all0_key1_weekday2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_SortFill(benchmark::State &state) {
    Grid grid;
    for (auto _ : state) {
        resetSortGrid(grid);
        fillSortGrid(grid, readPlayLog(bench::sampleDir()).records);
    }
    addRecords(state, grid.rows() - 1);
}
BENCHMARK(BM_SortFill)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

// One press of a sort button on the filled list; presses alternate the direction, as the user's do.
void BM_SortButton(benchmark::State &state) {
    Grid grid;
    resetSortGrid(grid);
    fillSortGrid(grid, readPlayLog(bench::sampleDir()).records);
    resetSortDirectionFlags();
    for (auto _ : state)
        pressSortButton(grid, int(state.range(0)));
    addRecords(state, grid.rows() - 1);
}
BENCHMARK(BM_SortButton)
    ->ArgName("button")
    ->DenseRange(0, kSortButtonCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_Totals(benchmark::State &state) {
    const auto measure = TotalsMeasure(state.range(0));
    Grid days, months;
    for (auto _ : state) {
        const PlayLogData log = readPlayLog(bench::sampleDir());
        buildTotals(log.records, gameNames(), playSpan(log.records, bench::lastPlayDay()), measure, days, months);
    }
    state.counters["day_rows"] = double(days.rows() - 1);
}
BENCHMARK(BM_Totals)
    ->ArgName("time0_count1_both2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_Calendar(benchmark::State &state) {
    Calendar calendar;
    for (auto _ : state)
        benchmark::DoNotOptimize(calendar.fill(readPlayLog(bench::sampleDir()), bench::lastPlayDay()));
    state.counters["month_rows"] = double(calendar.monthGrid().rows());
}
BENCHMARK(BM_Calendar)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

void BM_DiaryList(benchmark::State &state) {
    Grid grid;
    for (auto _ : state) {
        resetDiaryGrid(grid);
        fillDiaryList(bench::sampleDir(), grid);
    }
    addRecords(state, grid.rows() - 1);
}
BENCHMARK(BM_DiaryList)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

void BM_EditList(benchmark::State &state) {
    Grid grid;
    for (auto _ : state) {
        resetEditGrid(grid);
        fillEditList(bench::sampleDir(), grid);
    }
    addRecords(state, grid.rows() - 1);
}
BENCHMARK(BM_EditList)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
