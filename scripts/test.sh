#!/usr/bin/env bash
# Sets up this machine, builds Velkaro and runs the whole test suite under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
mkdir -p "$root/build"

status=0
# The shipped program is always the 32-bit build.
ship=$("$root/scripts/build.sh" i686)
if [ "$VELKARO_RUN_ARCH" = i686 ]; then
  (cd "$ship" && ctest --output-on-failure) || status=1
else
  echo "test: this kernel cannot run 32-bit programs; checking the 32-bit Velkaro.exe statically and"
  echo "test: running the suite on the x86_64 build of the same sources."
  (cd "$ship" && ctest --output-on-failure -L ship) || status=1
  run=$("$root/scripts/build.sh" x86_64)
  (cd "$run" && ctest --output-on-failure) || status=1
fi
exit $status
