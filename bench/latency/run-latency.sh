#!/usr/bin/env bash
# Runs latency_bench.exe in a harness desktop.
# Usage: run-latency.sh <build-dir> [harness-dir [--interleave]]
#   Without a harness dir, a private desktop is brought up in <build-dir>/bench/latency/harness
#   and ended afterwards; a given one is reused and left running.
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 <build-dir> [harness-dir [--interleave]]" >&2; exit 2; }
build=$(cd "$1" && pwd)
if [ $# -ge 2 ]; then
  harness=$(cd "$2" && pwd)
else
  harness=$build/bench/latency/harness
  bash "$src/tests/harness/desktop.sh" up "$harness" "$build/tests/harness/harness_anchor.exe"
  trap 'bash "$src/tests/harness/desktop.sh" down "$harness"' EXIT
fi
# The program finds Velkaro.exe and the recorder from its own place in the build tree.
bash "$src/scripts/wine-run.sh" "$harness" "$build/bench/latency/latency_bench.exe" "${@:3}"
