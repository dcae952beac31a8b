#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs every test headless; any sanitizer report fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/deps.sh"
build=${ASAN_BUILD:-$here/build-asan}
# Line tables are all a sanitizer report needs to name the lines: full debugging information only made the
# compiles and links of this build slower.
BUILD_TYPE=${BUILD_TYPE:-Debug} "$here/scripts/build.sh" "$build" -DMIRUTE_SANITIZE=ON -DCMAKE_CXX_FLAGS_DEBUG=-g1
cd "$build"
# Leaks are not checked: the platform libraries keep caches for the life of the process. Undefined
# behaviour stops the test at its first report instead of going on.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
