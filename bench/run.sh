#!/usr/bin/env bash
# Builds the benchmark program for Windows, runs it under Wine and prints one
# table. Absolute times depend on the machine; compare the ratios, each measured
# within one run.
#   TESSIVO_BUILD      build root holding the Wine prefix (default build)
#   TESSIVO_WIN_BUILD  cross build folder (default $TESSIVO_BUILD/win64)
#   BENCH_SECONDS      span of each running-program measurement (default 10)
#   BENCH_PAIRS        record sizes of the running program (default "0 2000")
#   BENCH_BASELINE     a git revision: its tessivo.exe is built aside and measured idle in
#                      the same run, turn about with this one's, for a before-and-after figure
set -euo pipefail
cd "$(dirname "$0")/.."
win_build=$(realpath -m "${TESSIVO_WIN_BUILD:-${TESSIVO_BUILD:-build}/win64}")
if [ ! -f "$win_build/CMakeCache.txt" ]; then
  cmake -S . -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build "$win_build" --target bench >/dev/null # and tessivo, which it starts
if [ -n "${BENCH_BASELINE:-}" ]; then # its program beside a copy of bench.exe, which starts it
  baseline=$(realpath -m "${TESSIVO_BUILD:-build}/bench-baseline")
  rm -rf "$baseline/source"; git worktree prune
  git worktree add -f --detach "$baseline/source" "$BENCH_BASELINE" >/dev/null 2>&1
  cmake -S "$baseline/source" -B "$baseline/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$baseline/build" --target tessivo >/dev/null
  cp "$win_build/bin/bench.exe" "$baseline/build/bin/"
fi
source scripts/wine-env.sh # makes TESSIVO_BUILD absolute, as Wine wants
StartWine

# The Linux process of this prefix's tessivo.exe, and its user plus system time
# in clock ticks (fields 14 and 15 of its stat, counted after the name).
TessivoProcess() {
  for pid in $(pgrep -f 'tessivo\.exe'); do
    grep -qxzF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && echo "$pid" && return
  done
  echo "tessivo.exe of $WINEPREFIX not found in /proc" >&2
}
ProcessTicks() { cut -d')' -f2 "/proc/$1/stat" | awk '{ print $12 + $13 }'; }

echo "| Benchmark | Case | Time | Ratio |"
echo "| --- | --- | --- | --- |"
(cd "$TESSIVO_BUILD" && wine "$win_build/bin/bench.exe") | tr -d '\r' # Windows line ends

# The running program: bench.exe starts it and marks each span ("# begin PAIRS",
# "# end PAIRS SECONDS"); its processor time over the span comes from /proc.
hz=$(getconf CLK_TCK)
Measure() { # what the rows add, the folder of bench.exe, then its arguments after SECONDS
  local label=$1 bin=$2 pid='' mark what pairs span before; shift 2
  wine "$bin/bench.exe" run "${BENCH_SECONDS:-10}" "$@" |
  while IFS= read -r line; do
    line=${line%$'\r'} # stripped here: a filter such as tr would hold the marks back
    read -r mark what pairs span <<<"$line"
    if [ "$mark" != "#" ]; then
      echo "$line"
    elif [ "$what" = begin ]; then
      pid=$(TessivoProcess) && [ -n "$pid" ] && before=$(ProcessTicks "$pid")
    elif [ -n "$pid" ]; then
      awk -v used=$(($(ProcessTicks "$pid") - before)) -v hz="$hz" -v span="$span" -v n="$pairs" \
        -v label="$label" 'BEGIN { printf "| running program | tessivo.exe, %d pairs%s, CPU time " \
        "over %.0f s | %.0f ms | %.1f%% of one core |\n", n, label, span, used * 1000 / hz,
        used * 100 / hz / span }'
    fi
  done; }
Measure "" "$win_build/bin" ${BENCH_PAIRS:-0 2000}
Measure ", auto capture on" "$win_build/bin" auto 0
if [ -n "${BENCH_BASELINE:-}" ]; then # idle, turn about, so that both see the same machine
  for turn in 1 2; do
    Measure " ($BENCH_BASELINE), turn $turn" "$baseline/build/bin" 0
    Measure ", turn $turn" "$win_build/bin" 0
  done
fi

# Chromium showing the history's page that bench.exe left in the build folder, headless, to a
# screenshot of 1200 x 900: against its start-up on an empty page, the median of 3 runs each.
# Last: a pause with no Windows program running makes the next start of one slow under Wine.
Shown() { for run in 1 2 3; do local start=$(date +%s%N)
    chromium --headless --no-sandbox --disable-gpu --window-size=1200,900 \
      --screenshot="$TESSIVO_BUILD/history-bench.png" "$1" >/dev/null 2>&1
    echo $((($(date +%s%N) - start) / 1000000)); done | sort -n | sed -n 2p; }
blank=$(Shown about:blank) page=$(Shown "file://$TESSIVO_BUILD/history-bench.html")
echo "| history | Chromium on an empty page: its start-up | $blank ms | |"
echo "| history | Chromium showing the page of 1,000 games | $page ms | $((page - blank)) ms more |"
