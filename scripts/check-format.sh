#!/usr/bin/env bash
# Fails when a tracked C or C++ file is not in the tree's clang-format style.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
format="$(command -v clang-format-14 || command -v clang-format)"
bad=0
while IFS= read -r -d '' f; do
  if ! "$format" --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f (run: $format -i $f)"
    bad=1
  fi
done < <(git ls-files -z -- '*.cpp' '*.h' '*.c' '*.cc')
[ "$bad" -eq 0 ] && echo "format: every C++ file is in the tree's style"
exit "$bad"
