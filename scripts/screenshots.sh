#!/usr/bin/env bash
# Builds the program and writes a picture of every panel and game window, taken in a real X server (Xvfb) on
# a sample folder: FOLDER/1x on a 1366×768 screen and FOLDER/2x at scale 2 (default FOLDER: screenshots/).
# A working folder given as the second argument (e.g. one written by mirute-sample) is used instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(readlink -f "${1:-$here/screenshots}")
shift || true
"$here/scripts/deps.sh"
"$here/scripts/build.sh" "$here/build" >/dev/null
cmake --build "$here/build" --target mirute-screenshots >/dev/null
mkdir -p "$out/1x" "$out/2x"
xvfb-run -a -s "-screen 0 1366x768x24" "$here/build/tests/mirute-screenshots" "$out/1x" "$@"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2732x1536x24" "$here/build/tests/mirute-screenshots" "$out/2x" "$@"
ls "$out/1x" "$out/2x"
