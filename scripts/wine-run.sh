#!/usr/bin/env bash
# ctest's emulator: runs a Windows program under Wine in the harness desktop.
# Usage: wine-run.sh <harness-dir> <program.exe> [args...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
harness=$1; shift
if [ ! -f "$harness/env" ]; then
  echo "wine-run: no harness desktop in $harness (run the harness.up test first)" >&2
  exit 125
fi
. "$harness/env"
exec "$VELKARO_WINE" "$@"
