#!/usr/bin/env bash
# Two windows, each from a game folder of its own, play each other through
# 127.0.0.1: one started with --host 0 --no-router, the other with --join and
# the port the first printed, its code on standard input. A few moves by mouse
# on each; both boards then agree, the joiner's seen from the other side.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
game_dir=$1
out=${2:-$(mktemp -d)}
mkdir -p "$out"

HOST_PID="" JOIN_PID="" HOST_WORK="" JOIN_WORK=""
cleanup() {
  local pid
  for pid in $HOST_PID $JOIN_PID; do kill "$pid" 2>/dev/null || true; done
  for pid in $HOST_PID $JOIN_PID; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  done
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$HOST_WORK" "$JOIN_WORK"
}
trap cleanup EXIT
e2e_start_x ${E2E_DISPLAY:-}

# A game window other than `$1`, once it shows.
new_window() {
  local w
  for _ in $(seq 200); do
    for w in $(xdotool search --onlyvisible --name '^Korvanu$' 2>/dev/null); do
      [[ "$w" != "${1:-}" ]] && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

e2e_copy_game "$game_dir"; HOST_WORK=$WORK
e2e_copy_game "$game_dir"; JOIN_WORK=$WORK
# --no-router: nothing of the test leaves the machine, not even a question
# to the home router.
(cd "$HOST_WORK" && exec ./korvanu --host 0 --no-router >"$HOST_WORK/stdout") &
HOST_PID=$!
line=""
for _ in $(seq 100); do
  line=$(head -n 1 "$HOST_WORK/stdout" 2>/dev/null || true)
  [[ -n "$line" ]] && break
  sleep 0.1
done
check "the host prints its port and code" \
  "$(grep -cE '^waiting on port [0-9]+, code [2-9A-HJKMNP-Z]{8}$' <<<"$line" || true)" 1
port=$(sed -E 's/^waiting on port ([0-9]+), .*/\1/' <<<"$line")
code=${line##* }
HOST_WID=$(new_window)
xdotool windowmove "$HOST_WID" 0 0
sleep 0.5
menu=$(( $(xwininfo -id "$HOST_WID" | awk '/Height:/ {print $2}') - 514 ))
import -window root "$out/network-0-waiting.png"

# The code comes on standard input, out of the process list every user reads.
(cd "$JOIN_WORK" && exec ./korvanu --join "127.0.0.1:$port" --code - <<<"$code") &
JOIN_PID=$!
sleep 0.2
check "the joiner's command line holds no code" "$(tr '\0' ' ' </proc/$JOIN_PID/cmdline)" \
  "./korvanu --join 127.0.0.1:$port --code - "
JOIN_WID=$(new_window "$HOST_WID")
xdotool windowmove "$JOIN_WID" 640 0
# The joiner's game has begun once its turn marker shows, under either
# clock: the greeting's key stretching takes its time on a busy machine.
begun() {
  import -window "$JOIN_WID" "$out/network-join-begun.png"
  (( $(e2e_yellow "$out/network-join-begun.png" 5) + $(e2e_yellow "$out/network-join-begun.png" 495) > 50 ))
}
for _ in $(seq 100); do begun && break; sleep 0.2; done
check "the joiner's game begins" "$(begun && echo yes || echo no)" yes
sleep 0.5

WID=$HOST_WID
import -window "$HOST_WID" "$out/network-1-host-start.png"
# Waits up to 15 s for the turn marker of window $1's own side: the peer's
# move has come and been played there, its explosion included.
await_turn() {
  for _ in $(seq 75); do
    import -window "$1" "$out/network-turn.png"
    e2e_your_turn "$out/network-turn.png" && return 0
    sleep 0.2
  done
  return 1
}
# Clicks on the joiner's turned picture name the cell (10 - x, 10 - y).
move() { # window fx fy tx ty
  WID=$1
  press "$(cx "$2")" "$(cy "$3")"; press "$(cx "$4")" "$(cy "$5")"
}
move "$JOIN_WID" 3 7 3 6 # not the joiner's turn: nothing moves, the box says so
# With two windows and no window manager the keyboard need not be on the box:
# give it the focus before answering, and see it gone.
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^ネット対局$' | head -n 1 || true)
import -window root "$out/network-2-refused.png"
check "the joiner is told it is not its turn" "$([[ -n "$box" ]] && echo yes || echo no)" yes
if [[ -n "$box" ]]; then
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 50); do xwininfo -id "$box" 2>/dev/null | grep -q IsViewable || break; sleep 0.1; done
fi
check "the box is answered" "$(xdotool search --onlyvisible --name '^ネット対局$' | wc -l)" 0
move "$HOST_WID" 3 7 3 6 # the lower pawn before the bishop
check "the joiner's turn after the host's move" "$(await_turn "$JOIN_WID" && echo yes || echo no)" yes
move "$JOIN_WID" 3 7 3 6 # the upper pawn in front of its bishop, from the other side
check "the host's turn after the joiner's move" "$(await_turn "$HOST_WID" && echo yes || echo no)" yes
move "$HOST_WID" 2 8 8 2 # the bishop takes in the corner: an explosion
check "the joiner's turn after the explosion" "$(await_turn "$JOIN_WID" && echo yes || echo no)" yes
sleep 0.5
import -window "$HOST_WID" "$out/network-3-host.png"
import -window "$JOIN_WID" "$out/network-4-join.png"
import -window root "$out/network-5-both.png"

# Each board cropped, the joiner's turned back: the same position.
# Which squares hold a piece (its ink, black on wood), row by row: the
# joiner's turned back first. The tints and pictures of the two views differ;
# where the pieces stand does not.
squares() { # png [turn]
  convert "$1" -crop "$(( 9 * 495 / 15 ))x$(( 9 * 615 / 15 ))+$(( (1050 + 495) / 15 ))+$(( menu + (100 + 615) / 15 ))" \
    +repage ${2:+-rotate 180} -colorspace gray -threshold 25% -negate -filter box -resize 9x9! \
    -depth 8 txt:- | tail -n +2 | sed -E 's/.*gray\(([0-9]+)\).*/\1/' |
    awk '{printf "%s", ($1 > 12) ? "#" : "."}'
}
differs "the moves are on the host's board" "$(squares "$out/network-3-host.png")" \
  "$(squares "$out/network-1-host-start.png")"
check "the joiner's board, turned, is the host's" "$(squares "$out/network-4-join.png" turn)" \
  "$(squares "$out/network-3-host.png")"
differs "the joiner's board is seen from its side" "$(squares "$out/network-4-join.png")" \
  "$(squares "$out/network-3-host.png")"
for who in HOST JOIN; do
  pid_var=${who}_PID
  check "${who,,} still runs" "$(kill -0 "${!pid_var}" 2>/dev/null && echo yes || echo no)" yes
done
exit $fail
