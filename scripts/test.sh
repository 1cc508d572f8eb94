#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# the release build (warnings as errors) with the whole suite, the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer, the threaded
# tests under ThreadSanitizer, and each fuzzer for a short time.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

fuzz_seconds="${ZEL_FUZZ_SECONDS:-30}"
builds="$root/build-test"
mkdir -p "$builds"

step() { printf '\n==== %s\n' "$*"; }

# Tests that open real X windows run under a private X server.
run_ctest() {
  local dir="$1"; shift
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir "$dir" --output-on-failure --timeout 600 "$@"
}

step "Style and layers"
"$root/scripts/check-format.sh"
"$root/scripts/check-layers.sh"

step "Release build, warnings as errors"
"$root/scripts/build.sh" "$builds/release" -DZEL_WERROR=ON
run_ctest "$builds/release"

step "AddressSanitizer + UndefinedBehaviorSanitizer"
CC=clang CXX=clang++ "$root/scripts/build.sh" "$builds/asan" -DZEL_WERROR=ON \
  -DZEL_SANITIZE=address,undefined -DZEL_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0" \
  run_ctest "$builds/asan"

step "ThreadSanitizer (threaded tests)"
CC=clang CXX=clang++ "$root/scripts/build.sh" "$builds/tsan" -DZEL_WERROR=ON \
  -DZEL_SANITIZE=thread -DZEL_BENCH=OFF
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  run_ctest "$builds/tsan" -R 'Concurren|Thread'

step "Fuzzers (${fuzz_seconds} s each)"
CC=clang CXX=clang++ "$root/scripts/build.sh" "$builds/fuzz" -DZEL_WERROR=ON \
  -DZEL_FUZZ=ON -DZEL_TESTS=OFF -DZEL_BENCH=OFF -DZEL_SANITIZE=address,undefined
fuzzers=0; passed=0
for fuzzer in "$builds"/fuzz/bin/fuzz-*; do
  [ -x "$fuzzer" ] || continue
  name="$(basename "$fuzzer")"
  fuzzers=$((fuzzers + 1))
  corpus="$builds/fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds="$root/fuzz/seeds/${name#fuzz-}"
  if "$fuzzer" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" \
       $( [ -d "$seeds" ] && echo "$seeds" ) >"$corpus.log" 2>&1; then
    passed=$((passed + 1)); echo "$name: clean"
  else
    tail -n 40 "$corpus.log"; echo "$name: FAILED"
  fi
done
echo "fuzzers: $passed passed, $((fuzzers - passed)) failed"
[ "$passed" -eq "$fuzzers" ]
