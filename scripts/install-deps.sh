#!/usr/bin/env bash
# Installs what building and testing Tessivo needs on Debian (run as root).
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev googletest            # host build and its tests
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64  # cross build
  wine wine64                                              # runs the Windows programs
  xvfb xdotool xclip x11-utils imagemagick                 # virtual display, input, screenshots
  locales fonts-ipafont-gothic                             # Japanese texts under Wine
  zip unzip file python3                                  # packaging, the end-to-end driver
  ffmpeg                                                   # decodes the real films the watch is measured on
  chromium                                                 # the history page the benchmarks show
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
