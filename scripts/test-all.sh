#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then configures, builds and tests every preset,
# and runs the static analysis and the check of reproducible releases. Exits
# non-zero when any of them fails; ends with each one's summary and the
# total.
set -uo pipefail
cd "$(dirname "$0")/.."

# The browser test of "wasm" compares the page with the tool of "default".
presets=(default wasm asan tsan fuzz coverage windows-x86 windows-x64)

scripts/install-deps.sh || exit 1
for project in tests/browser tests/npm; do
  npm ci --prefix "$project" --no-audit --no-fund || exit 1
done

summary=()
passed=0
failed=0
skipped_total=0
status=0
for preset in "${presets[@]}"; do
  echo "=== $preset"
  log="build/$preset-ctest.log"
  mkdir -p build
  if [ "$preset" = coverage ]; then
    find build/coverage -name '*.gcda' -delete 2>/dev/null
  fi
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
    summary+=("$preset: build failed")
    status=1
    continue
  fi
  # This compiler's ThreadSanitizer now and then fails to map its shadow
  # memory when a program starts at a randomised address ("failed to
  # allocate ... bytes"); its tests run with address randomisation off.
  runner=()
  if [ "$preset" = tsan ]; then runner=(setarch "$(uname -m)" -R); fi
  "${runner[@]}" ctest --preset "$preset" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ "$preset" = coverage ]; then
    scripts/coverage-report.sh | tee build/coverage-summary.txt || status=1
  fi
  if [ -z "$line" ]; then
    summary+=("$preset: no test summary")
    status=1
    continue
  fi
  skipped=$(grep -c '\*\*\*Skipped' "$log")
  total=$(echo "$line" | sed -E 's/.* out of ([0-9]+)/\1/')
  bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
  passed=$((passed + total - bad - skipped))
  failed=$((failed + bad))
  skipped_total=$((skipped_total + skipped))
  if [ "$skipped" -gt 0 ]; then line="$line ($skipped skipped)"; fi
  summary+=("$preset: $line")
done

# Checks of the whole tree beyond the presets' tests, each passed or failed
# as one: static analysis, the licence in every source file, and two release
# builds that must be the same bytes.
for check in analyse check-licence check-reproducible; do
  echo "=== $check"
  if scripts/$check.sh; then
    summary+=("$check: passed")
    passed=$((passed + 1))
  else
    summary+=("$check: FAILED")
    failed=$((failed + 1))
    status=1
  fi
done

echo "=== summary"
if [ -f build/coverage-summary.txt ]; then
  grep -E '^(lines|branches):' build/coverage-summary.txt
fi
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed, $skipped_total skipped"
exit $status
