#!/usr/bin/env bash
# Installs what the tests need (as root), builds both presets and runs every test:
# the native tests with sanitizers, the Windows tests under Wine on a virtual
# display, and the end-to-end tests of the whole program from the Windows ZIP.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "$(id -u)" = 0 ]; then
  scripts/install-deps.sh
else
  echo "not root: assuming the packages of scripts/install-deps.sh are installed"
fi

started=$(date +%s)
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host
# Real games: every film's record must be exactly what its box showed, and F must fit both
# players' next boxes on their screens.
films=$root/../shared/films
if [ -f "$films/truth.json" ]; then
  build/host/bench/film_watch "$films"
  build/host/bench/film_fit "$films"
else
  echo "film_watch, film_fit: skipped: no films at $films (they lie beside a checkout of the project)"
fi

cmake --preset win64 >/dev/null
cmake --build --preset win64

# Both layers on Wine run as on a European Windows (code page 1252, not 932) at 150 % display
# scale: the texts must show whatever the system's code page, and fit at every scale.
export TESSIVO_BUILD=$root/build TESSIVO_XVFB=1 TESSIVO_LOCALE=C.UTF-8 TESSIVO_DPI=144
source scripts/wine-env.sh
TESSIVO_UNMANAGED=1 StartWine
ctest --preset win64
StopWine # the end-to-end tests start a display and a Wine server of their own
tests/e2e/run.sh
scripts/test-ratio.sh || true # the size of the suite: printed, not a test of the programs
echo "all tests passed in $(( $(date +%s) - started )) s"
