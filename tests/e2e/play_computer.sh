#!/usr/bin/env bash
# A game against the computer as a person starts it: 対局 → 対局(COM) → 先手,
# the message answered, a pawn moved with two clicks, the computer's reply.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"

import -window "$WID" "$out/play-0-start.png"
at() { e2e_pixel "$1" "$(cx "$2")" "$(cy "$3")"; }
# The colour of a cell's wood where no piece covers it (its top-left corner).
wood=$(e2e_pixel "$out/play-0-start.png" $(( $(cx 5) - 14 )) $(( $(cy 5) - 17 )))

xdotool mousemove --window "$WID" 20 8 click 1
sleep 0.3
xdotool key Down Down Right Return
sleep 0.5
import -window root "$out/play-1-message.png"
xdotool key Return
sleep 0.3
xdotool mousemove --window "$WID" "$(cx 7)" "$(cy 7)" click 1
sleep 0.2
xdotool mousemove --window "$WID" "$(cx 7)" "$(cy 6)" click 1
# The reply is in once the computer's move is written beside the board (a
# loaded machine takes its time).
computerBox="10 $(( menu + (100 + 615 * 8) / 15 + 20 )) 90 25"
ink() { # counts the pixels other than the background green in a box: file x0 y0 w h
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill white -opaque 'rgb(0,128,0)' \
    -fill black +opaque white -colorspace gray -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}
for _ in $(seq 1 60); do
  sleep 0.3
  import -window "$WID" "$out/play-2-reply.png"
  [[ $(ink "$out/play-2-reply.png" $computerBox) -gt 30 ]] && break
done

check "(7, 7) is empty after the pawn left" "$(at "$out/play-2-reply.png" 7 7)" "$(at "$out/play-0-start.png" 5 5)"
differs "the pawn stands on (7, 6)" "$(at "$out/play-2-reply.png" 7 6)" "$(at "$out/play-0-start.png" 7 6)"
# The computer moved one of its pieces in rows 1 to 4.
changed=0
for x in 1 2 3 4 5 6 7 8 9; do
  for y in 1 2 3 4; do
    [[ "$(at "$out/play-2-reply.png" "$x" "$y")" != "$(at "$out/play-0-start.png" "$x" "$y")" ]] && changed=$((changed + 1))
  done
done
if [[ $changed -ge 2 ]]; then echo "ok   the computer replied ($changed squares changed)"; else echo "FAIL no reply seen"; fail=1; fi
# Both moves are written out: the human's at the upper right, the computer's at the lower left.
humanBox="$(( (1050 + 495 * 12) / 15 )) $(( menu + (100 + 615 * 2) / 15 + 20 )) 90 25"
check "nothing written there at the start" "$(ink "$out/play-0-start.png" $humanBox)$(ink "$out/play-0-start.png" $computerBox)" "00"
human=$(ink "$out/play-2-reply.png" $humanBox)
computer=$(ink "$out/play-2-reply.png" $computerBox)
[[ $human -gt 30 ]] && echo "ok   the human's move is written ($human)" || { echo "FAIL no notation of the human's move"; fail=1; }
[[ $computer -gt 30 ]] && echo "ok   the computer's move is written ($computer)" || { echo "FAIL no notation of the computer's move"; fail=1; }
exit $fail
