#!/usr/bin/env bash
# Start-up as a player feels it: from launch to the window mapped on screen,
# for the game and for a bare Qt window of the same size started the same
# way, alternating on one X server; then the game's resident memory once its
# music is loaded and playing. The bare window is also measured carrying the
# game's menu bar (--menu-bar), what any window with those menus costs.
# usage: tests/e2e/measure_startup.sh [GAME_DIR] [BARE_WINDOW] [RUNS]
#   DISPLAY_NUMBER=N  use Xvfb on :N instead of the first free one
#   SETTLE=S          seconds to wait before reading memory (default 3)
#   OTHER_GAME_DIR=D  another build of the game (an older commit, say),
#                     measured in the same rounds
# Each run starts from a fresh copy of the game folder: no settings file, so
# the defaults are written and the music plays. Medians are reported.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
build=$here/../../build
game_dir=${1:-$build/game}
bare=${2:-$build/tools/bare_window/korvanu-bare-window}
runs=${3:-15}
settle=${SETTLE:-3}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

cleanup() {
  [[ -n "${APP_PID:-}" ]] && kill -KILL "$APP_PID" 2>/dev/null
  [[ -n "${XEV_PID:-}" ]] && kill "$XEV_PID" 2>/dev/null
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null
  [[ -n "${WORK:-}" ]] && rm -rf "$WORK"
  return 0
}
trap cleanup EXIT

e2e_start_x "${DISPLAY_NUMBER:-}"
WORK=$(mktemp -d)
export XDG_RUNTIME_DIR=$WORK

# Every top-level window mapped on the server shows up here as a MapNotify
# (there is no window manager), timed the moment it is read.
coproc XEV { exec xev -root -event substructure; }
XEV_PID=$XEV_PID
sleep 0.3

micros() { local t=${1/./}; echo $((10#$t)); }

# Starts program $2 (arguments after it) in folder $1; MS = milliseconds to
# its map.
launch_to_map() {
  local line t0 t1= dir=$1 program=$2
  shift 2
  t0=$EPOCHREALTIME
  (cd "$dir" && exec "$program" "$@" >/dev/null 2>&1) &
  APP_PID=$!
  while read -r -t 20 line <&"${XEV[0]}"; do
    if [[ $line == MapNotify* ]]; then t1=$EPOCHREALTIME; break; fi
  done
  [[ -n "$t1" ]] || { echo "no window was mapped" >&2; exit 1; }
  MS=$(( ($(micros "$t1") - $(micros "$t0")) / 1000 ))
}

stop_app() {
  kill -KILL "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=
  # Drain the unmap and destroy notices of the window just closed.
  while read -r -t 0.2 _ <&"${XEV[0]}"; do :; done
}

# One run of the game in a fresh copy of its folder (default settings, so
# the music plays), or of the bare window; MS and RSS (kB) for it.
run_game() { # folder
  rm -rf "$WORK/game" && cp -r "$1" "$WORK/game"
  launch_to_map "$WORK/game" ./korvanu
  sleep "$settle"
  RSS=$(awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status")
  stop_app
}

run_bare() { # [--menu-bar]
  launch_to_map "$WORK" "$bare" "$@"
  sleep "$settle"
  RSS=$(awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status")
  stop_app
}

median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2)}'; }

ratio() { awk -v g="$1" -v b="$2" 'BEGIN {printf "%.2f", g / b}'; }

# One unreported run of each warms the file cache.
run_game "$game_dir"
[[ -n "${OTHER_GAME_DIR:-}" ]] && run_game "$OTHER_GAME_DIR"
run_bare
run_bare --menu-bar
game_ms=() bare_ms=() game_rss=() bare_rss=() other_ms=() other_rss=() menu_ms=() menu_rss=()
for i in $(seq "$runs"); do
  line="run $i:"
  if [[ -n "${OTHER_GAME_DIR:-}" ]]; then
    run_game "$OTHER_GAME_DIR"; other_ms+=("$MS") other_rss+=("$RSS")
    line+=" other ${MS} ms ${RSS} kB  "
  fi
  run_game "$game_dir"; game_ms+=("$MS") game_rss+=("$RSS")
  line+=" game ${MS} ms ${RSS} kB  "
  run_bare; bare_ms+=("$MS") bare_rss+=("$RSS")
  line+=" bare ${MS} ms ${RSS} kB  "
  run_bare --menu-bar; menu_ms+=("$MS") menu_rss+=("$RSS")
  echo "$line with menu bar ${MS} ms ${RSS} kB"
done
bmed=$(printf '%s\n' "${bare_ms[@]}" | median)
brss=$(printf '%s\n' "${bare_rss[@]}" | median)
report() { # name, ms..., then rss... (as two arrays by name)
  local -n ms=$2 rss=$3
  local m r
  m=$(printf '%s\n' "${ms[@]}" | median)
  r=$(printf '%s\n' "${rss[@]}" | median)
  echo "median $1: launch to map ${m} ms, $(ratio "$m" "$bmed") x the bare window" \
    "($(ratio "$m" "$mmed") x with its menu bar); resident ${r} kB with the music loaded"
}
mmed=$(printf '%s\n' "${menu_ms[@]}" | median)
mrss=$(printf '%s\n' "${menu_rss[@]}" | median)
[[ -n "${OTHER_GAME_DIR:-}" ]] && report "other game" other_ms other_rss
report game game_ms game_rss
echo "median bare window: launch to map ${bmed} ms; resident ${brss} kB"
echo "median bare window with the game's menu bar: launch to map ${mmed} ms; resident ${mrss} kB"
