#!/usr/bin/env bash
# The game on an English desktop: English menus, two people's game with an
# explosion and a resignation, the record saved through the file panel; then
# ｵﾌﾟｼｮﾝ → 言語 → 日本語 in the menus, kept for the next start, which loads
# the English save and writes it again byte for byte.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
E2E_LANG=en_US.UTF-8 e2e_begin "$@"

barStrip() { convert "$1" -crop "420x17+0+0" +repage -format '%#' info:; }
ink() { # pixels other than the green background in a box: file x0 y0 w h
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill white -opaque 'rgb(0,128,0)' \
    -fill black +opaque white -colorspace gray -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}
# The bar's menus in English: Game Position Back Next △ ▽ Record Options About.
game=26 record=275 options=333

import -window "$WID" "$out/english-0-start.png"
english=$(barStrip "$out/english-0-start.png")

# Game → Two players → Start, then "Sente to move".
bar $game; xdotool key Down Right; sleep 0.3
import -window root "$out/english-1-menu.png"
xdotool key Return; sleep 0.4; xdotool key Return; sleep 0.3
press "$(cx 3)" "$(cy 7)"; press "$(cx 3)" "$(cy 6)"
press "$(cx 7)" "$(cy 3)"; press "$(cx 7)" "$(cy 4)"
# The bishop takes the bishop and promotes (right button): the corner blows up.
press "$(cx 2)" "$(cy 8)"
xdotool mousemove --window "$WID" "$(cx 8)" "$(cy 2)" click 3; sleep 2
import -window "$WID" "$out/english-2-explosion.png"
# "Bx2b+" over "(N blown up)" on cells 12 to 14 of row 2, nothing past them.
row2=$(( menu + (100 + 615 * 2) / 15 ))
written=$(ink "$out/english-2-explosion.png" "$(px $(( 1050 + 495 * 12 )))" "$row2" 99 41)
beyond=$(ink "$out/english-2-explosion.png" "$(px $(( 1050 + 495 * 15 )))" "$row2" 40 41)
[[ $written -gt 60 ]] && echo "ok   the move is written ($written)" || { echo "FAIL no move written"; fail=1; }
check "the move's text stays within its cells" "$beyond" 0

# Gote moves, then Sente resigns: Game → Resign, Yes, the winner, play again.
press "$(cx 5)" "$(cy 3)"; press "$(cx 5)" "$(cy 4)"
bar $game; xdotool key Down Down Down Down Down Return; sleep 0.4
xdotool key Return; sleep 0.4
import -window root "$out/english-3-winner.png"
check "the winner is announced" "$(xdotool search --onlyvisible --name '^Game over$' | wc -l)" 1
xdotool key Return; sleep 0.4; xdotool key Return; sleep 0.4

# Record → Save: a title and a file name, then RETURN.
bar $record; xdotool key Down Down Return; sleep 0.4
press "$(px 2100)" "$(py 2535)"; xdotool type --delay 20 "e2e game"
press "$(px 2100)" "$(py 3255)"; xdotool type --delay 20 "en"
import -window "$WID" "$out/english-4-saving.png"
press "$(px 3787)" "$(py 3187)"; sleep 0.3
import -window root "$out/english-5-saved.png"
xdotool key Return; sleep 0.3
[[ -f "$WORK/en.棋譜" ]] && echo "ok   saved en.棋譜" || { echo "FAIL no en.棋譜"; fail=1; }

# Options → Language → 日本語: the menus change at once, and the choice is kept.
bar $options; xdotool key Down Down Down Down Down Down Down Right Return; sleep 0.4
import -window "$WID" "$out/english-6-japanese.png"
japanese=$(barStrip "$out/english-6-japanese.png")
differs "the menus change language at once" "$japanese" "$english"
check "the choice is kept" "$(cat "$WORK/.config/korvanu/language")" ja
[[ ! -e "$WORK/Korvanu.ini" ]] || check "Korvanu.ini keeps its five lines" "$(xxd -p "$WORK/Korvanu.ini" | tr -d '\n')" \
  "$E2E_DEFAULT_SETTINGS"

# The next start is Japanese on the English desktop; it loads the English
# save and writes it again under another name: the same bytes.
xdotool key Escape; sleep 0.5
wait "$GAME_PID" 2>/dev/null || true
e2e_launch; sleep 0.5
import -window "$WID" "$out/english-7-restarted.png"
check "the next start shows the Japanese menus" "$(barStrip "$out/english-7-restarted.png")" "$japanese"
e2e_load_first_record
bar 200; xdotool key Down Down Return; sleep 0.4
press "$(px 2100)" "$(py 2535)"; xdotool type --delay 20 "e2e game"
press "$(px 2100)" "$(py 3255)"; xdotool type --delay 20 "ja"
press "$(px 3787)" "$(py 3187)"; sleep 0.3
xdotool key Return; sleep 0.3
if cmp -s "$WORK/en.棋譜" "$WORK/ja.棋譜"; then echo "ok   the same record whichever language saved it"; else
  echo "FAIL the records differ"; fail=1; fi
exit $fail
