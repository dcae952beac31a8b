#!/usr/bin/env bash
# Builds the Debian package (Release, in build/ or the folder given as $1), checks that it holds every file
# the program needs and names its dependencies, then unpacks it into a scratch root and starts the installed
# launcher there, headless and with an empty home, to see that it seeds the data folder and keeps running.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
"$here/scripts/deps.sh" dpkg-dev appstream
"$here/scripts/build.sh" "$build"
rm -f "$build"/mirute_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/mirute_*.deb)
echo "package: $deb"

fail() { echo "package check failed: $*" >&2; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
expected=(./usr/bin/mirute ./usr/bin/mirute-export ./usr/bin/mirute-launch
          ./usr/share/applications/mirute.desktop ./usr/share/metainfo/mirute.metainfo.xml
          ./usr/share/icons/hicolor/scalable/apps/mirute.svg)
for size in 16 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/mirute.png")
done
while IFS= read -r f; do
    expected+=("./usr/share/mirute/${f#"$here/data/"}")
done < <(find "$here/data" -type f | sort)
for f in "${expected[@]}"; do
    grep -qxF "$f" <<<"$contents" || fail "$f is missing"
done
echo "files: all ${#expected[@]} there"

depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6charts6 fonts-noto-cjk; do
    grep -q "$p" <<<"$depends" || fail "Depends does not name $p: $depends"
done
echo "Depends: $depends"

# Warnings (such as an id that is not a reverse domain name) are not errors.
if ! appstreamcli validate --no-net --pedantic "$here/packaging/mirute.metainfo.xml" >/tmp/mirute-metainfo.$$ 2>&1; then
    grep -q '^E:' /tmp/mirute-metainfo.$$ && { cat /tmp/mirute-metainfo.$$; rm -f /tmp/mirute-metainfo.$$; fail "metainfo"; }
fi
rm -f /tmp/mirute-metainfo.$$

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
mkdir "$root/home"
status=0
env -i PATH=/usr/bin:/bin HOME="$root/home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    timeout 10 "$root/usr/bin/mirute-launch" >"$root/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$root/run.log"; fail "the installed program ended with status $status"; }
data="$root/home/.local/share/mirute"
for f in 抜かな辞書.TXT MiruteHelp.html 1.gif; do
    [ -f "$data/$f" ] || fail "the launcher did not seed $f into $data"
done
echo "installed program: started from the package, data folder seeded"
