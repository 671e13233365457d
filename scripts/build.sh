#!/usr/bin/env bash
# Configures and builds the project.
#   scripts/build.sh [build-dir] [extra cmake arguments...]
# The build directory defaults to ./build; its bin/ holds every deliverable.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
"$root/scripts/ensure-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
