#!/usr/bin/env bash
# Installs from Debian's packages whatever the build, the game and the tests
# need and this machine lacks. Does nothing when everything is there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libsdl2-mixer-dev
  libgtest-dev libbenchmark-dev
  fonts-ipafont-mincho
  xvfb xdotool imagemagick x11-utils
  clang-14 libfuzzer-14-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
