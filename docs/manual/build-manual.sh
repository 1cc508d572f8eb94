#!/usr/bin/env bash
# Typesets the manual. Each pass reports its headings and their pages; the next
# pass prints them as the contents on the second page. Passes repeat until the
# contents they print are the ones they report (two passes, normally).
#
#   build-manual.sh GROFF SOURCE WORK_DIR OUTPUT_PDF VERSION
#
# WORK_DIR holds the pictures and the generated tables the source includes.
set -euo pipefail
groff="$1"
source="$2"
work="$3"
output="$4"
version="$5"

cd "$work"
# One pass: the PDF to $1, the headings as "zel-contents LEVEL PAGE TITLE" lines
# on standard error, turned into contents lines in $2; other messages are shown.
run_pass() {
  # -ms macros, PDF marks, included files resolved before the tables, tables,
  # UTF-8 input; A4 paper.
  "$groff" -ms -mpdf -s -t -k -Tpdf -dpaper=a4 -P-pa4 -dzel-version="$version" \
    -rcontentspass=1 "$source" > "$1" 2> pass.log
  sed -n 's/^zel-contents \([0-9]*\) \([0-9]*\) \(.*\)$/.CONTENTS-LINE \1 \2 "\3"/p' pass.log > "$2"
  grep -v '^zel-contents ' pass.log >&2 || true
}

: > contents.ms
for pass in 1 2 3 4; do
  run_pass "$output.tmp" contents-new.ms
  if cmp -s contents.ms contents-new.ms; then
    mv -f "$output.tmp" "$output"
    exit 0
  fi
  mv -f contents-new.ms contents.ms
done
echo "build-manual.sh: the contents do not settle" >&2
exit 1
