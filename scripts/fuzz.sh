#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for the given number of seconds
# over its seed corpus (fuzz/corpus/<target>/).
#   scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
build="$root/build-fuzz"
"$root/scripts/ensure-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DQUORLA_FUZZ=ON -DQUORLA_SANITIZE=address -DQUORLA_BENCHMARKS=OFF -DQUORLA_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
targets=("$@")
if ((${#targets[@]} == 0)); then
  for f in "$build"/fuzz/fuzz_*; do
    [[ -x "$f" ]] && targets+=("$(basename "$f")")
  done
fi
if ((${#targets[@]} == 0)); then
  echo "no fuzz targets"
  exit 0
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for t in "${targets[@]}"; do
  corpus="$root/fuzz/corpus/${t#fuzz_}"
  work=$(mktemp -d)
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s"
  "$build/fuzz/$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
    -artifact_prefix="$work/" "$work" "$corpus" 2>&1 | grep -E '^(#[0-9]+ *DONE|Done|==[0-9]+==ERROR|SUMMARY)' || true
  if ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* >/dev/null 2>&1; then
    echo "$t found a failing input:" "$work"/crash-* "$work"/leak-* "$work"/timeout-* 2>/dev/null
    exit 1
  fi
  rm -rf "$work"
done
