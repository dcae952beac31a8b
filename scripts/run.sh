#!/usr/bin/env bash
# Builds the program and starts it in the user's data folder, seeding the folder with the
# default dictionaries, images and settings on the first start (existing files are kept).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/deps.sh"
"$here/scripts/build.sh" "$here/build" -DMIRUTE_TESTS=ON
data=${MIRUTE_DATA:-${XDG_DATA_HOME:-$HOME/.local/share}/mirute}
mkdir -p "$data"
cp -rn "$here/data/." "$data/"
echo "Data folder: $data"
cd "$data"
exec "$here/build/src/programs/mirute" "$@"
