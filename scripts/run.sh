#!/usr/bin/env bash
# Builds Tessivo for Windows and starts it under Wine on this display, in the current
# folder (so that ./setting.ini there applies).
# Without a display, shows what the program does instead: on a virtual display, a
# scene of blob pairs, a few captures by Alt+F1, the link printed here, a screenshot
# saved, then a clean exit.
set -euo pipefail
user_dir=$(pwd)
cd "$(dirname "$0")/.."
root=$(pwd)
if [ "$(id -u)" = 0 ]; then
  scripts/install-deps.sh
fi
echo "building Tessivo for Windows..."
log=build/run-build.log # shown only when the build fails
mkdir -p build
{ cmake --preset win64 && cmake --build --preset win64 --target tessivo Brimlet e2e_scene; } \
  >"$log" 2>&1 || { cat "$log"; exit 1; }

export TESSIVO_BUILD=$root/build
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  source scripts/wine-env.sh
  StartWine
  cd "$user_dir"
  # Brimlet.exe is found beside tessivo.exe.
  wine "$root/build/win64/bin/tessivo.exe"
else
  [ -n "${DISPLAY:-}" ] && echo "the display $DISPLAY cannot be opened: showing the demo instead"
  echo "no display: a demo on a virtual display"
  tests/e2e/run.sh --demo
fi
