#!/usr/bin/env bash
# Holds the fence between the game's layers where the compiler cannot: a
# quoted include is looked up in the including file's own folder first, so
# `#include "../view/board_view.h"` would reach a higher layer from below.
# Refuses any include that climbs out of its folder, and any include of a
# higher layer's folder from core/ or from the engine (which stands on the
# pure layers alone, the search among them). Names every offending line and fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layer of each folder of core/, lowest first.
declare -A layer=(
  [state]=0 [files]=0 [language]=0
  [rules]=1 [computer]=1 [record]=1
  [search]=2 [net]=2
  [platform]=3 [view]=3 [sound]=3 [settings]=3
  [play]=4
)
status=0
refuse() {
  echo "$1: $2" >&2
  status=1
}

include='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)"'
while IFS= read -r match; do
  file=${match%%:*}
  rest=${match#*:}
  number=${rest%%:*}
  [[ "${rest#*:}" =~ $include ]] || continue
  target=${BASH_REMATCH[1]}
  if [[ "$target" == ../* || "$target" == */../* ]]; then
    refuse "$file:$number" "includes \"$target\", climbing out of its folder"
    continue
  fi
  folder=${target%%/*}
  [[ "$target" == */* && -n "${layer[$folder]:-}" ]] || continue
  case "$file" in
  core/*)
    own=${file#core/}
    own=${own%%/*}
    [[ -n "${layer[$own]:-}" ]] || continue
    limit=${layer[$own]}
    ;;
  engine/*) limit=2 ;;
  *) continue ;;
  esac
  if ((layer[$folder] > limit)); then
    refuse "$file:$number" "includes \"$target\", a higher layer's folder"
  fi
done < <(git ls-files -z '*.cpp' '*.h' | xargs -0 grep -nHE "$include" || true)

if ((status != 0)); then
  echo "includes: the layers' fence is broken (see above)" >&2
fi
exit "$status"
