#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the program, its sound library and
# sounds, and what a desktop needs, all lint clean; and the installed program
# keeps the player's files in the player's folders. BUILD_DIR APP_ID
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
build=$1 app_id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null

cd "$root"
libdir=$(dirname "$(find usr -name libKorvanu.so)")
expected=(usr/bin/korvanu "$libdir/libKorvanu.so"
          usr/share/korvanu/{その他,禁止,駒打音,爆発音,BGM}.wav
          "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
          usr/share/man/man6/korvanu.6.gz usr/share/locale/en/LC_MESSAGES/korvanu.mo)
for size in 16 22 24 32 48 64 128 256 512; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
check "installed files" "$(find usr -type f | LC_ALL=C sort | tr '\n' ' ')" \
  "$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort | tr '\n' ' ')"
check "sound library in a folder of the game's own" "$(basename "$libdir")" korvanu
check "icon 48x48" "$(identify -format '%wx%h' "usr/share/icons/hicolor/48x48/apps/$app_id.png")" 48x48

# Lint: any remark at all fails.
check "desktop-file-validate" "$(desktop-file-validate "usr/share/applications/$app_id.desktop" 2>&1)" ""
if out=$(appstreamcli validate-tree --no-net "$root" 2>&1); then echo "ok   appstreamcli validate-tree"; else
  echo "FAIL appstreamcli validate-tree:"; echo "$out"; fail=1; fi
check "manual page lint" "$(zcat usr/share/man/man6/korvanu.6.gz | groff -k -man -ww -z -Tutf8 2>&1)" ""
# The keys as the game lists them: the menus' and the cursor's, and Esc.
keys=$(man -l usr/share/man/man6/korvanu.6.gz 2>/dev/null | sed -n '/^KEYS/,/^FILES/p')
for key in "Ctrl+Z：局面 → 待った" "Shift+Enter：成って置く" "Esc：終わり"; do
  check "manual page lists $key" "$(grep -c -F "$key" <<<"$keys")" 1
done
check "manual page title" "$(zcat usr/share/man/man6/korvanu.6.gz | groff -k -man -Tutf8 -P-cbou |
  head -n 1 | tr -s ' ')" "KORVANU(6) Games KORVANU(6)"

# Installed, the program puts the player's files in the player's folders,
# whatever the current directory; asking for help makes none of them. It
# answers in English from the installed catalogue.
export LC_ALL=en_US.UTF-8 LANGUAGE=
mkdir -p home elsewhere
help=$(cd elsewhere && env -u XDG_CONFIG_HOME HOME="$root/home" "$root/usr/bin/korvanu" --help)
check "settings in ~/.config/korvanu" "$(grep '^Settings file:' <<<"$help")" \
  "Settings file:  $root/home/.config/korvanu/Korvanu.ini"
check "records in ~/Documents/Korvanu" "$(grep '^Records folder:' <<<"$help")" \
  "Records folder: $root/home/Documents/Korvanu"
help=$(cd elsewhere && HOME="$root/home" XDG_CONFIG_HOME="$root/config" "$root/usr/bin/korvanu" --help)
check "settings in \$XDG_CONFIG_HOME/korvanu" "$(grep '^Settings file:' <<<"$help")" \
  "Settings file:  $root/config/korvanu/Korvanu.ini"
check "nothing made before it is needed" "$(find home elsewhere -mindepth 1 | wc -l)" 0
exit $fail
