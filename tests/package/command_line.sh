#!/usr/bin/env bash
# The program answers --help and --version on the terminal without a window,
# and refuses an argument it does not know. KORVANU VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
korvanu=$1 version=$2
game_dir=$(dirname "$korvanu")
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
# Answers in English, from the catalogue beside the program, whatever this
# machine's locale or a player's kept choice.
export LC_ALL=en_US.UTF-8 LANGUAGE= XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/no-config

# No display at all: the answers come before any window is thought of.
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u KORVANU_CODE "$korvanu" "$@"; }
for asked in --help -h; do
  help=$(bare "$asked"); status=$?
  check "$asked exits 0" "$status" 0
  check "$asked begins with the usage" "$(head -n 1 <<<"$help")" "Usage: korvanu [QT-OPTION]..."
done
# Built, the program stands in its game folder beside its sound library.
check "settings beside the program" "$(grep '^Settings file:' <<<"$help")" "Settings file:  $game_dir/Korvanu.ini"
check "records where the program starts" "$(grep '^Records folder:' <<<"$help")" \
  "Records folder: the current directory"

check "--version" "$(bare --version)" "korvanu $version"
check "C locale: the game's own Japanese" "$(LC_ALL=C bare --help | head -n 1)" \
  "使い方: korvanu [Qtのｵﾌﾟｼｮﾝ]..."

# An argument neither the program nor Qt takes is refused, with no display
# either: the first one is named, and a Qt option's value is not mistaken for it.
set +e
refused() { # first line of what it says, then the arguments
  local said=$1; shift
  err=$(bare "$@" 2>&1 >/dev/null); status=$?
  check "$*: exits 2" "$status" 2
  check "$*: says which" "$(head -n 1 <<<"$err")" "$said"
}
while read -r unknown line; do
  read -ra args <<<"$line"
  refused "korvanu: unknown argument '$unknown'" "${args[@]}"
done <<'ROWS'
--no-such-option --no-such-option
-bogus -bogus stray
stray -reverse stray
--bogus -style fusion --bogus
--bogus --platform offscreen --bogus
ROWS
# The network options' values: the one at fault is named.
while read -r at line; do
  read -ra args <<<"$line"
  refused "korvanu: bad or missing value at '$at'" "${args[@]}"
done <<'ROWS'
maybe --host --drops maybe
70000 --host 70000
--join --join 127.0.0.1
--code --host --code K7M2X9QP
--no-router --join ::1 --code K7M2X9QP --no-router
0O1IL --join ::1 --code 0O1IL
ROWS
# A code kept out of the process list, from standard input or the
# environment: named by where it came from, never shown.
said=$(echo 0O1IL | bare --join ::1 --code - 2>&1 >/dev/null | head -n 1)
check "a code from standard input" "$said" "korvanu: bad or missing value at '--code -'"
said=$(KORVANU_CODE=0O1IL env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$korvanu" \
  --join ::1 2>&1 >/dev/null | head -n 1)
check "a code from KORVANU_CODE" "$said" "korvanu: bad or missing value at 'KORVANU_CODE'"
set -e
exit $fail
