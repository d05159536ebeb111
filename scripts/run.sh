#!/usr/bin/env bash
# Builds Tessivo for Windows and starts it under Wine on this display.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
[ "$(id -u)" = 0 ] && scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
export TESSIVO_BUILD=$root/build
source scripts/wine-env.sh
StartWine
wine build/win64/bin/tessivo.exe
