#!/usr/bin/env bash
# Builds the preference-file fuzzer natively and runs it over the seed corpus,
# then over a bounded number of new inputs. Exits non-zero on any finding.
# Usage: run-fuzz.sh <workdir> [extra-runs [max-seconds]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=${1:?usage: run-fuzz.sh <workdir> [extra-runs]}
runs=${2:-200000}
# The suite's run stays short; a longer one passes its own limit.
seconds=${3:-40}
mkdir -p "$work"
work=$(cd "$work" && pwd)

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I "$root" \
  "$root/settings/ini_core.cpp" "$here/ini_fuzz.cpp" -o "$work/ini_fuzz"

# New inputs that the run finds go into this copy, never into the repository.
rm -rf "$work/corpus"
cp -r "$here/corpus" "$work/corpus"

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
cd "$work"
echo "ini_fuzz: seeds"
./ini_fuzz -artifact_prefix="$work/" "$here"/corpus/*
echo "ini_fuzz: $runs new inputs"
./ini_fuzz -runs="$runs" -max_len=4096 -timeout=10 -max_total_time="$seconds" -print_final_stats=1 \
  -dict="$here/ini.dict" -artifact_prefix="$work/" "$work/corpus"
