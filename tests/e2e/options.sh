#!/usr/bin/env bash
# Options chosen from the menu are written to Korvanu.ini (CP932, CR LF) and
# are what the next start of the game shows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"
click() { xdotool mousemove --window "$WID" "$1" "$2" click 1; sleep 0.4; }
line1() { head -n 1 "$WORK/Korvanu.ini" | xxd -p; }

# The first start writes the defaults.
check "default settings file" "$(xxd -p "$WORK/Korvanu.ini" | tr -d '\n')" "$E2E_DEFAULT_SETTINGS"

import -window "$WID" "$out/before.png"
green=$(e2e_pixel "$out/before.png" 20 "$(cy 5)")
stand_before=$(e2e_pixel "$out/before.png" "$(cx 11)" "$(cy 5)")

# ｵﾌﾟｼｮﾝ → 背景画 → 煉瓦, then ｵﾌﾟｼｮﾝ → 持駒可.
click 240 8; click 270 30; click 380 118
click 240 8; click 270 52
sleep 0.3
import -window "$WID" "$out/chosen.png"
brick=$(e2e_pixel "$out/chosen.png" 20 "$(cy 5)")
differs "brick background shown" "$brick" "$green"
differs "hand stand shown" "$(e2e_pixel "$out/chosen.png" "$(cx 11)" "$(cy 5)")" "$stand_before"
check "settings line 1 is 背景画=煉瓦" "$(line1)" "94778c6989e63d97f98aa20d0a"
check "settings line 2 is 持駒可=ON" "$(sed -n 2p "$WORK/Korvanu.ini" | xxd -p)" "8e9d8bee89c23d4f4e0d0a"

# The next start reads them back.
xdotool windowfocus --sync "$WID" key Escape
e2e_await_exit || { echo "FAIL Esc did not end the game"; fail=1; }
e2e_launch
sleep 1
import -window "$WID" "$out/restarted.png"
check "brick background after restart" "$(e2e_pixel "$out/restarted.png" 20 "$(cy 5)")" "$brick"
check "hand stand after restart" "$(e2e_pixel "$out/restarted.png" "$(cx 11)" "$(cy 5)")" \
  "$(e2e_pixel "$out/chosen.png" "$(cx 11)" "$(cy 5)")"
exit $fail
