# Shared steps of the end-to-end runs: a private X server, the game started
# in a copy of its folder, screenshots and pixel reads.

# Starts Xvfb on display N, or on a free one that the server picks itself
# (-displayfd: no race with other X servers starting on this machine), and
# waits until it answers: XVFB_PID and DISPLAY. A display already in use is
# never shared. The runs take N from E2E_DISPLAY when it is set.
e2e_start_x() { # [N]
  local pipe n=""
  pipe=$(mktemp -d)/display
  mkfifo "$pipe"
  Xvfb ${1:+":$1"} -displayfd 3 -screen 0 1280x1024x24 -noreset 3>"$pipe" >/dev/null 2>&1 &
  XVFB_PID=$!
  # The server writes its number once it takes connections; failing, it
  # closes the pipe unwritten.
  read -r -t 20 n <"$pipe" || true
  rm -r "${pipe%/display}"
  if [[ $n =~ ^[0-9]+$ ]]; then
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  fi
  kill "$XVFB_PID" 2>/dev/null || true
  echo "no X server could be started${1:+ on :$1}" >&2
  return 1
}

# Copies the game folder to a fresh place, $WORK.
e2e_copy_game() {
  local game_dir=$1
  WORK=$(mktemp -d)
  cp -r "$game_dir"/. "$WORK"/
  export SDL_AUDIODRIVER=dummy
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$WORK}
  # The game's language: the C locale's Japanese unless a run names its
  # locale in E2E_LANG; no language a player chose on this machine.
  unset LANGUAGE LC_ALL LC_MESSAGES
  export LANG=${E2E_LANG:-C.UTF-8} XDG_CONFIG_HOME=$WORK/.config
}

# Starts the game in $WORK (again, after an end, to see what it kept) and
# waits for its window: GAME_PID and WID.
e2e_launch() {
  (cd "$WORK" && exec ./korvanu) &
  GAME_PID=$!
  WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Korvanu$' | head -n 1)
  [[ -n "$WID" ]]
}

# Waits up to 5 s for the game to end; fails if it is still running.
e2e_await_exit() {
  for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || return 0; sleep 0.1; done
  ! kill -0 "$GAME_PID" 2>/dev/null
}

e2e_cleanup() {
  if [[ -n "${GAME_PID:-}" ]] && kill "$GAME_PID" 2>/dev/null; then
    # The game ends on the signal through its end processing, which may still
    # write its files: let it finish before its folder goes.
    e2e_await_exit || kill -9 "$GAME_PID" 2>/dev/null || true
  fi
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
  [[ -n "${WORK:-}" ]] && rm -rf "$WORK"
  return 0
}

# Colour of one pixel of a PNG, as "r,g,b".
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# The common start of a run: the game folder and the output folder from the
# arguments, the X server, the game started, and the height of the menu bar
# above the drawing surface.
e2e_begin() {
  trap e2e_cleanup EXIT
  game_dir=$1
  out=${2:-$(mktemp -d)}
  mkdir -p "$out"
  e2e_start_x ${E2E_DISPLAY:-}
  e2e_copy_game "$game_dir"
  e2e_launch
  sleep 0.5
  menu=$(( $(xwininfo -id "$WID" | awk '/Height:/ {print $2}') - 514 ))
}

# Window pixels of the centre of cell (x, y): 15 twips to a pixel, below the menu bar.
cx() { echo $(( (1050 + 495 * $1 + 247) / 15 )); }
cy() { echo $(( menu + (100 + 615 * $1 + 307) / 15 )); }
# Window pixels of a point given in twips, across and down from the surface.
px() { echo $(( $1 / 15 )); }
py() { echo $(( menu + $1 / 15 )); }
# The board in a PNG as 81 tiles of 33 x 41 pixels, row by row from the upper
# left, each starting on its green outline, given to convert's further
# arguments (a -format, say).
e2e_tiles() { # file args...
  local board="$(( 9 * 495 / 15 ))x$(( 9 * 615 / 15 ))+$(( (1050 + 495) / 15 ))+$(( menu + (100 + 615) / 15 ))"
  convert "$1" -crop "$board" +repage -crop "$(( 495 / 15 ))x$(( 615 / 15 ))" +repage "${@:2}" info:
}
# The wood beside each square's piece, which a mark tints and no piece covers:
# "r g b" a line, square by square as e2e_tiles.
e2e_wood() { e2e_tiles "$1" -format '%[fx:int(255*p{2,20}.r)] %[fx:int(255*p{2,20}.g)] %[fx:int(255*p{2,20}.b)]\n'; }
# Yellow pixels of the turn marker's ● under the left (5) or the right (495) clock.
e2e_yellow() { # file left
  convert "$1" -crop "40x30+$2+$(( menu + 413 ))" +repage -fill black +opaque 'rgb(255,255,0)' \
    -fill white -opaque 'rgb(255,255,0)' -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The player's turn against the computer: its reply has been drawn.
e2e_your_turn() { (( $(e2e_yellow "$1" 495) > 50 && $(e2e_yellow "$1" 5) == 0 )); }

# A click at window pixels (x, y), given time to be drawn.
press() { xdotool mousemove --window "$WID" "$1" "$2" click 1; sleep 0.3; }
bar() { press "$1" 8; } # a menu on the bar, by its x

# 棋譜 → 読込, the first file in the panel, and its two messages answered.
e2e_load_first_record() { # [PNG of the file panel]
  bar 200; xdotool key Down Return; sleep 0.4
  [[ -z "${1:-}" ]] || import -window "$WID" "$1"
  press "$(px 1500)" "$(py 2400)"; sleep 0.3
  xdotool key Return; sleep 0.3; xdotool key Return; sleep 0.3
}

# Korvanu.ini as the first start writes it, in hex: 背景画=緑 … BGM=ON in
# CP932, each line ended by CR LF.
E2E_DEFAULT_SETTINGS=94778c6989e63d97ce0d0a8e9d8bee89c23d4f46460d0a88da93ae8e7793b13d4f46460d0a8c6f89df8e9e8ad43d4f4e0d0a42474d3d4f4e0d0a

# Checks that say ok or FAIL; any FAIL makes the run fail at its end.
fail=0
check() { # what, got, expected
  if [[ "$2" != "$3" ]]; then echo "FAIL $1: got $2, expected $3"; fail=1; else echo "ok   $1"; fi
}
differs() { # what, a, b
  if [[ "$2" == "$3" ]]; then echo "FAIL $1: both $2"; fail=1; else echo "ok   $1"; fi
}
