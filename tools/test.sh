#!/usr/bin/env bash
# Runs every test of the native tree, then every Windows test under Wine in
# one warm session, prints each runner's summary and a total, and fails if
# anything failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
export ZEL_BUILD=$build
log=$(mktemp)
trap 'rm -f "$log"; "$root/tools/wine/session" stop' EXIT
status=0

echo "== native tests (sanitized)"
ctest --test-dir "$build/native" -j "$(nproc)" --output-on-failure 2>&1 | tee -a "$log" | grep -v '^ *Start\|Passed' || true
[ "${PIPESTATUS[0]}" = 0 ] || status=1

echo "== Windows tests under Wine"
"$root/tools/wine/session" start
# One at a time: the tests share one screen and read its pixels back.
ctest --test-dir "$build/win64" --output-on-failure 2>&1 | tee -a "$log" | grep -v '^ *Start' || true
[ "${PIPESTATUS[0]}" = 0 ] || status=1

passed=0; failed=0
while read -r _ _ _ f _ _ _ _ n; do
  failed=$((failed + f)); passed=$((passed + n - f))
done < <(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log")
echo "total: $passed passed, $failed failed"
[ $failed = 0 ] || status=1
exit $status
