#!/usr/bin/env bash
# Installs from Debian's packages whatever this machine lacks: what building
# and playing need, and with --tests what the tests need as well. Does
# nothing when everything is there.
set -euo pipefail

# Building the game and playing it (gettext compiles the message catalogues;
# miniupnpc and natpmp ask the home router to forward the host's port).
packages=(
  cmake g++ make pkg-config
  qt6-base-dev libsdl2-dev
  libminiupnpc-dev libnatpmp-dev
  fonts-ipafont-mincho
  gettext
)
# The tests: unit tests and benchmarks, the real window under Xvfb, the
# fuzzers, and the Debian package built (dpkg-shlibdeps, file), linted and
# installed; fairy-stockfish is the perft benchmark's yardstick; ip links the
# router test's network namespaces.
test_packages=(
  libgtest-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils xxd
  clang-14 libfuzzer-14-dev clang-format-14
  dpkg-dev file desktop-file-utils appstream groff-base
  iproute2
  fairy-stockfish
)
case "${1:-}" in
  --tests) packages+=("${test_packages[@]}") ;;
  "") ;;
  *) echo "usage: scripts/deps.sh [--tests]" >&2; exit 2 ;;
esac

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
