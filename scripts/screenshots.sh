#!/usr/bin/env bash
# Builds the program and writes a picture of every panel and game window into the folder given
# (default: screenshots/), taken in a real X server (Xvfb) on a sample folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(readlink -f "${1:-$here/screenshots}")
"$here/scripts/deps.sh"
"$here/scripts/build.sh" "$here/build" >/dev/null
cmake --build "$here/build" --target mirute-screenshots >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" "$here/build/tests/mirute-screenshots" "$out"
ls "$out"
