#!/usr/bin/env bash
# Reads the built manual back: its pages, the contents against the pages the
# headings are really on, and the texts it must hold.
#
#   manual-pdf.sh MANUAL_PDF
set -euo pipefail
pdf="$1"
command -v pdftotext > /dev/null || { echo "pdftotext (poppler-utils) is missing"; exit 77; }

passes=0
failures=0
check() {
  local what="$1"; shift
  if "$@"; then passes=$((passes + 1)); else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

pages="$(pdfinfo "$pdf" | sed -n 's/^Pages:[[:space:]]*//p')"
check "at least ten pages ($pages)" test "$pages" -ge 10
check "small enough to mail (under 1 MB)" test "$(stat -c %s "$pdf")" -lt 1000000
check "titled" bash -c 'pdfinfo "$0" | grep -q "^Title:.*Zel Trevalon Operation Manual"' "$pdf"

# The pictures drawn by the build: the whole panel and the preset bar.
images="$(pdfimages -list "$pdf" | awk 'NR > 2 { print $4 "x" $5 }')"
check "the panel picture (811 x 286)" grep -qx 811x286 <<< "$images"
check "two pictures" test "$(wc -l <<< "$images")" -eq 2

# Every contents line, "N.N Title ..... PAGE", names the page its heading is on.
contents="$(pdftotext -layout -f 2 -l 2 "$pdf" - | sed -n 's/^ *\([0-9][0-9.]*\) \(.*[^ .]\) *\.\.*[ .]*\([0-9]*\)$/\1|\2|\3/p')"
check "contents found" test "$(wc -l <<< "$contents")" -ge 20
while IFS='|' read -r number title page; do
  check "contents: $number $title on page $page" \
    bash -c 'pdftotext -f "$1" -l "$1" "$0" - | grep -qxF "$2"' "$pdf" "$page" "$number $title"
done <<< "$contents"

text="$(pdftotext "$pdf" - | tr -s ' \n' '  ')"
for phrase in "Threshold" "Makeup" "Attack" "Release" "Ratio" "Blend" "POWER" "CHANNEL" "LINK" \
  "SC FILTER" "1:1 to 16:1" "0.1 to 10 ms" "10 to 1000 ms" "10 to 1000 Hz" "0 to 100 %" \
  "Smooth Vocal" "N.Y. Drums" "Strong Bass" "Master Track" "Magnetizer" "zel-render" "zel-host" \
  ".zel" ".zlb" "scripts/install.sh --uninstall"; do
  check "holds \"$phrase\"" grep -qF -- "$phrase" <<< "$text"
done
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
