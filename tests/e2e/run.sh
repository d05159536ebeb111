#!/usr/bin/env bash
# End-to-end tests: the real tessivo.exe, Brimlet.exe and a scene of blob pairs under
# Wine on a private virtual display, driven by xdotool (see e2e.py). Arguments go to
# e2e.py: scenario names to run only those, or --demo.
#   TESSIVO_BUILD  build folder (default: build under the checkout); screenshots go
#                  to its e2e-artifacts/
#   TESSIVO_BIN    folder of the programs (default: $TESSIVO_BUILD/win64/bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export TESSIVO_BUILD=${TESSIVO_BUILD:-$root/build}
# A display of our own: the tests move the mouse, and need nothing else on screen.
export TESSIVO_XVFB=1
source "$root/scripts/wine-env.sh"
StartWine
python3 "$root/tests/e2e/e2e.py" "$@"
