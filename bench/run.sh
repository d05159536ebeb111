#!/usr/bin/env bash
# Builds the benchmark programs for Windows, runs them under Wine and prints one
# table. Absolute times depend on the machine; compare the ratios, each measured
# within one run.
#   TESSIVO_WIN_BUILD  cross build folder (default build/win64, the win64 preset's)
#   TESSIVO_BUILD      build root holding the Wine prefix (default build)
#   BENCH_SECONDS      span of each running-program measurement (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
win_build=$(realpath -m "${TESSIVO_WIN_BUILD:-$root/build/win64}")
seconds=${BENCH_SECONDS:-10}

if [ ! -f "$win_build/CMakeCache.txt" ]; then
  cmake -S . -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build "$win_build" --target bench_capture bench_paint bench_tick bench_load >/dev/null

export TESSIVO_BUILD=$(realpath -m "${TESSIVO_BUILD:-$root/build}") # Wine wants it absolute
source scripts/wine-env.sh
StartWine
bin=$win_build/bin

# User plus system time of a process and all its threads, in clock ticks; 0 when
# the process is gone.
ProcessTicks() {
  local fields
  if [ -n "$1" ] && fields=$(cut -d')' -f2 "/proc/$1/stat" 2>/dev/null); then
    awk '{ print $12 + $13 }' <<<"$fields"
  else
    echo 0
  fi
}

# The first process of this Wine prefix whose command line contains the text.
PrefixProcess() {
  local pid
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    { tr '\0' '\n' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qF -- "$1" || continue
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" ||
      continue
    echo "$pid"
    return 0
  done
}

ticks_per_second=$(getconf CLK_TCK)
wineserver_pid=$(PrefixProcess wineserver || true)
xvfb_pid=${tessivo_xvfb_pid:-}
tessivo_path="Z:$(tr / '\\' <<<"$bin/tessivo.exe")"

echo "| Benchmark | Case | Time | Ratio |"
echo "| --- | --- | --- | --- |"
# The programs write Windows line ends.
wine "$bin/bench_capture.exe" | tr -d '\r'
wine "$bin/bench_paint.exe" | tr -d '\r'
wine "$bin/bench_tick.exe" | tr -d '\r'


# The running program: bench_load marks each measured span; the processes' times
# over it come from the system, for the program and for the servers it keeps busy.
names=("tessivo.exe" "the display server (Xvfb)" "the Wine server")
wine "$bin/bench_load.exe" "$seconds" 0 40 2000 | while IFS= read -r line; do
  line=${line%$'\r'}
  case "$line" in
    "# measure begin "*)
      pairs=${line#\# measure begin }
      pids=("$(PrefixProcess "$tessivo_path" || true)" "$xvfb_pid" "$wineserver_pid")
      before=()
      for pid in "${pids[@]}"; do before+=("$(ProcessTicks "$pid")"); done
      ;;
    "# measure end "*)
      span=$(cut -d' ' -f5 <<<"$line")
      for i in 0 1 2; do
        [ -n "${pids[$i]}" ] || continue
        used=$(( $(ProcessTicks "${pids[$i]}") - before[i] ))
        awk -v used="$used" -v hz="$ticks_per_second" -v span="$span" \
            -v what="${names[$i]}, $pairs pairs, CPU time over ${span%.*} s" \
          'BEGIN { printf "| running program | %s | %.0f ms | %.1f%% of one core |\n",
                   what, used * 1000 / hz, used * 100 / hz / span }'
      done
      ;;
    "# "*) ;;
    *) echo "$line" ;;
  esac
done
