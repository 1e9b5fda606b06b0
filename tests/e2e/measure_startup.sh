#!/usr/bin/env bash
# Start-up time (launch to a visible window, which is drawn before it is
# shown) and resident memory of the game, over a few runs under Xvfb.
# usage: tests/e2e/measure_startup.sh [GAME_DIR] [RUNS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
game_dir=${1:-$here/../../build/game}
runs=${2:-5}
export SDL_AUDIODRIVER=dummy
for i in $(seq "$runs"); do
  e2e_start_x
  WORK=$(mktemp -d)
  cp -r "$game_dir"/. "$WORK"/
  export XDG_RUNTIME_DIR=$WORK
  t0=$(date +%s%N)
  (cd "$WORK" && exec ./korvanu) &
  GAME_PID=$!
  until xdotool search --onlyvisible --name '^Korvanu$' >/dev/null 2>&1; do sleep 0.005; done
  t1=$(date +%s%N)
  sleep 2
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$GAME_PID/status")
  echo "run $i: window shown after $(( (t1 - t0) / 1000000 )) ms, resident ${rss} kB"
  e2e_cleanup 2>/dev/null
  unset GAME_PID XVFB_PID WORK
  sleep 0.3
done
