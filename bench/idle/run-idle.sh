#!/usr/bin/env bash
# Idle CPU cost of Velkaro.exe against bare_loop.exe (the same 10 ms wait and nothing
# else), measured one after the other, twice, so that each interval's wineserver time
# belongs to one program only.
# Usage: run-idle.sh <build-dir> [harness-dir]
#   Without a harness dir, a private desktop is brought up in <build-dir>/bench/idle/harness
#   and ended afterwards; a given one is reused and left running.
#   VELKARO_IDLE_SECONDS overrides the 20 s per interval; VELKARO_IDLE_BARE=window makes
#   the bare loop show a plain window first, as Velkaro does.
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
. "$src/scripts/wine-env.sh"

[ $# -ge 1 ] || { echo "usage: $0 <build-dir> [harness-dir]" >&2; exit 2; }
build=$(cd "$1" && pwd)
seconds=${VELKARO_IDLE_SECONDS:-20}
settle=3
bare_args=""
case "${VELKARO_IDLE_BARE:-}" in
'') ;;
window) bare_args=window ;;
*) echo "idle: VELKARO_IDLE_BARE must be unset or \"window\"" >&2; exit 2 ;;
esac
hz=$(getconf CLK_TCK)

for f in app/Velkaro.exe bench/idle/bare_loop.exe tests/harness/harness_anchor.exe; do
  [ -f "$build/$f" ] || { echo "idle: $build/$f missing; run cmake --build first" >&2; exit 2; }
done

own_harness=0
if [ $# -ge 2 ]; then
  harness=$(cd "$2" && pwd)
  [ -f "$harness/env" ] || { echo "idle: no running desktop in $harness" >&2; exit 2; }
else
  harness=$build/bench/idle/harness
  bash "$src/tests/harness/desktop.sh" up "$harness" "$build/tests/harness/harness_anchor.exe"
  own_harness=1
fi
. "$harness/env"

run=$(mktemp -d "$build/bench/idle/run.XXXXXX")
current_group=""
cleanup() {
  # A run cut short leaves its own process group behind; end exactly those members.
  if [ -n "$current_group" ]; then
    for pid in $(group_members "$current_group"); do kill -TERM "$pid" 2>/dev/null || true; done
    sleep 1
  fi
  rm -rf "$run"
  if [ "$own_harness" = 1 ]; then bash "$src/tests/harness/desktop.sh" down "$harness"; fi
}
trap cleanup EXIT

case "$run" in
*' '*) echo "idle: the build path must not contain spaces (it goes through cmd /c)" >&2; exit 2 ;;
esac
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

# Private copies: their Windows path names exactly the processes of this run.
cp "$build/app/Velkaro.exe" "$build/bench/idle/bare_loop.exe" "$run/"

# The wineserver of this prefix holds an fcntl lock on the lock file in its server
# folder, named after the prefix's device and inode; /proc/locks names the holder.
server_pid() {
  local name lock ino
  name=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for lock in /tmp/.wine-"$(id -u)"/"$name"/lock /tmp/wine-*/"$name"/lock; do
    [ -f "$lock" ] || continue
    ino=$(stat -c %i "$lock")
    awk -v ino="$ino" '{ n = split($6, d, ":"); if (d[n] == ino) print $5 }' /proc/locks
  done | head -n 1
}

# utime + stime (fields 14 and 15) of a process, in clock ticks.
ticks() {
  local line
  read -r line 2>/dev/null <"/proc/$1/stat" || return 1
  set -- ${line##*) }
  echo $((${12} + ${13}))
}

field() {
  local line n=$2
  read -r line 2>/dev/null <"/proc/$1/stat" || return 1
  set -- ${line##*) }
  eval "echo \${$n}"
}

# The member of process group $1 whose argv[0] is exactly $2.
find_in_group() {
  local s pid arg0
  for s in /proc/[0-9]*; do
    pid=${s#/proc/}
    [ "$(field "$pid" 3)" = "$1" ] || continue
    arg0=$(tr '\0' '\n' <"$s/cmdline" 2>/dev/null | head -n 1) || continue
    [ "$arg0" = "$2" ] && echo "$pid"
  done
  return 0
}

group_members() {
  local s
  for s in /proc/[0-9]*; do
    [ "$(field "${s#/proc/}" 3)" = "$1" ] && echo "${s#/proc/}"
  done
  return 0
}

group_alive() { [ -n "$(group_members "$1")" ]; }

now() { date +%s.%N; }

server=$(server_pid)
[ -n "$server" ] || { echo "idle: no wineserver found for $WINEPREFIX" >&2; exit 1; }

# measure <label> <exe name> <appdata dir or ""> [args] -> appends "label proc server secs" to $run/results
measure() {
  local label=$1 exe=$2 appdata=$3 args=${4:-} exe_win job group pid="" p0 s0 t0 p1 s1 t1 start
  exe_win="$(winpath "$run")\\$exe"
  if [ -n "$appdata" ]; then
    mkdir -p "$appdata"
    # Wine sets APPDATA from the user profile; only a Windows-side set overrides it.
    setsid "$VELKARO_WINE" cmd /c "set APPDATA=$(winpath "$appdata")&& $exe_win" >>"$run/wine.log" 2>&1 &
  else
    setsid "$VELKARO_WINE" cmd /c "$exe_win${args:+ $args}" >>"$run/wine.log" 2>&1 &
  fi
  job=$!
  # Until setsid has run, the child is still in this script's own group.
  group=""
  for _ in $(seq 1 100); do
    [ "$(field "$job" 3)" = "$job" ] && { group=$job; break; }
    sleep 0.05
  done
  [ -n "$group" ] || { echo "idle: wine did not start its own group: $(cat "$run/wine.log")" >&2; exit 1; }
  current_group=$group
  for _ in $(seq 1 300); do
    pid=$(find_in_group "$group" "$exe_win")
    [ -n "$pid" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] || { echo "idle: $exe did not start" >&2; exit 1; }
  if [ -n "$appdata" ]; then
    for _ in $(seq 1 150); do
      [ -f "$appdata/Quorvin/Velkaro/Programm.ini" ] && break
      sleep 0.1
    done
    [ -f "$appdata/Quorvin/Velkaro/Programm.ini" ] ||
      { echo "idle: $exe did not write its settings into $appdata" >&2; exit 1; }
    echo "idle: $label (linux pid $pid) made its settings in the fresh APPDATA $(winpath "$appdata")"
  fi
  start=$(field "$pid" 20)
  sleep "$settle"
  p0=$(ticks "$pid"); s0=$(ticks "$server"); t0=$(now)
  sleep "$seconds"
  p1=$(ticks "$pid"); s1=$(ticks "$server"); t1=$(now)
  [ "$(field "$pid" 20)" = "$start" ] || { echo "idle: $exe ended during the interval" >&2; exit 1; }
  kill -TERM "$pid"
  for _ in $(seq 1 100); do
    group_alive "$group" || break
    sleep 0.1
  done
  if group_alive "$group"; then
    echo "idle: $exe's wrapper did not end; it stays in process group $group" >&2
  else
    wait "$job" 2>/dev/null || true
    current_group=""
  fi
  echo "$label $((p1 - p0)) $((s1 - s0)) $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", b - a }')" >>"$run/results"
}

echo "idle: ${seconds} s per interval, Velkaro and the bare loop${bare_args:+ (with a window)} in turn, wineserver pid $server"
for round in 1 2; do
  measure "velkaro$round" Velkaro.exe "$run/appdata$round"
  measure "bare$round" bare_loop.exe "" "$bare_args"
done

awk -v hz="$hz" -v secs="$seconds" '
  function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "n/a" }
  function verdict(a, b) { return (b > 0 && a / b <= 1.2) ? "met" : "NOT met" }
  {
    round = substr($1, length($1)); kind = substr($1, 1, length($1) - 1)
    proc[kind, round] = $2; srv[kind, round] = $3
    tp[kind] += $2; ts[kind] += $3
    printf "%-8s round %s  process %4d ticks  wineserver %4d ticks  process+server %4d ticks  (%.1f%% CPU over %s s)\n",
      kind, round, $2, $3, $2 + $3, 100 * ($2 + $3) / hz / $4, $4
  }
  END {
    printf "\nclock ticks per second: %d\n", hz
    for (r = 1; r <= 2; r++)
      printf "round %d  Velkaro/bare: process %s, process+server %s\n", r,
        ratio(proc["velkaro", r], proc["bare", r]),
        ratio(proc["velkaro", r] + srv["velkaro", r], proc["bare", r] + srv["bare", r])
    printf "both     Velkaro/bare: process %s, process+server %s\n",
      ratio(tp["velkaro"], tp["bare"]), ratio(tp["velkaro"] + ts["velkaro"], tp["bare"] + ts["bare"])
    printf "goal: ratio <= 1.2 -> process %s, process+server %s\n",
      verdict(tp["velkaro"], tp["bare"]), verdict(tp["velkaro"] + ts["velkaro"], tp["bare"] + ts["bare"])
  }' "$run/results"
