#!/usr/bin/env bash
# Formats the C++ sources with the project's .clang-format, or with --check
# fails (and names the files) when any source is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--check" ]]; then
  "$format" --dry-run -Werror "${files[@]}"
else
  "$format" -i "${files[@]}"
fi
