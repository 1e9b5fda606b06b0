#!/usr/bin/env bash
# A game between two people played with the mouse, saved through the file
# panel; the program started again, the record loaded and stepped through.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"

import -window "$WID" "$out/record-0-start.png"

# 対局 → 対局(人間) → スタート, then the message.
bar 20; xdotool key Down Right Return; sleep 0.4; xdotool key Return; sleep 0.3
press "$(cx 7)" "$(cy 7)"; press "$(cx 7)" "$(cy 6)"
press "$(cx 3)" "$(cy 3)"; press "$(cx 3)" "$(cy 4)"
import -window "$WID" "$out/record-1-played.png"

# 棋譜 → 書込: a title and a file name, then RETURN.
bar 200; xdotool key Down Down Return; sleep 0.4
press "$(px 2100)" "$(py 2535)"; xdotool type --delay 20 "e2e game"
press "$(px 2100)" "$(py 3255)"; xdotool type --delay 20 "e2e"
import -window "$WID" "$out/record-2-saving.png"
press "$(px 3787)" "$(py 3187)"; sleep 0.3
import -window root "$out/record-3-saved.png"
xdotool key Return; sleep 0.3

if [[ -f "$WORK/e2e.棋譜" ]] && [[ $(grep -c $'\r$' "$WORK/e2e.棋譜") -eq 5 ]]; then
  echo "ok   saved e2e.棋譜 with 5 lines"
else
  echo "FAIL no record file of 5 lines in the game folder"; fail=1
fi

# The program again, in the same folder.
xdotool key Escape; sleep 0.5
wait "$GAME_PID" 2>/dev/null || true
e2e_launch
sleep 0.5
# The game was kept as it was played, and it is offered to go on with:
# いいえ, to load the saved record instead; put aside, so that the saved
# record is the first in the list.
if timeout 5 xdotool search --sync --onlyvisible --name '^前回の対局$' >/dev/null; then
  xdotool key Escape; sleep 0.3
else
  echo "FAIL the game kept as it was played is not offered"; fail=1
fi
rm -f "$WORK/前回の対局.棋譜" "$WORK/前回の対局.棋譜.level"

e2e_load_first_record "$out/record-4-files.png"
import -window "$WID" "$out/record-5-loaded.png"
bar 112; bar 112
import -window "$WID" "$out/record-6-stepped.png"
bar 112; sleep 0.3
import -window root "$out/record-7-end.png"
xdotool key Return

board() { convert "$1" -crop "$(( 495 * 9 / 15 ))x$(( 615 * 9 / 15 ))+$(cx 1 | awk '{print $1-16}')+$(( $(cy 1) - 20 ))" +repage -format '%#' info:; }
[[ "$(board "$out/record-6-stepped.png")" == "$(board "$out/record-1-played.png")" ]] &&
  echo "ok   stepping to the end shows the saved game's board" ||
  { echo "FAIL the stepped board differs from the one played"; fail=1; }
[[ "$(board "$out/record-5-loaded.png")" == "$(board "$out/record-0-start.png")" ]] &&
  echo "ok   a loaded record starts from the first position" ||
  { echo "FAIL the loaded record does not start at the first position"; fail=1; }
exit $fail
