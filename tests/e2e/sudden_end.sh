#!/usr/bin/env bash
# No way of dying loses a game against the computer: with its X server gone
# (a session that dies under it) or killed outright (kill -9), the program
# has already kept the moves played in 前回の対局.棋譜, and the next start
# offers to go on with them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
e2e_begin "$@"

# The kept record in the game's folder of the moment.
kept() { echo "$WORK/前回の対局.棋譜"; }
# Its title and the number of its moves (lines after the three of the
# header, each ended by CR LF), or "missing".
record() {
  [[ -f "$(kept)" ]] || { echo missing; return; }
  echo "$(head -n 1 "$(kept)" | iconv -f CP932 -t UTF-8 | tr -d '\r') $(( $(grep -c $'\r$' "$(kept)") - 3 ))"
}
# The board field of square (x, y) in its entry N: three characters a
# square, columns outer, rows inner.
field() { # N x y
  sed -n "$(( 3 + $1 ))p" "$(kept)" | cut -c "$(( (($2 - 1) * 9 + $3 - 1) * 3 + 1 ))-$(( (($2 - 1) * 9 + $3) * 3 ))"
}
# The pawn pushed from (x, 7) to (x, 6) in entry N: what stands on (x, 6) is
# a pawn like the one still on (8, 7), and (x, 7) is as empty as (5, 5).
pushed() { # N x
  [[ -f "$(kept)" && "$(field "$1" "$2" 6)" == "$(field "$1" 8 7)" &&
    "$(field "$1" "$2" 7)" == "$(field "$1" 5 5)" ]] && echo yes || echo no
}
# 対局 → 対局(COM) → 先手, then the message.
start_against_computer() {
  bar 20; xdotool key Down Down Right Return; sleep 0.4; xdotool key Return; sleep 0.3
}
# A pawn from (x, 7) to (x, 6), then the computer's reply: its move written
# below the board differs from what the last screenshot shows, and the
# player is to move again.
push() { # x name
  local note="90x25+10+$(( menu + (100 + 615 * 8) / 15 + 20 ))" before
  import -window "$WID" "$out/$2-before.png"
  before=$(convert "$out/$2-before.png" -crop "$note" +repage -format %# info:)
  press "$(cx "$1")" "$(cy 7)"; press "$(cx "$1")" "$(cy 6)"
  for _ in $(seq 60); do
    import -window "$WID" "$out/$2.png"
    if [[ $(convert "$out/$2.png" -crop "$note" +repage -format %# info:) != "$before" ]] &&
      e2e_your_turn "$out/$2.png"; then
      return 0
    fi
    sleep 0.3
  done
  echo "FAIL no reply to the pawn from ($1, 7)"; fail=1
}

# The X server goes after two moves and their replies: the game ends with it
# and keeps them.
start_against_computer
push 7 sudden-1-first
push 2 sudden-2-second
kill "$XVFB_PID"
ended=yes
e2e_await_exit || { ended=no; kill -9 "$GAME_PID"; }
check "without its X server the game ends" "$ended" yes
check "without its X server the game of 4 moves is kept" "$(record)" "自動保存の対局 4"
check "the first move kept is the pawn to (7, 6)" "$(pushed 1 7)" yes
check "the third move kept is the pawn to (2, 6)" "$(pushed 3 2)" yes
# On a new X server the game offers to go on with it.
e2e_start_x
e2e_launch
check "the next start offers the kept game" \
  "$(timeout 10 xdotool search --sync --onlyvisible --name '^前回の対局$' >/dev/null && echo yes || echo no)" yes
kill -9 "$GAME_PID"; e2e_await_exit

# Killed outright after a move and its reply, in a fresh folder.
rm -rf "$WORK"
e2e_copy_game "$game_dir"
e2e_launch
sleep 0.5
start_against_computer
push 7 sudden-3-killed
kill -9 "$GAME_PID"
e2e_await_exit
check "killed, the game of 2 moves is kept" "$(record)" "自動保存の対局 2"
check "the first move kept is the pawn to (7, 6)" "$(pushed 1 7)" yes
exit $fail
