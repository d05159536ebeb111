# Sourced by the other scripts: a private Wine prefix under the build folder, a
# virtual display when none is given, and one wineserver kept alive for the run.
#   TESSIVO_BUILD  build folder (default: build under the checkout)
#   TESSIVO_XVFB=1 always start a private virtual display, even if DISPLAY is set
#   TESSIVO_LOCALE the locale Wine runs in (default ja_JP.UTF-8: code page 932; C.UTF-8
#                  gives code page 1252, as on a European Windows)
#   TESSIVO_DPI    the display scale, as the prefix's LogPixels (default 96; 144 is 150 %)
#   TESSIVO_UNMANAGED=1  Wine's windows unmanaged by X (the Windows tests; a window hidden waits
#                  for no window manager)
tessivo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Absolute: Wine refuses a relative prefix.
TESSIVO_BUILD=$(realpath -m "${TESSIVO_BUILD:-$tessivo_root/build}")
export WINEPREFIX=${WINEPREFIX:-$TESSIVO_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=${TESSIVO_LOCALE:-ja_JP.UTF-8}
export WINEARCH=win64
tessivo_xvfb_pid=

StartVirtualDisplay() {
  local n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  tessivo_xvfb_pid=$!
  export DISPLAY=:$n
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "virtual display :$n did not start" >&2
  return 1
}

StartWine() {
  if [ -z "${DISPLAY:-}" ] || [ "${TESSIVO_XVFB:-0}" = 1 ]; then
    StartVirtualDisplay
  fi
  mkdir -p "$WINEPREFIX"
  # A wineserver left from a run on another display would make wineboot hang.
  wineserver -k >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX (first time only)..."
  fi
  # The display scale the prefix's desktop begins with (none yet in a new prefix).
  local scale
  scale=$(awk '/^\[Control Panel\\\\Desktop\]/ { d = 1; next } /^\[/ { d = 0 }
    d && /^"LogPixels"=dword:/ { print substr($0, index($0, ":") + 1) }' \
    "$WINEPREFIX/user.reg" 2>/dev/null || true)
  wineserver -p >/dev/null 2>&1 # persistent for this run: each program starts quickly
  wineboot -i >/dev/null 2>&1 || true
  # A program that crashes ends at once instead of waiting in a crash dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1 || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${TESSIVO_DPI:-96}" \
    /f >/dev/null 2>&1 || true
  # With no window manager on the virtual display, each window that a managed program hides (a
  # message box closed) waits 2 s for one to withdraw it: the Windows tests run unmanaged. The
  # end-to-end tests keep them managed, so that X places each client area where Wine does.
  local managed=Y
  [ "${TESSIVO_UNMANAGED:-0}" != 1 ] || managed=N
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d $managed /f \
    >/dev/null 2>&1 || true
  # The Japanese glyphs through the default GUI font on any locale, as Windows links its
  # Japanese fonts to it.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1 || true
  # A desktop begun at another scale than LogPixels now gives: begun again, so that every process
  # works at one scale (a window moved from another process landed at two thirds of its place).
  if [ "$((16#${scale:-0}))" != "${TESSIVO_DPI:-96}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1
    wineboot >/dev/null 2>&1 || true
  fi
  trap StopWine EXIT
}

StopWine() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$tessivo_xvfb_pid" ]; then
    kill "$tessivo_xvfb_pid" 2>/dev/null || true
    wait "$tessivo_xvfb_pid" 2>/dev/null || true
  fi
}
