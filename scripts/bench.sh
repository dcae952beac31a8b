#!/usr/bin/env bash
# Measures the program at the largest play log (32,766 records), in one command:
#   scripts/bench.sh [repetitions]        (default 5; medians are reported)
# Builds the benchmarks (Release, build-bench/, -DMIRUTE_BENCH=ON), writes a sample working folder with
# mirute-sample into a temporary folder, runs every benchmark, the Python peer reader on the same file and
# a few fresh starts of the main window (first paint, every panel once, peak memory) and one at 100,000
# plays, a few left idle for 3 s (resident memory, also with an empty log), then prints every figure, a
# summary table with the medians, the ratios and the targets, and the time per play of the read and of every
# panel's refresh at 1,000 to 100,000 plays.
# Environment: BENCH_FILTER=regex runs only some benchmarks; KEEP=1 keeps the temporary folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
reps=${1:-5}
build="$here/build-bench"

"$here/scripts/deps.sh" libbenchmark-dev python3
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRUTE_BENCH=ON >/dev/null
cmake --build "$build" --target mirute_bench mirute-sample -j "$(nproc)"

work=$(mktemp -d "${TMPDIR:-/tmp}/mirute-bench.XXXXXX")
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT
sample="$work/sample"
"$build/tools/mirute-sample" --dir "$sample" --records 32766 --seed 1 --history-plays 5000

export QT_QPA_PLATFORM=offscreen
echo
echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "== benchmarks ($reps repetitions)"
"$build/bench/mirute_bench" --sample-dir="$sample" --benchmark_repetitions="$reps" \
    --benchmark_report_aggregates_only=true --benchmark_filter="${BENCH_FILTER:-.}" \
    --benchmark_out="$work/bench.json" --benchmark_out_format=json

echo
echo "== peer: Python 3 csv + cp932 on the same file"
python3 "$here/bench/peer_read.py" "$sample" --runs $((reps * 2 + 1)) | tee "$work/peer.json"

echo
echo "== fresh starts: first paint, every panel once, peak memory"
: >"$work/first.jsonl"
for _ in $(seq "$reps"); do
    "$build/bench/mirute_bench" --first-start --sample-dir="$sample" 2>/dev/null | tee -a "$work/first.jsonl"
done

echo
echo "== a fresh start at 100,000 plays, beyond the grids' usual limit: every panel once"
"$build/tools/mirute-sample" --dir "$work/large" --records 100000 --seed 1
"$build/bench/mirute_bench" --first-start --sample-dir="$work/large" 2>/dev/null | tee "$work/large.jsonl"

echo
echo "== resident memory 3 s after start-up, the window idle: an empty log, then the largest"
"$build/tools/mirute-sample" --dir "$work/empty" --records 0 --seed 1 >/dev/null
"$build/bench/mirute_bench" --idle-start --sample-dir="$work/empty" 2>/dev/null | tee "$work/idle-empty.jsonl"
: >"$work/idle.jsonl"
for _ in $(seq "$reps"); do
    "$build/bench/mirute_bench" --idle-start --sample-dir="$sample" 2>/dev/null | tee -a "$work/idle.jsonl"
done

echo
echo "== summary (medians; load $(cut -d' ' -f1-3 /proc/loadavg))"
python3 "$here/bench/summary.py" "$work/bench.json" "$work/peer.json" "$work/first.jsonl" "$work/large.jsonl" \
    "$work/idle.jsonl" "$work/idle-empty.jsonl"
