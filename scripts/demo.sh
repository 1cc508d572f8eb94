#!/usr/bin/env bash
# Installs what is missing, builds the plug-in and its tools, and renders the
# built-in demo signal through the plug-in, printing what it did.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DZEL_TESTS=OFF -DZEL_BENCH=OFF
out="${1:-$root/build/zel-demo.wav}"
# Float output keeps the peaks that preset 0's make-up gain lifts above full scale.
"$root/build/bin/zel-render" --format float -o "$out"
