#!/usr/bin/env bash
# A game against the computer from the keyboard alone: the menu opened with
# Alt, two pawns moved with the cursor keys and Enter, the amber marks of the
# computer's last reply on the board, then Ctrl+Z twice back to the first
# position with no marks left.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"

# What stands on each square and its mark: the tile without its outer five
# pixels, where the keyboard's cursor and the pick outline are drawn.
squares() { e2e_tiles "$1" -shave 5x5 -format '%#\n' | cut -c1-16; }
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
your_turn() { e2e_your_turn "$out/$1.png"; }
changed() { [[ "$(sq "$out/$1.sq" "$3" "$4")" != "$(sq "$out/$2.sq" "$3" "$4")" ]]; } # now before x y
same_board() { cmp -s "$out/$1.sq" "$out/$2.sq"; }
unlike() { paste -d' ' "$out/$1.sq" "$out/$2.sq" | awk '$1 != $2 { n++ } END { print n + 0 }'; }

shot "$out/keys-0-start"
e2e_wood "$out/keys-0-start.png" >"$out/keys-0-start.wood"

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
  e2e_wood "$1" | paste -d' ' "$out/keys-0-start.wood" - | awk '
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
