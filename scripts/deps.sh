#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the program (only those missing).
set -euo pipefail
pkgs=(build-essential cmake ninja-build ccache qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
      qt6-translations-l10n fonts-ipafont-gothic xvfb xauth)
pkgs+=("$@")
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
# Another apt run (an unattended upgrade, a second script) holds the dpkg lock for a while: wait for it.
lock=(-o DPkg::Lock::Timeout=300)
$sudo apt-get "${lock[@]}" update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
