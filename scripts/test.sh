#!/usr/bin/env bash
# Builds everything and runs every test headless (offscreen Qt platform).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/deps.sh" dbus-daemon at-spi2-core python3-pyatspi
"$here/scripts/build.sh" "$here/build"
cd "$here/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
