#!/usr/bin/env bash
# Extracts the texts of every source of the game and its window into a
# catalogue template: XGETTEXT OUTPUT OPTIONS..., run in the source tree.
set -euo pipefail
xgettext=$1 output=$2
shift 2
find core app -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
  "$xgettext" "$@" --files-from=- -o "$output"
