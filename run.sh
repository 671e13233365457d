#!/usr/bin/env bash
# The main job: installs what is missing, builds everything, then starts the browser.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/build.sh" "$root/build"
bin="$root/build/bin"
echo
echo "Built into $bin:"
for f in VXBrowser VXTray Gravik.dll Pelmor.dll Vendrix.dll dbghelp.dll libquorla-platform.so config/domainList.xml config/collect.xml; do
  if [[ -e "$bin/$f" ]]; then echo "  $f"; else missing+=("$f"); fi
done
if [[ -n "${missing[*]:-}" ]]; then
  echo "Not there yet: ${missing[*]}"
fi
if [[ -x "$bin/VXBrowser" ]]; then
  exec "$bin/VXBrowser" "$@"
fi
echo "The browser program is not built yet, so there is nothing to start."
