#!/usr/bin/env bash
# Builds Korvanu and starts it in its game folder (build/game), beside its
# sound library and sounds, where it also keeps Korvanu.ini.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANU_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd build/game
exec ./korvanu "$@"
