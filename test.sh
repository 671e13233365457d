#!/usr/bin/env bash
# Runs every test: installs what is missing, builds, then runs the whole CTest suite.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/build.sh" "$root/build"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)" --timeout 900
