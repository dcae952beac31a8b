// Reading and decoding the whole play log, the work every panel's refresh starts with. A large log is
// read on two threads, so processor time here is the whole process's, beside the wall-clock time.
#include "bench_env.h"

#include "core/base/text_file.h"
#include "core/games/common/game_history.h"
#include "core/games/game_registry.h"
#include "core/log/play_log.h"

#include <benchmark/benchmark.h>

using namespace mirute;

namespace {

void addRecordCounters(benchmark::State &state, qsizetype records, qsizetype bytes) {
    state.counters["records"] = double(records);
    state.counters["records_per_s"] =
        benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB_per_s"] = benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ReadPlayLog(benchmark::State &state) {
    PlayLogData log;
    for (auto _ : state) {
        log = readPlayLog(bench::sampleDir());
        benchmark::DoNotOptimize(log.records.data());
    }
    if (!log.complete())
        state.SkipWithError("the sample log has damaged lines");
    const TextLines raw = readTextLines(bench::sampleDir(), kPlayLogFile);
    addRecordCounters(state, log.records.size(), raw.bytes);
}
BENCHMARK(BM_ReadPlayLog)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

// The line-by-line reader, which reads a damaged file and names its damaged lines: its two halves.
void BM_ReadTextLines(benchmark::State &state) {
    TextLines lines;
    for (auto _ : state) {
        lines = readTextLines(bench::sampleDir(), kPlayLogFile);
        benchmark::DoNotOptimize(lines.lines.data());
    }
    addRecordCounters(state, lines.lines.size(), lines.bytes);
}
BENCHMARK(BM_ReadTextLines)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

void BM_ParsePlayLog(benchmark::State &state) {
    const TextLines lines = readTextLines(bench::sampleDir(), kPlayLogFile);
    PlayLogData log;
    for (auto _ : state) {
        log = parsePlayLog(lines);
        benchmark::DoNotOptimize(log.records.data());
    }
    addRecordCounters(state, log.records.size(), lines.bytes);
}
BENCHMARK(BM_ParsePlayLog)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

// A game window's history list: every line of its history file into the list and the chart.
void BM_GameHistoryShowAll(benchmark::State &state) {
    const GameDefinition def = gameDefinition(1);
    GameHistory history(def, bench::sampleDir());
    for (auto _ : state) {
        history.showAll();
        benchmark::DoNotOptimize(history.list().rows());
    }
    state.counters["plays"] = double(history.list().rows() - 1);
    if (history.list().rows() - 1 < 5000)
        state.SkipWithError("the sample history holds fewer than 5,000 plays");
}
BENCHMARK(BM_GameHistoryShowAll)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
