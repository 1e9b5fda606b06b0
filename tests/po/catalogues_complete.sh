#!/usr/bin/env bash
# Every text the sources show has a translation in every catalogue: none
# missing, untranslated or fuzzy, and each compiles with its formats intact.
# SOURCE_DIR XGETTEXT-OPTIONS...
set -euo pipefail
source_dir=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$source_dir"
bash po/extract.sh xgettext "$work/korvanu.pot" "$@"
count=$(grep -c '^msgid "' "$work/korvanu.pot")
# A handful would mean the keywords found next to nothing.
if ((count < 100)); then
  echo "FAIL only $count texts extracted"
  exit 1
fi
status=0
for po in po/*.po; do
  if msgcmp "$po" "$work/korvanu.pot" && msgfmt --check -o /dev/null "$po"; then
    echo "ok   $po translates all $count texts"
  else
    echo "FAIL $po"
    status=1
  fi
done
exit $status
