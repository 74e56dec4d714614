#!/usr/bin/env bash
# CI: both fuzz targets at the same time, each for a number of seconds
# (default 300), starting from the corpus kept in fuzz/corpus/<target>/. What
# they discover goes to a scratch folder, so the kept corpus is only read; a
# checksum of every kept input before and after the run proves it.
# Fails on any finding (crash, sanitizer report, leak, slow input, memory
# blow-up) or a changed corpus; the input that caused a finding is kept in
# build/fuzz/findings/.
# Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
targets=(parse_field row_reader)
scripts/deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
findings=build/fuzz/findings
mkdir -p "$findings"

corpus_sums() { find fuzz/corpus -type f -print0 | sort -z | xargs -0r sha256sum; }
corpus_sums >"$scratch/corpus.before"

pids=()
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target"
  "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" "$scratch/$target" "fuzz/corpus/$target" \
    >"$scratch/$target.log" 2>&1 &
  pids+=($!)
done

failed=()
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  status=0
  wait "${pids[$i]}" || status=$?
  stats=$(grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' \
    "$scratch/$target.log" | tr -s "\n " " ") || true
  echo "fuzz_$target: exit $status, $stats"
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$scratch/$target.log" >&2
    failed+=("$target")
  fi
done
if ! corpus_sums | diff "$scratch/corpus.before" - >"$scratch/corpus.diff"; then
  echo "fuzz: the run changed the kept corpus in fuzz/corpus:" >&2
  head -n 20 "$scratch/corpus.diff" >&2
  failed+=(corpus)
fi
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}; inputs in $findings/" >&2
  exit 1
fi
echo "fuzz: no finding in ${seconds}s per target"
