#!/usr/bin/env bash
# Runs the Convert fuzzer for SECONDS (default 60) from a copy of the seed corpus;
# fails when the fuzzer finds a crash, a leak or undefined behaviour.
set -euo pipefail
SECONDS_TO_RUN=${1:-60}
cd "$(dirname "$0")/.."
FUZZER=${FUZZER:-build-fuzz/bin/quodra-fuzz-convert}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts"
cp fuzz/corpus/* "$work/corpus/"
set +e
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  "$FUZZER" -max_total_time="$SECONDS_TO_RUN" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" 2>&1 | tail -n 25
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/artifacts")" ]; then
  echo "fuzzing found a failure; inputs:" >&2
  ls -l "$work/artifacts" >&2
  mkdir -p build-fuzz/crashes && cp "$work/artifacts/"* build-fuzz/crashes/ 2>/dev/null || true
  exit 1
fi
echo "fuzzing for $SECONDS_TO_RUN s found nothing"
