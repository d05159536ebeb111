#!/usr/bin/env bash
# Builds the fuzz targets of the platform-free decoding with libFuzzer, AddressSanitizer
# and UBSan, and runs each for a bounded time.
#   tests/fuzz/run.sh [SECONDS]   seconds per target (default: FUZZ_SECONDS, else 10)
#   FUZZ_BUILD                    output folder (default build/fuzz); its corpora grow
#                                 from run to run
# A finding stops the run with a non-zero status and leaves the input that caused
# it in the output folder.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-${FUZZ_SECONDS:-10}}
out=$(realpath -m "${FUZZ_BUILD:-build/fuzz}")
mkdir -p "$out"

flags=(-std=c++17 -g -O1 -Wall -Wextra -Isrc
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -DTESSIVO_SIMULATOR_HOST=\"simulator.invalid\")

declare -A sources=(
  [region_message]="src/config/region_message.cpp src/state.cpp"
  [link_text]="src/record/link_text.cpp src/state.cpp"
)

# A few valid inputs to start from: a record that resizes, one that only moves, a
# round trip of large values, and records that fit the link text and overflow it.
Seed() {
  mkdir -p "$out/corpus/$1"
  printf "$3" >"$out/corpus/$1/$2"
}
Seed region_message resize '\x64\x00\xc8\x00\x78\x00\x3c\x00\x01'
Seed region_message move '\xf6\xff\x14\x00\x00\x00\x00\x00\x00\xaa'
Seed region_message wide '\xff\xff\xff\x7f\x00\x00\x00\x80\x00\x80\x00\x00\x10\x00\x00\x00\x01'
Seed link_text one '\x00\x00\x01\x02'
Seed link_text fits '\xef\x01\x01\x02\x03\x04'
Seed link_text overflows '\x00\x04\x05\x05\x00\x06\xf8\xff'

for target in region_message link_text; do
  clang++ "${flags[@]}" "tests/fuzz/${target}_fuzz.cpp" ${sources[$target]} \
    -o "$out/${target}_fuzz"
  log="$out/${target}_fuzz.log"
  if ! "$out/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$out/${target}_" "$out/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz ${target}: FAILED, see $log and the input saved in $out" >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$')
  corpus=$(ls "$out/corpus/$target" | wc -l)
  echo "fuzz ${target}: ${runs} executions in ${seconds} s (${rate}/s), corpus ${corpus}, no finding"
done
