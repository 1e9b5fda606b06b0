#!/usr/bin/env bash
# A game against the computer from the keyboard alone: the menu opened with
# Alt, two pawns moved with the cursor keys and Enter, the amber marks of the
# computer's last reply on the board, then Ctrl+Z twice back to the first
# position with no marks left.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"

# The board as 81 tiles of 33 x 41 pixels, row by row from the upper left,
# each starting on its green outline.
board="$(( 9 * 495 / 15 ))x$(( 9 * 615 / 15 ))+$(( (1050 + 495) / 15 ))+$(( menu + (100 + 615) / 15 ))"
tiles() { convert "$1" -crop "$board" +repage -crop "$(( 495 / 15 ))x$(( 615 / 15 ))" +repage "${@:2}" info:; }
# What stands on each square and its mark: the tile without its outer five
# pixels, where the keyboard's cursor and the pick outline are drawn.
squares() { tiles "$1" -shave 5x5 -format '%#\n' | cut -c1-16; }
# The wood beside each square's piece, which a mark tints and no piece covers.
wood() { tiles "$1" -format '%[fx:int(255*p{2,20}.r)] %[fx:int(255*p{2,20}.g)] %[fx:int(255*p{2,20}.b)]\n'; }
sq() { sed -n "$(( 9 * ($3 - 1) + $2 ))p" "$1"; } # file x y

shot() { import -window "$WID" "$1.png"; squares "$1.png" >"$1.sq"; }
# Screenshots until the condition holds on two alike in a row (a move's
# drawing and the computer's thinking over), or the time runs out.
settle() { # name seconds condition...
  local name=$1 end=$(( SECONDS + $2 )) last=""
  shift 2
  while (( SECONDS < end )); do
    shot "$out/$name"
    if "$@" && [[ "$(cat "$out/$name.sq")" == "$last" ]]; then return 0; fi
    last=$(cat "$out/$name.sq")
    sleep 0.2
  done
  return 1
}
keys() { xdotool windowfocus --sync "$WID" key --delay 60 "$@"; }
# Yellow pixels of the turn marker's ● under the left or the right clock.
yellow() { # file left
  convert "$1" -crop "40x30+$2+$(( menu + 413 ))" +repage -fill black +opaque 'rgb(255,255,0)' \
    -fill white -opaque 'rgb(255,255,0)' -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The player's turn again: the computer's reply has been drawn.
your_turn() { (( $(yellow "$out/$1.png" 495) > 50 && $(yellow "$out/$1.png" 5) == 0 )); }
changed() { [[ "$(sq "$out/$1.sq" "$3" "$4")" != "$(sq "$out/$2.sq" "$3" "$4")" ]]; } # now before x y
same_board() { cmp -s "$out/$1.sq" "$out/$2.sq"; }
unlike() { paste -d' ' "$out/$1.sq" "$out/$2.sq" | awk '$1 != $2 { n++ } END { print n + 0 }'; }

shot "$out/keys-0-start"
wood "$out/keys-0-start.png" >"$out/keys-0-start.wood"

# 対局 → 対局(COM) → 先手 from the menu bar that Alt opens; Enter answers the message.
keys alt Down Down Right Return
for _ in $(seq 100); do [[ "$(xdotool getwindowfocus)" != "$WID" ]] && break; sleep 0.1; done
message=$(xdotool getwindowfocus)
differs "the game's first message is up" "$message" "$WID"
xdotool key Return
for _ in $(seq 100); do [[ "$(xdotool getwindowfocus)" != "$message" ]] && break; sleep 0.1; done

# 3七 to 3六: Enter brings the cursor out on the middle square (5, 5).
keys Return Right Right Down Down Return Up Return
first() { changed keys-1-first keys-0-start 7 7 && changed keys-1-first keys-0-start 7 6 &&
  your_turn keys-1-first; }
settle keys-1-first 30 first || { echo "FAIL no move and reply after the first keys"; fail=1; }
check "the pawn left (7, 7)" "$(sq "$out/keys-1-first.sq" 7 7)" "$(sq "$out/keys-0-start.sq" 5 5)"
check "the pawn stands on (7, 6)" "$(sq "$out/keys-1-first.sq" 7 6)" "$(sq "$out/keys-0-start.sq" 7 7)"
moved=0
for y in 1 2 3 4; do for x in 1 2 3 4 5 6 7 8 9; do changed keys-1-first keys-0-start "$x" "$y" && moved=$(( moved + 1 )); done; done
(( moved >= 2 )) && echo "ok   the computer replied ($moved squares changed)" || { echo "FAIL no reply seen"; fail=1; }

# 9七 to 9六: the cursor stayed on (7, 6) where the pawn was put down.
keys Left Left Left Left Left Left Down Return Up Return
second() { changed keys-2-second keys-1-first 1 7 && changed keys-2-second keys-1-first 1 6 &&
  your_turn keys-2-second; }
settle keys-2-second 30 second || { echo "FAIL no move and reply after the second keys"; fail=1; }
check "the pawn left (1, 7)" "$(sq "$out/keys-2-second.sq" 1 7)" "$(sq "$out/keys-0-start.sq" 5 5)"
check "the pawn stands on (1, 6), its marks gone with the reply" \
  "$(sq "$out/keys-2-second.sq" 1 6)" "$(sq "$out/keys-0-start.sq" 1 7)"

# The marks: the wood beside each piece against the same pixel at the start,
# either as it was or amber (the reply's destination strongest, its origin
# fainter) or the brown of a blast; any other change counts as "odd".
marks() { # file: counts "to from blown odd" and the squares marked
  wood "$1" | paste -d' ' "$out/keys-0-start.wood" - | awk '
    function near(r, g, b, a, cr, cg, cb) {
      return abs(R - (r * (1 - a) + cr * a)) <= 4 && abs(G - (g * (1 - a) + cg * a)) <= 4 &&
             abs(B - (b * (1 - a) + cb * a)) <= 4
    }
    function abs(v) { return v < 0 ? -v : v }
    { R = $4; G = $5; B = $6; at = "(" (NR - 1) % 9 + 1 "," int((NR - 1) / 9) + 1 ")"
      if (abs(R - $1) <= 8 && abs(G - $2) <= 8 && abs(B - $3) <= 8) next
      if (near($1, $2, $3, 102 / 255, 255, 153, 0)) { to++; where = where " to" at }
      else if (near($1, $2, $3, 64 / 255, 255, 153, 0)) { from++; where = where " from" at }
      else if (near($1, $2, $3, 56 / 255, 64, 32, 16)) { blown++; where = where " blown" at }
      else { odd++; where = where " odd" at } }
    END { printf "%d %d %d %d%s\n", to, from, blown, odd, where }'
}
read -r to from blown odd where < <(marks "$out/keys-2-second.png")
echo "     marks after the reply:${where:- none}"
check "one square marked as the reply's destination" "$to" 1
check "the reply's origin marked (or blown up)" "$(( from == 1 || (from == 0 && blown > 0) ))" 1
check "no other colour on the board's squares" "$odd" 0

# Ctrl+Z takes back the move and its reply together: first to the position
# after the first reply, its marks back, then to the first position.
keys ctrl+z
settle keys-3-back-one 15 same_board keys-3-back-one keys-1-first ||
  { echo "FAIL Ctrl+Z did not bring back the position after the first reply"; fail=1; }
check "Ctrl+Z: the position and marks after the first reply (squares unlike)" \
  "$(unlike keys-3-back-one keys-1-first)" 0
keys ctrl+z
settle keys-4-back-two 15 same_board keys-4-back-two keys-0-start ||
  { echo "FAIL Ctrl+Z did not bring back the first position"; fail=1; }
check "Ctrl+Z again: the first position (squares unlike)" "$(unlike keys-4-back-two keys-0-start)" 0
read -r to from blown odd where < <(marks "$out/keys-4-back-two.png")
check "no marks left on the board" "$to $from $blown $odd" "0 0 0 0"
exit $fail
