#!/usr/bin/env bash
# Runs every test of the native tree, then every Windows test under Wine: the
# win64 and win32 suites side by side, each in a warm session of its own.
# Prints each runner's summary and a total, and fails if anything failed.
# Where 32-bit programs cannot run (setup wrote BUILD/no-32bit), the win32
# suite is not run, and one line and the total's skipped count say so.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
export ZEL_BUILD=$build
logs=$(mktemp -d)
stop_sessions() {
  "$root/tools/wine/session" stop
  ZEL_SESSION=win32 "$root/tools/wine/session" stop
}
trap 'stop_sessions; rm -rf "$logs"' EXIT
status=0

echo "== native tests (sanitized)"
ctest --test-dir "$build/native" -j "$(nproc)" --no-tests=error --output-on-failure 2>&1 |
  tee "$logs/native" | grep -v '^ *Start\|Passed' || true
[ "${PIPESTATUS[0]}" = 0 ] || status=1

no32=$(cat "$build/no-32bit" 2>/dev/null)
trees=(win64)
[ -z "$no32" ] && trees+=(win32)

# The tests of one suite run one at a time: they share a screen and read its
# pixels back. Two suites share nothing when each has its own session (own
# display, prefix and wineserver), and most of their time is spent waiting on
# messages and timers, so side by side they take about half as long.
suite() {
  local tree=$1 session=
  [ "$tree" = win32 ] && session=win32
  export ZEL_SESSION=$session
  "$root/tools/wine/session" start || { echo "session for $tree did not start"; return 1; }
  ctest --test-dir "$build/$tree" --no-tests=error --output-on-failure
}
for tree in "${trees[@]}"; do
  suite "$tree" >"$logs/$tree" 2>&1 &
  echo $! >"$logs/$tree.pid"
done
for tree in "${trees[@]}"; do
  wait "$(cat "$logs/$tree.pid")" || status=1
  echo "== $tree tests under Wine"
  grep -v '^ *Start' "$logs/$tree"
done

skipped=0
if [ -n "$no32" ]; then
  echo "win32 tests not run: $no32"
  skipped=$(ctest --test-dir "$build/win32" -N 2>/dev/null | sed -n 's/^Total Tests: //p')
  [ "${skipped:-0}" -gt 0 ] || skipped=1
fi

passed=0; failed=0
while read -r _ _ _ f _ _ _ _ n; do
  failed=$((failed + f)); passed=$((passed + n - f))
done < <(cat "$logs"/native "${trees[@]/#/$logs/}" |
  grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+')
if [ "$skipped" -gt 0 ]; then
  echo "total: $passed passed, $failed failed, $skipped skipped"
else
  echo "total: $passed passed, $failed failed"
fi
[ $failed = 0 ] || status=1
exit $status
