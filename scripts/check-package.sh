#!/usr/bin/env bash
# Builds the Windows download (a ZIP) and checks it as a user gets it: its
# contents, that the programs need no DLLs beside them, and that both start from
# an unpacked copy and close cleanly. Expects StartWine (scripts/wine-env.sh) to
# have run in the calling shell, or runs it itself.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
export TESSIVO_BUILD=${TESSIVO_BUILD:-$root/build}
if [ -z "${WINEPREFIX:-}" ] || ! pgrep -f "wineserver.* -p" >/dev/null; then
  source scripts/wine-env.sh
  StartWine
fi

passed=0
failed=0
Check() { # name, then a command that succeeds when the check holds
  local name=$1; shift
  if "$@"; then echo "PASS package: $name"; passed=$((passed + 1))
  else echo "FAIL package: $name"; failed=$((failed + 1)); fi
}

(cd build/win64 && cpack >/dev/null)
zip=$(ls build/win64/Tessivo-*-win64.zip)
unpacked=$TESSIVO_BUILD/package-check
rm -rf "$unpacked" && mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
folder=$(ls -d "$unpacked"/Tessivo-*)
echo "contents of $(basename "$zip"):"
(cd "$folder" && LC_ALL=C ls -l | sed 's/^/    /')

Check "holds the two programs, the sample settings and the guide" \
  test "$(cd "$folder" && ls | sort | tr '\n' ' ')" = "Brimlet.exe GUIDE.txt setting.ini tessivo.exe "
OnlySystemDlls() {
  ! x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/.*DLL Name: //p' |
    grep -viqE '^(kernel32|user32|gdi32|msvcrt)\.dll$'
}
Check "tessivo.exe needs only system DLLs" OnlySystemDlls "$folder/tessivo.exe"
Check "Brimlet.exe needs only system DLLs" OnlySystemDlls "$folder/Brimlet.exe"
Check "tessivo.exe is a windowed program" \
  bash -c "x86_64-w64-mingw32-objdump -p '$folder/tessivo.exe' | grep -q 'Windows GUI'"
Check "tessivo.exe asks to run as the invoker" \
  grep -q 'level="asInvoker" uiAccess="false"' "$folder/tessivo.exe"

WaitForWindow() { # name pattern; succeeds once such a window is mapped
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
StartsAndClosesCleanly() { # program, window title pattern
  local program=$1 title=$2 code
  (cd "$folder" && exec wine "$program" >/dev/null 2>&1) &
  local pid=$!
  WaitForWindow "$title" || { kill "$pid" 2>/dev/null; return 1; }
  # taskkill without /F asks the program's windows to close, as a user would.
  wine taskkill /IM "$program" >/dev/null 2>&1
  code=0
  wait "$pid" || code=$?
  [ "$code" = 0 ]
}
Check "tessivo.exe starts from the unpacked copy and exits with 0" \
  StartsAndClosesCleanly tessivo.exe '^Tessivo$'
Check "Brimlet.exe starts from the unpacked copy and exits with 0" \
  StartsAndClosesCleanly Brimlet.exe ', .* x '

echo "package: $passed passed, $failed failed"
[ "$failed" = 0 ]
