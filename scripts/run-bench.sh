#!/usr/bin/env bash
# Runs the benchmarks of a built tree (build/ by default): the engine's
# conversion throughput and the CLI's peak memory, then the window's latencies.
set -euo pipefail
BUILD=${BUILD:-build}
cd "$(dirname "$0")/.."
BUILD="$BUILD" bash scripts/run-bench-engine.sh
if [ -x "$BUILD/bin/quodra-bench-gui" ]; then
  xvfb-run -a -s "-screen 0 1920x1080x24" "$BUILD/bin/quodra-bench-gui"
fi
