#!/usr/bin/env bash
# The game's resident memory as level 4 is asked for one hint after another
# (each a one-second search), on a private Xvfb: it should step up once, for
# the search's table, and then stay. Usage: tools/measure_memory.sh [GAME_DIR] [HINTS]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/lib.sh"
game_dir=${1:-$here/../build/game}
hints=${2:-12}
trap e2e_cleanup EXIT
e2e_start_x
e2e_copy_game "$game_dir"
e2e_launch
sleep 1
menu=$(( $(xwininfo -id "$WID" | awk '/Height:/ {print $2}') - 514 ))
rss() { awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' "/proc/$GAME_PID/status"; }
echo "at start: $(rss)"
# 対局 → 対局(人間) → スタート and its message: a hint for either side.
bar 20; xdotool key Down Right Return; sleep 0.4; xdotool key Return; sleep 0.3
xdotool windowfocus --sync "$WID"
for i in $(seq 1 "$hints"); do
  xdotool key h; sleep 1.6
  echo "after hint $i: $(rss)"
  press "$(cx 5)" "$(cy 5)" # the next click takes the hint away
done
