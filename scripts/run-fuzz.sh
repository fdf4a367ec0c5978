#!/usr/bin/env bash
# Runs the engine's fuzz target for SECONDS (default 60) from a copy of the seed
# corpus; exits non-zero when the fuzzer finds a crash, a hang or a leak.
set -euo pipefail
SECONDS_TO_RUN=${1:-60}
cd "$(dirname "$0")/.."
FUZZER=build-fuzz/bin/quodra-fuzz-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/* "$work/"
mkdir -p "$work/artifacts"
echo "Fuzzing the engine for ${SECONDS_TO_RUN} s"
"$FUZZER" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work" 2>"$work/log" || {
    tail -n 60 "$work/log"
    echo "fuzzing found a failure; artifacts:"; ls -l "$work/artifacts"
    exit 1
}
grep -E "^(stat::number_of_executed_units|Done)" "$work/log" || tail -n 3 "$work/log"
echo "fuzzing: no failure"
