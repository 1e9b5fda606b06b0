#!/usr/bin/env bash
# The real program as a person starts it: the window opens in its game folder
# showing the starting position, with the class its desktop entry names, and
# Esc ends it. GAME_DIR OUT_DIR DESKTOP_ENTRY
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"
import -window "$WID" "$out/start.png"

check "window size" "$(identify -format '%wx%h' "$out/start.png")" "627x533"
check "green background left of the board" "$(e2e_pixel "$out/start.png" 20 "$(cy 5)")" "0,128,0"
empty=$(e2e_pixel "$out/start.png" "$(cx 5)" "$(cy 5)")
differs "empty square is wood" "$empty" "0,128,0"
for x in 1 5 9; do
  differs "lower pawn on column $x" "$(e2e_pixel "$out/start.png" "$(cx "$x")" "$(cy 7)")" "$empty"
  differs "upper pawn on column $x" "$(e2e_pixel "$out/start.png" "$(cx "$x")" "$(cy 3)")" "$empty"
done
check "row 4 empty" "$(e2e_pixel "$out/start.png" "$(cx 3)" "$(cy 4)")" "$empty"
check "window class is the desktop entry's StartupWMClass" \
  "$(xprop -id "$WID" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')" \
  "$(sed -n 's/^StartupWMClass=//p' "$3")"
differs "title picture" "$(e2e_pixel "$out/start.png" $(( 6396 / 15 + 20 )) $(( menu + 100 / 15 + 20 )))" "0,128,0"

xdotool windowfocus --sync "$WID" key Escape
if ! e2e_await_exit; then echo "FAIL Esc did not end the game"; fail=1; else
  wait "$GAME_PID"; echo "ok   Esc ends the game (exit $?)"; GAME_PID=; fi
exit $fail
