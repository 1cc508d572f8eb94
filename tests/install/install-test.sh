#!/usr/bin/env bash
# scripts/install.sh in a private home (with a space, a quote and a dollar in its
# path) over a stand-in build: every kind of installation, reinstalling, and
# uninstalling exactly what was installed while the user's own files stay.
set -euo pipefail
script="$1/scripts/install.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home o'\$dir"
export XDG_CONFIG_HOME="$HOME/.config"
mkdir -p "$HOME"

manual="Zel Trevalon Operation Manual.pdf"
build="$work/build"
mkdir -p "$build/bin"
echo plugin-1 > "$build/bin/zel-trevalon.so"
echo manual-1 > "$build/bin/$manual"
echo render > "$build/bin/zel-render"
echo host > "$build/bin/zel-host"

passes=0
failures=0
check() {
  local what="$1"; shift
  if "$@"; then
    passes=$((passes + 1))
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}
same() { cmp -s "$1" "$2"; }
gone() { [ ! -e "$1" ]; }
run_install() { "$script" --build-dir "$build" --no-build "$@" > "$work/log" 2>&1; }
run_uninstall() { "$script" --no-build --uninstall "$@" > "$work/log" 2>&1; }

# ---- For the user, with a documents folder named in user-dirs.dirs ----------
mkdir -p "$XDG_CONFIG_HOME" "$HOME/.vst"
printf 'XDG_DOCUMENTS_DIR="$HOME/My Documents"\n' > "$XDG_CONFIG_HOME/user-dirs.dirs"
echo theirs > "$HOME/.vst/other.so"
docs="$HOME/My Documents/zel-trevalon.audio/Zel Trevalon"
run_install
check "plug-in in ~/.vst" same "$HOME/.vst/zel-trevalon.so" "$build/bin/zel-trevalon.so"
check "plug-in executable" test -x "$HOME/.vst/zel-trevalon.so"
check "manual in the documents folder" same "$docs/$manual" "$build/bin/$manual"
check "manual beside the plug-in" same "$HOME/.vst/$manual" "$build/bin/$manual"
check "tools in ~/.local/bin" test -x "$HOME/.local/bin/zel-render" -a -x "$HOME/.local/bin/zel-host"

# Installing again replaces the plug-in by renaming a new file over it, so a host
# that has the old one loaded keeps a whole file.
inode_before="$(stat -c %i "$HOME/.vst/zel-trevalon.so")"
exec 3< "$HOME/.vst/zel-trevalon.so"
echo plugin-2 > "$build/bin/zel-trevalon.so"
run_install
check "new plug-in installed" same "$HOME/.vst/zel-trevalon.so" "$build/bin/zel-trevalon.so"
check "new plug-in is a new file" test "$(stat -c %i "$HOME/.vst/zel-trevalon.so")" != "$inode_before"
check "the loaded old file is intact" test "$(cat <&3)" = plugin-1
exec 3<&-
check "record lists each file once" \
  test "$(grep -c '^file ' "$HOME/.vst/.zel-trevalon-installed")" -eq 5

# The documents folder moves: the next installation removes the old copy.
printf 'XDG_DOCUMENTS_DIR="%s/Docs"\n' "$HOME" > "$XDG_CONFIG_HOME/user-dirs.dirs"
run_install
check "manual in the new documents folder" test -f "$HOME/Docs/zel-trevalon.audio/Zel Trevalon/$manual"
check "old documents copy removed" gone "$docs/$manual"

# The user's own files, and a changed manual, survive the uninstall.
docs="$HOME/Docs/zel-trevalon.audio/Zel Trevalon"
echo preset > "$docs/my.zel"
echo edited > "$HOME/.vst/$manual"
run_uninstall
check "plug-in removed" gone "$HOME/.vst/zel-trevalon.so"
check "tools removed with the folders made for them" gone "$HOME/.local"
check "unchanged manual removed" gone "$docs/$manual"
check "user's preset kept" test -f "$docs/my.zel"
check "user's plug-in kept" test -f "$HOME/.vst/other.so"
check "changed manual kept" test "$(cat "$HOME/.vst/$manual")" = edited
check "record removed" gone "$HOME/.vst/.zel-trevalon-installed"
check "the made folders left empty are removed" gone "$HOME/My Documents"

# Without a record nothing is removed.
run_uninstall
check "uninstall without a record" test -f "$HOME/.vst/other.so" -a -f "$HOME/.vst/$manual"

# ---- Under a prefix, and into a folder -------------------------------------
prefix="$work/usr local"
mkdir -p "$prefix/bin"
echo mine > "$prefix/bin/tool"
run_install --prefix "$prefix"
check "prefix: plug-in" test -f "$prefix/lib/vst/zel-trevalon.so"
check "prefix: manual beside it" test -f "$prefix/lib/vst/$manual"
check "prefix: tools" test -f "$prefix/bin/zel-render"
run_uninstall --prefix "$prefix"
check "prefix: uninstalled" gone "$prefix/lib"
check "prefix: other files kept" test -f "$prefix/bin/tool"

dir="$work/my plugins"
run_install --dir "$dir"
check "dir: plug-in and manual only" \
  test "$(find "$dir" -type f ! -name '.zel-*' | wc -l)" -eq 2 -a -f "$dir/$manual"
run_uninstall --dir "$dir"
check "dir: removed" gone "$dir"

# ---- Failures ----------------------------------------------------------------
rm "$build/bin/$manual"
run_install --dir "$dir"
check "without a built manual the plug-in still installs" test -f "$dir/zel-trevalon.so"
check "and says so" grep -q 'manual is not built' "$work/log"
run_uninstall --dir "$dir"
rm "$build/bin/zel-trevalon.so"
check "nothing built: refused" bash -c '! "$0" --build-dir "$1" --no-build --dir "$2" >/dev/null 2>&1' \
  "$script" "$build" "$dir"
check "nothing built: nothing written" gone "$dir"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
