#!/usr/bin/env bash
# A logout (SIGHUP), `kill` (SIGTERM) or Ctrl+C in the terminal (SIGINT) ends
# the real program at once with status 0, through the same end processing as
# "終わり" and Esc: every loaded sound freed in order, then the device closed,
# as the sound library's trace shows. Also while a message box is open.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
trap e2e_cleanup EXIT
game_dir=$1
e2e_start_x

# Starts the game with the sound library tracing to $WORK/stderr.txt.
start_traced() { # audio driver
  e2e_copy_game "$game_dir"
  export SDL_AUDIODRIVER=$1 KORVANU_SOUND_TRACE=1 XDG_RUNTIME_DIR=$WORK
  (cd "$WORK" && exec ./korvanu 2>"$WORK/stderr.txt") &
  GAME_PID=$!
}

# Waits up to $2 tenths of a second for a line matching $1 in the trace.
await_trace() {
  for _ in $(seq "$2"); do grep -q -- "$1" "$WORK/stderr.txt" && return 0; sleep 0.1; done
  return 1
}

# Sends the signal; the game must be gone within 5 s. STATUS = its exit status.
end_with() { # signal
  kill "-$1" "$GAME_PID"
  if ! e2e_await_exit; then
    STATUS="still running"
    kill -KILL "$GAME_PID"
  fi
  wait "$GAME_PID" 2>/dev/null && STATUS=${STATUS:-0} || STATUS=${STATUS:-$?}
  GAME_PID=
}

# The end processing's part of the trace: every id the game was given, freed
# in the order it was loaded, then the device closed.
expected_end() {
  local device
  device=$(sed -n 's/^korvanu-sound: dsInitialize() = //p' "$WORK/stderr.txt")
  sed -n 's/^korvanu-sound: dsCreateDSB(.*) = \([1-9][0-9]*\)$/korvanu-sound: dsFree(\1) = 1/p' \
    "$WORK/stderr.txt"
  echo "korvanu-sound: dsTerminate($device) = 1"
}

for signal in TERM INT HUP; do
  start_traced dummy
  # The music starts once all five sounds are loaded.
  if ! await_trace 'dsPlayLooping(.*) = 1' 200; then
    echo "FAIL SIG$signal: the sounds were never loaded"; fail=1
    cat "$WORK/stderr.txt"; e2e_cleanup; continue
  fi
  sleep 0.3
  STATUS=; end_with "$signal"
  check "SIG$signal ends the game with status 0" "$STATUS" 0
  expected=$(expected_end)
  check "SIG$signal frees the five sounds, then the device" \
    "$(grep '^korvanu-sound: ds\(Free\|Terminate\)' "$WORK/stderr.txt")" "$expected"
  check "SIG$signal: five sounds were loaded" "$(grep -c '^korvanu-sound: dsFree' <<<"$expected")" 5
  rm -rf "$WORK"; WORK=
done

# No device: the one warning is open in its own event loop when SIGTERM comes.
start_traced no-such-driver
if timeout 20 xdotool search --sync --onlyvisible --name '^Korvanu\.dll$' >/dev/null; then
  # The window is not held back for the sound: it is up before the warning.
  check "the window shows before the sound warning" \
    "$(xdotool search --onlyvisible --name '^Korvanu$' | wc -l)" 1
  STATUS=; end_with TERM
  check "SIGTERM during the sound warning ends the game with status 0" "$STATUS" 0
else
  echo "FAIL the sound warning never showed"; fail=1
fi
exit $fail
