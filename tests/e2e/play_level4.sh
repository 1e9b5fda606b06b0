#!/usr/bin/env bash
# A game against LEVEL4 through the menus: the level chosen and shown, two
# moves and its two replies, a hint (two squares tinted violet and its move
# written right of the board) gone with the next click, then Esc while the
# computer thinks: the program ends at once and keeps the game without the
# reply it was thinking over.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"

shot() { import -window "$WID" "$out/$1.png"; }
# Pixels other than the background green in a box: file x0 y0 w h.
ink() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill white -opaque 'rgb(0,128,0)' \
    -fill black +opaque white -colorspace gray -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}
# Waits up to 30 s, at least 1.5 s (the computer's second of thought), for its reply.
reply() { # name
  sleep 1.5
  for _ in $(seq 1 100); do
    shot "$1"
    e2e_your_turn "$out/$1.png" && return 0
    sleep 0.3
  done
  return 1
}
# Squares whose wood differs between two PNGs, as "(x,y)" words.
unlike_wood() {
  paste -d' ' <(e2e_wood "$1") <(e2e_wood "$2") |
    awk '{ d = ($1 - $4) ^ 2 + ($2 - $5) ^ 2 + ($3 - $6) ^ 2 }
         d > 64 { printf "(%d,%d) ", (NR - 1) % 9 + 1, int((NR - 1) / 9) + 1 }'
}
move() { press "$(cx "$1")" "$(cy "$2")"; press "$(cx "$3")" "$(cy "$4")"; }

# 対局 → COM対局ﾚﾍﾞﾙ → LEVEL4, then 対局 → 対局(COM) → 先手 and its message.
bar 20; xdotool key Down Down Down Right Down Down Down Return; sleep 0.3
bar 20; xdotool key Down Down Right Return; sleep 0.5
xdotool key Return; sleep 0.3
xdotool windowfocus --sync "$WID"
shot level4-0-start
levelBox="$(px 0) $(py 100) $(px 495) $(( 615 / 15 ))" # the level's number, left of the board
[[ $(ink "$out/level4-0-start.png" $levelBox) -gt 20 ]] && echo "ok   the level is shown" ||
  { echo "FAIL no level shown"; fail=1; }

move 7 7 7 6
reply level4-1 || { echo "FAIL no reply to the first move"; fail=1; }
move 5 9 5 8 # the king steps up
reply level4-2 || { echo "FAIL no reply to the second move"; fail=1; }
computerBox="10 $(( menu + (100 + 615 * 8) / 15 + 20 )) 90 25"
[[ $(ink "$out/level4-2.png" $computerBox) -gt 30 ]] && echo "ok   the computer's move is written" ||
  { echo "FAIL no notation of the computer's move"; fail=1; }

# 局面 → ヒント by its key; its move is written in magenta right of the board.
xdotool key h
hintBox="$(px $(( 1050 + 495 * 13 ))) $(py $(( 100 + 615 * 5 ))) 100 80"
magenta() { # file x0 y0 w h
  convert "$1" -crop "$4x$5+$2+$3" +repage -fx 'r > 0.8 && g < 0.3 && b > 0.8' \
    -format '%[fx:int(w*h*mean+0.5)]' info:
}
for _ in $(seq 1 60); do
  sleep 0.3
  shot level4-3-hint
  written=$(magenta "$out/level4-3-hint.png" $hintBox)
  ((written > 20)) && break
done
((written > 20)) && echo "ok   the hint's move is written ($written magenta pixels)" ||
  { echo "FAIL no hint written"; fail=1; }
hinted=$(unlike_wood "$out/level4-2.png" "$out/level4-3-hint.png")
check "two squares tinted by the hint: $hinted" "$(wc -w <<<"$hinted")" 2
press "$(cx 5)" "$(cy 5)" # an empty square: the hint goes
shot level4-4-cleared
check "the hint's tints gone with the click" "$(unlike_wood "$out/level4-2.png" "$out/level4-4-cleared.png")" ""
check "its text gone" "$(ink "$out/level4-4-cleared.png" $hintBox)" 0

# The king steps back; Esc while the computer thinks over its reply.
move 5 8 5 9
xdotool key Escape
e2e_await_exit && echo "ok   Esc ended the program while the computer thought" ||
  { echo "FAIL still running after Esc"; fail=1; }
kept=$(($(wc -l <"$WORK/前回の対局.棋譜") - 3))
check "the game kept: five moves, the last reply not played" "$kept" 5
exit $fail
