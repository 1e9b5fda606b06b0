#!/usr/bin/env bash
# perft speed side by side in one run: korvanu-engine's `perft D sita` from the
# start (drops on, the closer game) against fairy-stockfish's `go perft D` on
# standard shogi from its start. Both count the last ply in bulk and run on
# one core; the time is each process's CPU time (user + system), start-up
# included. fairy-stockfish is a yardstick only (scripts/deps.sh --tests).
#   bench/perft_vs_fairy.sh [ENGINE] [DEPTH]
set -euo pipefail
engine=${1:-build/engine/korvanu-engine}
depth=${2:-5}
fairy=$(command -v fairy-stockfish || echo /usr/games/fairy-stockfish)
[[ -x "$engine" ]] || { echo "no engine at $engine" >&2; exit 2; }
[[ -x "$fairy" ]] || { echo "no fairy-stockfish (scripts/deps.sh --tests)" >&2; exit 2; }

# Runs "$@" with stdin from $input; sets out and cpu (seconds).
measure() {
  local tmp
  tmp=$(mktemp)
  local TIMEFORMAT='%U %S'
  local t
  t=$( { time "$@" <<<"$input" >"$tmp" 2>&1; } 2>&1 )
  out=$(cat "$tmp")
  rm -f "$tmp"
  cpu=$(awk '{ print $1 + $2 }' <<<"$t")
}

input=$(printf 'set drops on\nperft %s sita\nquit\n' "$depth")
measure taskset -c 0 "$engine"
ours_nodes=$(awk '$1 == "perft" { print $3 }' <<<"$out")
ours_cpu=$cpu

input=$(printf 'setoption name UCI_Variant value shogi\nposition startpos\ngo perft %s\nquit\n' "$depth")
measure taskset -c 0 "$fairy"
fairy_nodes=$(awk -F': ' '/^Nodes searched/ { print $2 }' <<<"$out")
fairy_cpu=$cpu

[[ -n "$ours_nodes" && -n "$fairy_nodes" ]] || { echo "a perft gave no count" >&2; exit 1; }
awk -v on="$ours_nodes" -v oc="$ours_cpu" -v fn="$fairy_nodes" -v fc="$fairy_cpu" -v d="$depth" '
  BEGIN {
    ours = on / (oc > 0 ? oc : 1e-9); fairy = fn / (fc > 0 ? fc : 1e-9)
    printf "korvanu-engine   perft %d: %12d nodes %7.3f s %12.0f nodes/s\n", d, on, oc, ours
    printf "fairy-stockfish  perft %d: %12d nodes %7.3f s %12.0f nodes/s\n", d, fn, fc, fairy
    printf "ratio (korvanu / fairy-stockfish): %.2f\n", ours / fairy
  }'
