#!/usr/bin/env bash
# Against the computer: a move and its reply taken back with Ctrl+Z, played
# again, and the program ended by SIGTERM as a session's end does; started
# again, the game goes on from there when the offer is taken, and the kept
# record loads from the file panel and steps to that game.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"

# The pieces on the board: three pixels down the middle of every square, so
# that the outlines a move leaves round its squares do not count.
board() {
  local fmt="" x y
  for x in 1 2 3 4 5 6 7 8 9; do
    for y in 1 2 3 4 5 6 7 8 9; do
      for d in -8 0 8; do fmt+="%[pixel:p{$(cx $x),$(( $(cy $y) + d ))}]"; done
    done
  done
  convert "$1" -format "$fmt" info: | md5sum | cut -c1-12
}

import -window "$WID" "$out/takeback-0-start.png"
# 対局 → 対局(COM) → 先手, then the message.
bar 20; xdotool key Down Down Right Return; sleep 0.4; xdotool key Return; sleep 0.3
press "$(cx 7)" "$(cy 7)"; press "$(cx 7)" "$(cy 6)"; sleep 1
import -window "$WID" "$out/takeback-1-played.png"
differs "the move and the reply are on the board" "$(board "$out/takeback-1-played.png")" "$(board "$out/takeback-0-start.png")"

xdotool key ctrl+z; sleep 0.5
import -window "$WID" "$out/takeback-2-taken-back.png"
check "Ctrl+Z brings back the first position" "$(board "$out/takeback-2-taken-back.png")" "$(board "$out/takeback-0-start.png")"

press "$(cx 7)" "$(cy 7)"; press "$(cx 7)" "$(cy 6)"; sleep 1
import -window "$WID" "$out/takeback-3-played-again.png"
check "the game goes on as before" "$(board "$out/takeback-3-played-again.png")" "$(board "$out/takeback-1-played.png")"

kill -TERM "$GAME_PID"
e2e_await_exit || { echo "FAIL the game did not end on SIGTERM"; fail=1; }
kept="$WORK/前回の対局.棋譜"
check "SIGTERM keeps the game of 2 moves" "$( [[ -f "$kept" ]] && grep -c $'\r$' "$kept" || echo none)" 5

e2e_launch
sleep 0.5
# The start offers to go on with the kept game: はい, the default button,
# then the message that the player is to move, as 先手 says it.
import -window root "$out/takeback-4-offer.png"
xdotool key Return; sleep 0.5; xdotool key Return; sleep 0.3
import -window "$WID" "$out/takeback-5-continued.png"
check "はい goes on from the game played" "$(board "$out/takeback-5-continued.png")" "$(board "$out/takeback-3-played-again.png")"
check "the player is to move" "$(e2e_your_turn "$out/takeback-5-continued.png" && echo yes || echo no)" yes
# The kept record loaded, then 進 twice.
e2e_load_first_record
bar 112; bar 112
import -window "$WID" "$out/takeback-6-loaded.png"
check "the kept record steps to the game played" "$(board "$out/takeback-6-loaded.png")" "$(board "$out/takeback-3-played-again.png")"
exit $fail
