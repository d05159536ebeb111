#!/usr/bin/env bash
# Builds the benchmark program for Windows, runs it under Wine and prints one
# table. Absolute times depend on the machine; compare the ratios, each measured
# within one run.
#   TESSIVO_BUILD      build root holding the Wine prefix (default build)
#   TESSIVO_WIN_BUILD  cross build folder (default $TESSIVO_BUILD/win64)
#   BENCH_SECONDS      span of each running-program measurement (default 10)
#   BENCH_PAIRS        record sizes of the running program (default "0 2000")
#   BENCH_BASELINE     a git revision: its tessivo.exe is built aside and measured at rest in
#                      the same run, turn about with this one's and the copy-only program's
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

# The Linux process of this prefix's program (tessivo or copy_only), and its user plus system
# time in clock ticks (fields 14 and 15 of its stat, counted after the name).
ProgramProcess() {
  for pid in $(pgrep -f "$1\\.exe"); do
    grep -qxzF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && echo "$pid" && return
  done
  echo "$1.exe of $WINEPREFIX not found in /proc" >&2
}
ProcessTicks() { cut -d')' -f2 "/proc/$1/stat" | awk '{ print $12 + $13 }'; }

echo "| Benchmark | Case | Time | Ratio |"
echo "| --- | --- | --- | --- |"
(cd "$TESSIVO_BUILD" && wine "$win_build/bin/bench.exe") | tr -d '\r' # Windows line ends

# The running program: bench.exe starts it and marks each span ("# begin PAIRS",
# "# end PAIRS SECONDS"); its processor time over the span comes from /proc. Each share of a
# core is also kept in $shares, a line "program label share" each.
hz=$(getconf CLK_TCK) shares=$(mktemp)
Measure() { # what the rows add, the folder of bench.exe, then its arguments after SECONDS
  local label=$1 bin=$2 pid='' mark what pairs span before program=tessivo; shift 2
  [ "${1:-}" != copy ] || program=copy_only
  wine "$bin/bench.exe" run "${BENCH_SECONDS:-10}" "$@" |
  while IFS= read -r line; do
    line=${line%$'\r'} # stripped here: a filter such as tr would hold the marks back
    read -r mark what pairs span <<<"$line"
    if [ "$mark" != "#" ]; then
      echo "$line"
    elif [ "$what" = begin ]; then
      pid=$(ProgramProcess $program) && [ -n "$pid" ] && before=$(ProcessTicks "$pid")
    elif [ -n "$pid" ]; then
      awk -v used=$(($(ProcessTicks "$pid") - before)) -v hz="$hz" -v span="$span" -v n="$pairs" \
        -v label="$label" -v program=$program -v shares="$shares" 'BEGIN { share = used * 100 / hz / span
        what = program == "copy_only" ? "copy_only.exe, the region copied every 24 ms and nothing else" \
          : sprintf("tessivo.exe, %d pairs", n)
        printf "| running program | %s%s, CPU time over %.0f s | %.0f ms | %.2f%% of one core |\n",
          what, label, span, used * 1000 / hz, share
        printf "%s %s %f\n", program, (label ~ /\(/ ? "baseline" : "this"), share >>shares }'
    fi
  done; }
Measure "" "$win_build/bin" ${BENCH_PAIRS:-0 2000}
Measure ", auto capture on" "$win_build/bin" auto 0
# At rest with 40 pairs, against the floor under it, the copy-only program, turn about so that
# all see the same machine; and the build before, if given. Then each one's mean share.
: >"$shares"
for turn in 1 2; do
  [ -z "${BENCH_BASELINE:-}" ] || Measure " ($BENCH_BASELINE), at rest, turn $turn" "$baseline/build/bin" 40
  Measure ", at rest, turn $turn" "$win_build/bin" 40
  Measure ", turn $turn" "$win_build/bin" copy 0
done
awk '{ sum[$1 " " $2] += $3; n[$1 " " $2]++ }
  END { floor = sum["copy_only this"] / n["copy_only this"]
    for (k in sum) { split(k, p, " "); mean = sum[k] / n[k]
      name = p[1] == "copy_only" ? "copy_only.exe, the floor" : "tessivo.exe, 40 pairs at rest" (p[2] == "baseline" ? " (" base ")" : "")
      printf "| running program | %s, mean of the turns | %.2f%% of one core | x%.2f of the floor |\n", name, mean, mean / floor } }' \
  base="${BENCH_BASELINE:-}" "$shares" | sort
rm -f "$shares"

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
