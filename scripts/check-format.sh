#!/usr/bin/env bash
# Checks that every C++ file of the tree follows .clang-format (with the clang-format of Debian 12); lists
# the files that differ and fails if there are any. `scripts/check-format.sh --fix` rewrites them instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/deps.sh" clang-format
cd "$here"
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i --style=file "${files[@]}"
    exit 0
fi
differ=()
for f in "${files[@]}"; do
    clang-format --style=file "$f" | cmp -s - "$f" || differ+=("$f")
done
if [ ${#differ[@]} -gt 0 ]; then
    echo "Not formatted as .clang-format says (scripts/check-format.sh --fix rewrites them):"
    printf '  %s\n' "${differ[@]}"
    exit 1
fi
echo "All ${#files[@]} files formatted."
