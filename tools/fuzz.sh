#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz tree for a while over its seed
# corpus (tests/fuzz/corpus/<name>/ for the target <name>_fuzzer). New inputs
# go to a scratch corpus under the fuzz tree, never into the source tree.
#   fuzz.sh FUZZ_TREE SECONDS
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(realpath -m "$1")
seconds=$2
status=0
shopt -s nullglob
for fuzzer in "$tree"/tests/fuzz/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  scratch=$tree/corpus/$name
  mkdir -p "$scratch" "$tree/artifacts/$name"
  echo "== $name: $seconds s"
  if ! "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$tree/artifacts/$name/" "$scratch" "$root/tests/fuzz/corpus/$name" \
        >"$tree/$name.log" 2>&1; then
    status=1
    tail -30 "$tree/$name.log"
  fi
  grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$tree/$name.log" | tail -2 || true
done
exit $status
