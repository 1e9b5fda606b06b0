#!/usr/bin/env bash
# The Debian package as a player meets it: its dependencies name a package
# for every library the game links, it installs (for real with apt under CI
# as root, else unpacked into a scratch root), and the installed game, started
# from another folder under Xvfb, opens its window with its icon, finds its
# sound library and sounds, and writes its settings to the player's
# configuration folder. DEB [OUTDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
deb=$(realpath "$1")
out=${2:-$(mktemp -d)}
mkdir -p "$out"
out=$(realpath "$out")
scratch=$(mktemp -d)
installed=
cleanup() {
  e2e_cleanup
  [[ -n "$installed" ]] && DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq korvanu >/dev/null
  rm -rf "$scratch"
  return 0
}
trap cleanup EXIT

check "package" "$(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Section)" "korvanu games"
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
dpkg-deb -x "$deb" "$scratch/unpacked"
multiarch=$(gcc -dumpmachine)
for elf in "$scratch/unpacked/usr/bin/korvanu" "$scratch"/unpacked/usr/lib/korvanu/libKorvanu.so; do
  for lib in $(objdump -p "$elf" | awk '/NEEDED/ {print $2}'); do
    owner=$( (dpkg -S "/usr/lib/$multiarch/$lib" "/lib/$multiarch/$lib" 2>/dev/null || true) | head -n 1 | cut -d: -f1)
    if grep -qx "$owner" <<<"$depends"; then echo "ok   $(basename "$elf") needs $lib from $owner"
    else echo "FAIL $(basename "$elf") needs $lib from '$owner', not in Depends"; fail=1; fi
  done
done
grep -qx fonts-ipafont-mincho <<<"$depends" && echo "ok   the font is a dependency" ||
  { echo "FAIL fonts-ipafont-mincho not in Depends"; fail=1; }

if [[ "${CI:-}" == true && $(id -u) -eq 0 ]] && ! dpkg-query -W korvanu >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
  installed=yes
  root=/
  check "installed by apt, on the PATH" "$(command -v korvanu)" /usr/bin/korvanu
  check "in the menu" "$(ls /usr/share/applications | grep -ci korvanu)" 1
else
  root=$scratch/unpacked
  echo "ok   unpacked into $root (apt install runs under CI=true as root)"
fi
korvanu=$root/usr/bin/korvanu
check "--version" "$("$korvanu" --version)" "korvanu $(dpkg-deb -f "$deb" Version)"

# The game from another folder, with a player's own home and configuration.
player=$scratch/player
mkdir -p "$player/home" "$player/somewhere"
export HOME=$player/home XDG_CONFIG_HOME=$player/config
export XDG_RUNTIME_DIR=$player/runtime && mkdir -m 700 "$XDG_RUNTIME_DIR"
# The music starts with the game; the disk driver keeps what was played.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$player/audio.raw
e2e_start_x
(cd "$player/somewhere" && exec "$korvanu" 2>"$out/game.log") &
GAME_PID=$!
# A missing sound library or device shows its warning before the window.
WID= warned=0
for _ in $(seq 200); do
  if warning=$(xdotool search --onlyvisible --name '^Korvanu.dll$' 2>/dev/null | head -n 1) &&
     [[ -n "$warning" ]]; then
    warned=1
    xdotool windowfocus --sync "$warning" key Return || true
  fi
  WID=$(xdotool search --onlyvisible --name '^Korvanu$' 2>/dev/null | head -n 1 || true)
  [[ -n "$WID" ]] && break
  sleep 0.1
done
check "the window opens" "$([[ -n "$WID" ]] && echo yes)" yes
[[ -n "$WID" ]] || exit 1
check "no sound warning" "$warned" 0
sleep 1.5
import -window "$WID" "$out/installed.png"
check "window size" "$(identify -format '%wx%h' "$out/installed.png")" 627x533
check "the music plays" "$(tr -d '\0' <"$player/audio.raw" | head -c 64 | wc -c)" 64
check "the window carries the icon" "$(xprop -id "$WID" _NET_WM_ICON | grep -o 'Icon (64 x 64)')" "Icon (64 x 64)"
check "default settings in \$XDG_CONFIG_HOME/korvanu" \
  "$(xxd -p "$XDG_CONFIG_HOME/korvanu/Korvanu.ini" 2>/dev/null | tr -d '\n')" "$E2E_DEFAULT_SETTINGS"
check "nothing written where it was started" "$(find "$player/somewhere" "$HOME" -mindepth 1 | wc -l)" 0

# 棋譜 → 読込: the file panel opens in the player's records folder, made now.
bar 200; xdotool key Down Return; sleep 0.5
import -window "$WID" "$out/installed-panel.png"
check "the records folder is made when the panel opens" "$(find "$HOME" -mindepth 1)" \
  "$HOME/Documents"$'\n'"$HOME/Documents/Korvanu"

xdotool windowfocus --sync "$WID" key Escape
if ! e2e_await_exit; then echo "FAIL Esc did not end the game"; fail=1; else
  echo "ok   Esc ends the game"; GAME_PID=; fi
exit $fail
