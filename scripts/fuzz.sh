#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for a bounded time (FUZZ_SECONDS, 30 by
# default) from its seed corpus, as many at once as there are cores. Fails when any target finds a crash, a
# sanitizer report or a broken property; the input that did it is kept in the build folder's artifacts/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/deps.sh" clang libclang-rt-14-dev
build=${FUZZ_BUILD:-$here/build-fuzz}
seconds=${FUZZ_SECONDS:-30}
targets=(fuzz_write_list fuzz_sjis fuzz_play_log fuzz_history fuzz_game_settings fuzz_dictionary fuzz_app_files)

gen=()
command -v ninja >/dev/null && [ ! -f "$build/CMakeCache.txt" ] && gen=(-G Ninja)
cmake -S "$here" -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DMIRUTE_FUZZ=ON -DMIRUTE_TESTS=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"

mkdir -p "$build/artifacts"
# One target a core: FUZZ_JOBS at a time (the number of cores by default), each for its full time.
jobs=${FUZZ_JOBS:-$(nproc)}
fuzz_one() {
    local t=$1 work status=0
    # New inputs go to a scratch folder; the committed seeds are only read.
    work=$(mktemp -d)
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
                         -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
                         "$work" "$here/fuzz/corpus/$t" >"$build/artifacts/$t.log" 2>&1 || status=$?
    rm -rf "$work"
    echo "$status" >"$build/artifacts/$t.status"
}
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    rm -f "$build/artifacts/$t.status"
    fuzz_one "$t" &
done
wait

failed=()
for t in "${targets[@]}"; do
    echo "== $t (${seconds} s)"
    if [ "$(cat "$build/artifacts/$t.status" 2>/dev/null)" = 0 ]; then
        grep -E "^(stat::number_of_executed_units|stat::new_units_added)" "$build/artifacts/$t.log" || true
    else
        echo "FAILED: $t (see $build/artifacts/$t.log)"
        tail -n 40 "$build/artifacts/$t.log"
        failed+=("$t")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found faults in: ${failed[*]}"
    exit 1
fi
echo "fuzzing: ${#targets[@]} targets ran ${seconds} s each, ${jobs} at a time, without a finding"
