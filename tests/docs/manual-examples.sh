#!/usr/bin/env bash
# Runs the command lines the manual shows for zel-render (and zel-host's window-free
# screenshot) against the built tools, on input files made by zel-render itself:
# an example that no longer works fails here.
#
#   manual-examples.sh MANUAL_SOURCE BIN_DIR
set -euo pipefail
source="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
export PATH="$(cd "$2" && pwd):$PATH"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME="$work"  # the tools must not read or write the user's preferences

# Inputs in the formats the examples read.
for input in vocal.wav drums.flac bass.wav mix.aiff; do
  zel-render --set Makeup=0 -o "$input" > /dev/null
done

# Command lines inside .CODE ... .ENDCODE, without their comments; the synopsis
# (with its [OPTIONS]) is not a command.
examples="$(awk '/^\.CODE/ { code = 1; next } /^\.ENDCODE/ { code = 0 } code' "$source" |
  sed -e 's/[[:space:]]*#.*$//' | grep -E '^(zel-render|zel-host .*--screenshot)' |
  grep -vF '[' || true)"
[ -n "$examples" ] || { echo "no examples found in $source"; exit 1; }

passes=0
failures=0
while IFS= read -r example; do
  if bash -c "$example" > log 2>&1; then
    passes=$((passes + 1))
  else
    echo "FAILED (exit $?): $example"
    sed 's/^/    /' log
    failures=$((failures + 1))
  fi
done <<< "$examples"
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
