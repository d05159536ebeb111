#!/usr/bin/env bash
# Installs what the tests need (as root), builds both presets and runs every test:
# the native tests with sanitizers, the Windows tests under Wine on a virtual
# display, and the end-to-end tests of the whole program.
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
ctest --preset host -j 2
tests/fuzz/run.sh # a bounded run; tests/fuzz/run.sh SECONDS for a longer one

cmake --preset win64 >/dev/null
cmake --build --preset win64

export TESSIVO_BUILD=$root/build
export TESSIVO_XVFB=1
source scripts/wine-env.sh
StartWine
# One at a time: the tests share one mailslot name, the clipboard and the display.
ctest --preset win64 -j 1
scripts/check-package.sh

if [ -x tests/e2e/run.sh ]; then
  tests/e2e/run.sh
fi
echo "all tests passed in $(( $(date +%s) - started )) s"
