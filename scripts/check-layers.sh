#!/usr/bin/env bash
# Fails when a file includes a header from a layer above its own, when code
# outside the toolkit's platform folders (and the build-time artwork program and
# the standalone host's window) uses X11 or cairo directly, or when code outside
# them includes the toolkit's cairo or X11 implementation headers. The folders that
# only build and check the product (tests, fuzz, bench, docs) may use anything.
#
# Layers, bottom up; a folder may include only from the folders it names.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

declare -A allowed=(
  [params]="params"
  [toolkit]="toolkit"
  [dsp]="dsp"
  [vst]="vst"
  [resources]="resources"
  [presets]="presets vst params"
  [editor]="editor presets vst params toolkit resources"
  [plugin]="plugin editor presets vst params toolkit resources dsp"
  [tools]="tools vst:VstInterface.h params"
)

# The folder (layer) a path belongs to; empty for folders that may use anything.
layer_of() {
  case "$1" in
    tools/*) echo tools ;;
    tests/* | fuzz/* | bench/* | docs/*) echo "" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
  esac
}

# Where each project header lives (headers are included by bare name or by a
# path below their layer's folder).
declare -A home=()
while IFS= read -r h; do
  home["$(basename "$h")"]="$h"
  home["${h#*/}"]="$h"
done < <(git ls-files -- '*.h')

bad=0
while IFS= read -r f; do
  own="$(layer_of "$f")"
  [ -n "$own" ] || continue
  while IFS= read -r inc; do
    target="${home[$inc]:-}"
    [ -n "$target" ] || continue  # a system or generated header
    [ "$target" = "$f" ] && continue
    layer="$(layer_of "$target")"
    ok=0
    for a in ${allowed[$own]}; do
      if [ "$a" = "$layer" ] || [ "$a" = "$layer:$(basename "$target")" ]; then ok=1; fi
    done
    if [ "$ok" -eq 0 ]; then
      echo "layer: $f ($own) includes $target ($layer)"
      bad=1
    fi
    case "$f:$target" in
      toolkit/platform/*) ;;
      *:toolkit/platform/cairo/* | *:toolkit/platform/x11/*)
        echo "platform: $f includes $target, a platform implementation header"
        bad=1
        ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
  case "$f" in
    toolkit/platform/* | resources/art/* | tools/host/*) ;;
    *)
      if grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(X11/|cairo)' "$f"; then
        echo "platform: $f uses X11 or cairo outside the toolkit's platform folders"
        bad=1
      fi
      ;;
  esac
done < <(git ls-files -- '*.h' '*.cpp' | grep -vE '^(tests|fuzz|bench|docs)/')

[ "$bad" -eq 0 ] && echo "layers: every include points down"
exit "$bad"
