#!/usr/bin/env bash
# Configures and builds one tree: build/<arch>. Prints the tree's path last.
# Usage: build.sh [i686|x86_64]   (default: what this machine's Wine can run)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
arch=${1:-$VELKARO_RUN_ARCH}
tree=$root/build/$arch
cmake -S "$root" -B "$tree" -DVELKARO_ARCH="$arch" -DCMAKE_BUILD_TYPE=Release >"$root/build/configure-$arch.log" 2>&1 ||
  { cat "$root/build/configure-$arch.log" >&2; exit 1; }
cmake --build "$tree" -j"$(nproc)" >"$root/build/build-$arch.log" 2>&1 ||
  { tail -n 60 "$root/build/build-$arch.log" >&2; exit 1; }
echo "$tree"
