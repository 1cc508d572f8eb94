#!/usr/bin/env bash
# Installs the plug-in, its manual and the command-line tools, or removes them.
#
#   scripts/install.sh [--user | --system | --prefix DIR | --dir DIR] [--uninstall]
#                      [--build-dir DIR] [--no-build]
#
# --user (default)  ~/.vst/zel-trevalon.so, the manual in the documents folder
#                   (<documents>/zel-trevalon.audio/Zel Trevalon/) and beside the
#                   plug-in, zel-render and zel-host in ~/.local/bin
# --system          the same as --prefix /usr/local (copies through sudo when needed)
# --prefix DIR      DIR/lib/vst/zel-trevalon.so with the manual beside it, the tools
#                   in DIR/bin
# --dir DIR         the plug-in and the manual into DIR
# --uninstall       removes what an installation of the same kind put there: the
#                   files it wrote (unless changed since) and the folders it made
#                   (when empty), as listed in the record it left beside the plug-in
# --build-dir DIR   where the built files are (default: build/ of this tree)
# --no-build        install what is built; do not build
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

readonly plugin_file="zel-trevalon.so"
readonly manual_file="Zel Trevalon Operation Manual.pdf"
# The manual button looks in <documents>/<vendor>/<product>/.
readonly vendor_folder="zel-trevalon.audio"
readonly product_folder="Zel Trevalon"
readonly record_file=".zel-trevalon-installed"
readonly tools=(zel-render zel-host)

usage() {
  sed -n '2,/^set -euo/p' "$0" | sed -e '/^set -euo/d' -e 's/^# \{0,1\}//'
}

fail() {
  echo "install.sh: $*" >&2
  exit 1
}

mode=user
prefix=""
target_dir=""
uninstall=0
build_dir="$root/build"
build=1
while [ $# -gt 0 ]; do
  case "$1" in
    --user) mode=user ;;
    --system) mode=prefix; prefix=/usr/local ;;
    --prefix) [ $# -ge 2 ] || fail "--prefix needs a folder"; mode=prefix; prefix="$2"; shift ;;
    --dir) [ $# -ge 2 ] || fail "--dir needs a folder"; mode=dir; target_dir="$2"; shift ;;
    --uninstall) uninstall=1 ;;
    --build-dir) [ $# -ge 2 ] || fail "--build-dir needs a folder"; build_dir="$2"; shift ;;
    --no-build) build=0 ;;
    -h | --help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
  shift
done

# Absolute, and one line each: the record lists one path a line.
absolute() {
  case "$1" in
    /*) printf '%s' "$1" ;;
    *) printf '%s/%s' "$PWD" "$1" ;;
  esac
}
one_line() {
  case "$1" in *$'\n'*) fail "a path with a line break is not supported: $1" ;; esac
}

# The XDG documents folder: XDG_DOCUMENTS_DIR in user-dirs.dirs ("$HOME/..." or an
# absolute path), else ~/Documents.
documents_dir() {
  local dirs="${XDG_CONFIG_HOME:-$HOME/.config}/user-dirs.dirs" line value
  if [ -r "$dirs" ]; then
    line="$(grep -E '^[[:space:]]*XDG_DOCUMENTS_DIR=' "$dirs" | tail -n 1 || true)"
    value="${line#*=}"
    value="${value#\"}"
    value="${value%\"}"
    case "$value" in
      '$HOME' | '$HOME/'*) printf '%s%s' "$HOME" "${value#\$HOME}"; return ;;
      /*) printf '%s' "$value"; return ;;
    esac
  fi
  printf '%s/Documents' "$HOME"
}

# Where each file goes: plugin_dir, manual_dirs (the plug-in's folder among them)
# and tools_dir (empty: no tools).
manual_dirs=()
tools_dir=""
case "$mode" in
  user)
    [ -n "${HOME:-}" ] || fail "HOME is not set"
    plugin_dir="$HOME/.vst"
    manual_dirs=("$(documents_dir)/$vendor_folder/$product_folder" "$plugin_dir")
    tools_dir="$HOME/.local/bin"
    ;;
  prefix)
    prefix="$(absolute "$prefix")"
    plugin_dir="${prefix%/}/lib/vst"
    manual_dirs=("$plugin_dir")
    tools_dir="${prefix%/}/bin"
    ;;
  dir)
    plugin_dir="$(absolute "$target_dir")"
    manual_dirs=("$plugin_dir")
    ;;
esac
record="$plugin_dir/$record_file"
for p in "$plugin_dir" "${manual_dirs[@]}" "$tools_dir"; do one_line "$p"; done

# Copies run through sudo only where this user cannot write.
SUDO=""
writable_or_creatable() {
  local d="$1"
  while [ ! -e "$d" ]; do d="$(dirname "$d")"; done
  [ -w "$d" ]
}
need_sudo() {
  local d
  for d in "$plugin_dir" "${manual_dirs[@]}" ${tools_dir:+"$tools_dir"}; do
    writable_or_creatable "$d" || return 0
  done
  return 1
}
if [ "$(id -u)" -ne 0 ] && need_sudo; then
  command -v sudo >/dev/null || fail "cannot write to $plugin_dir (and sudo is not available)"
  SUDO="sudo"
fi

checksum() { sha256sum -- "$1" | cut -d' ' -f1; }

# The record has one entry a line: "file SHA256 PATH" or "dir - PATH". Splits a
# line into kind, sum and path (the path exactly as written, spaces and all).
split_entry() {
  kind="${1%% *}"
  local rest="${1#* }"
  sum="${rest%% *}"
  path="${rest#* }"
}

# ---- Uninstall ---------------------------------------------------------------

# Removes what the record lists: unchanged files, then the folders it made that are
# empty now, deepest first.
remove_recorded() {
  local line kind sum path
  local -a dirs=()
  while IFS= read -r line; do
    split_entry "$line"
    case "$kind" in
      file)
        if [ -f "$path" ] && [ "$(checksum "$path")" = "$sum" ]; then
          $SUDO rm -f -- "$path" && echo "removed $path"
        elif [ -e "$path" ]; then
          echo "kept $path (changed since it was installed)"
        fi
        ;;
      dir) dirs+=("$path") ;;
    esac
  done < "$record"
  $SUDO rm -f -- "$record"
  local i
  for ((i = ${#dirs[@]} - 1; i >= 0; i--)); do
    $SUDO rmdir -- "${dirs[i]}" 2>/dev/null && echo "removed folder ${dirs[i]}" || true
  done
}

if [ "$uninstall" -eq 1 ]; then
  if [ ! -f "$record" ]; then
    echo "Nothing to remove: $plugin_dir holds no installation record ($record_file)."
    exit 0
  fi
  remove_recorded
  echo "Zel Trevalon is uninstalled from $plugin_dir."
  exit 0
fi

# ---- Build -------------------------------------------------------------------

cache_says() { grep -q "^$1" "$build_dir/CMakeCache.txt" 2>/dev/null; }
if [ "$build" -eq 1 ]; then
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    "$root/scripts/setup.sh"
    "$root/scripts/build.sh" "$build_dir" -DZEL_TESTS=OFF -DZEL_BENCH=OFF
  else
    # Configure again, so a groff installed since is found for the manual.
    cmake -S "$root" -B "$build_dir" > /dev/null
    targets=(zel-trevalon "${tools[@]}")
    if cache_says 'ZEL_MANUAL:BOOL=ON' && ! cache_says 'ZEL_GROFF:FILEPATH=.*NOTFOUND'; then
      targets+=(zel-manual)
    fi
    cmake --build "$build_dir" -j"${ZEL_JOBS:-2}" --target "${targets[@]}"
  fi
fi
bin="$build_dir/bin"
[ -f "$bin/$plugin_file" ] || fail "$bin/$plugin_file is not built (run without --no-build)"

# ---- Install -----------------------------------------------------------------

new_record="$(mktemp)"
trap 'rm -f "$new_record"' EXIT
# Folders made by an earlier installation stay in the record: they are ours to remove.
if [ -f "$record" ]; then grep '^dir ' "$record" >> "$new_record" || true; fi

# Makes a folder and every missing parent, recording each one made.
make_dir() {
  local d="$1" missing=()
  while [ ! -d "$d" ]; do
    missing=("$d" "${missing[@]}")
    d="$(dirname "$d")"
  done
  for d in "${missing[@]}"; do
    $SUDO mkdir -- "$d"
    printf 'dir - %s\n' "$d" >> "$new_record"
  done
}

# Copies a file into place under a temporary name and renames it over the old one,
# so a host that has the old plug-in loaded keeps a whole file.
install_file() {
  local src="$1" dir="$2" mode="$3"
  local dest="$dir/$(basename "$src")"
  make_dir "$dir"
  local tmp="$dir/.$(basename "$src").new.$$"
  $SUDO cp -- "$src" "$tmp"
  $SUDO chmod "$mode" -- "$tmp"
  $SUDO mv -f -- "$tmp" "$dest"
  printf 'file %s %s\n' "$(checksum "$dest")" "$dest" >> "$new_record"
  echo "installed $dest"
}

install_file "$bin/$plugin_file" "$plugin_dir" 755
if [ -f "$bin/$manual_file" ]; then
  for d in "${manual_dirs[@]}"; do install_file "$bin/$manual_file" "$d" 644; done
else
  echo "note: the manual is not built (it needs groff: run scripts/setup.sh and install again)"
fi
if [ -n "$tools_dir" ]; then
  for t in "${tools[@]}"; do
    if [ -f "$bin/$t" ]; then install_file "$bin/$t" "$tools_dir" 755; fi
  done
fi

# Files of an earlier installation that this one did not write again (say, a manual
# in a documents folder that has moved since) are removed now, when unchanged.
if [ -f "$record" ]; then
  while IFS= read -r line; do
    split_entry "$line"
    [ "$kind" = file ] || continue
    grep -qxF -- "$path" <(cut -d' ' -f3- "$new_record") && continue
    if [ -f "$path" ] && [ "$(checksum "$path")" = "$sum" ]; then
      $SUDO rm -f -- "$path" && echo "removed $path (left from an earlier installation)"
    fi
  done < "$record"
fi
# Each folder once, in the order made.
awk '!seen[$0]++' "$new_record" | $SUDO tee "$record" > /dev/null
$SUDO chmod 644 -- "$record"

echo
echo "Zel Trevalon is installed in $plugin_dir."
case "$mode" in
  user)
    echo "REAPER, Bitwig, Carla and Qtractor find it in ~/.vst (rescan your plug-ins)."
    echo "Ardour does not look in ~/.vst: add it in Preferences > Plugins, or install"
    echo "with --system."
    case ":$PATH:" in
      *":$tools_dir:"*) ;;
      *) echo "Add $tools_dir to your PATH to run zel-render and zel-host by name." ;;
    esac
    ;;
  *)
    if [ "$plugin_dir" = /usr/local/lib/vst ]; then
      echo "Ardour, Carla and Qtractor find it there; in REAPER and Bitwig add the folder"
      echo "to the VST plug-in paths if it is not listed, and rescan."
    else
      echo "Point your host at $plugin_dir: VST_PATH for Carla and Qtractor, LXVST_PATH"
      echo "for Ardour, the VST plug-in paths in REAPER and Bitwig."
    fi
    ;;
esac
