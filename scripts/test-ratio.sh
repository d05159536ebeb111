#!/usr/bin/env bash
# Prints the size of the tests against the size of the product code, in non-blank
# lines: every file under tests/ against the .cpp, .h and .rc files under src/ and
# brimlet/. Fails when the tests pass a third of the product code.
set -euo pipefail
cd "$(dirname "$0")/.."
Count() { cat "$@" | grep -cv '^[[:space:]]*$'; }
product=$(Count $(find src brimlet -name '*.cpp' -o -name '*.h' -o -name '*.rc'))
tests=$(Count $(find tests -type f))
for layer in tests/*/; do
  printf '  %-12s %5d\n' "$layer" "$(Count $(find "$layer" -type f))"
done
printf '  %-12s %5d\n' "tests/" "$tests" "product" "$product"
percent=$((100 * tests / product))
echo "tests are ${percent}% of the product code (at most 33%)"
[ $((3 * tests)) -le "$product" ]
