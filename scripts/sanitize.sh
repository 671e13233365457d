#!/usr/bin/env bash
# Builds the project with clang and sanitizers and runs the unit tests.
#   scripts/sanitize.sh address   AddressSanitizer + UndefinedBehaviorSanitizer, every test but e2e
#   scripts/sanitize.sh thread    ThreadSanitizer (the threaded tests only)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-address}
build="$root/build-$kind"
"$root/scripts/ensure-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DQUORLA_SANITIZE="$kind" -DQUORLA_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
label_args=(-LE e2e)
# The drag outline's tests paint screen-sized images, which Qt converts on its
# own pooled threads and synchronises inside the uninstrumented library: every
# report from them lies between two of Qt's threads.
[[ $kind == thread ]] && label_args=(-L threaded -E '^DragOutline\.')
ctest --test-dir "$build" "${label_args[@]}" --output-on-failure -j"$(nproc)" --timeout 900
