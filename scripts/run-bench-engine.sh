#!/usr/bin/env bash
# Runs the engine benchmark and measures the peak memory of quodra-convert on a
# generated 10 MB SQL file (/usr/bin/time -v). BUILD selects the build tree.
set -euo pipefail
BUILD=${BUILD:-build}
cd "$(dirname "$0")/.."
"$BUILD/bin/quodra-bench-engine" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$BUILD/bin/quodra-bench-engine" --write-sql "$tmp/10mb.sql" $((10 << 20))
/usr/bin/time -v "$BUILD/bin/quodra-convert" --recognize-sql "$tmp/10mb.sql" >/dev/null 2>"$tmp/time.txt"
echo "quodra-convert on 10 MB: $(grep -E 'Maximum resident' "$tmp/time.txt" | sed 's/^\s*//'), $(grep -E 'Elapsed' "$tmp/time.txt" | sed 's/^\s*//')"
