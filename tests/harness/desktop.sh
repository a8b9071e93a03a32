#!/usr/bin/env bash
# Brings up (or down) the private Windows desktop that every test of a run shares:
# an Xvfb display, a fresh WINEPREFIX in the build tree, Wine's shell desktop with
# its taskbar, and an anchor program that keeps that desktop alive.
# Usage: desktop.sh up <harness-dir> <anchor.exe> | desktop.sh down <harness-dir>
# VELKARO_USE_DISPLAY=1 puts the desktop on $DISPLAY instead of a private Xvfb;
# VELKARO_KEEP_PREFIX=1 keeps an existing prefix (and the settings in it).
# Only processes started here are ended: Xvfb by PID, Wine by its own prefix.
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/scripts/wine-env.sh"
cmd=$1
# Wine wants an absolute prefix.
dir=$(mkdir -p "$2" && cd "$2" && pwd)
prefix=$dir/prefix

down() {
  if [ -d "$prefix" ]; then
    WINEPREFIX=$prefix "$VELKARO_WINESERVER" -k 2>/dev/null || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
  rm -f "$dir/env"
}

case "$cmd" in
down)
  down
  exit 0
  ;;
up)
  anchor=$3
  down
  mkdir -p "$dir"
  if [ "${VELKARO_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    echo "${DISPLAY#:}" >"$dir/display"
  else
    Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 1 100); do
      [ -s "$dir/display" ] && break
      sleep 0.1
    done
    [ -s "$dir/display" ] || { echo "harness: Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; down; exit 1; }
  fi
  display=:$(head -n 1 "$dir/display")
  export DISPLAY=$display WINEPREFIX=$prefix
  [ "${VELKARO_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$prefix"
  "$VELKARO_WINE" wineboot -i >"$dir/wineboot.log" 2>&1
  "$VELKARO_WINESERVER" -w
  "$VELKARO_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
  "$VELKARO_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
  printf 'export DISPLAY=%s\nexport WINEPREFIX=%s\n' "$display" "$prefix" >"$dir/env"
  "$VELKARO_WINE" explorer /desktop=shell,1024x768 >"$dir/explorer.log" 2>&1 &
  rm -f "$dir/anchor.ready"
  "$VELKARO_WINE" "$anchor" "$(echo "Z:$dir/anchor.ready" | tr / '\\')" >"$dir/anchor.log" 2>&1 &
  for _ in $(seq 1 900); do
    [ -f "$dir/anchor.ready" ] && break
    sleep 0.1
  done
  if [ ! -f "$dir/anchor.ready" ]; then
    echo "harness: no Start button appeared in the Wine desktop" >&2
    down
    exit 1
  fi
  echo "harness: desktop $display ready, prefix $prefix ($VELKARO_RUN_ARCH Wine), Start button at $(cat "$dir/anchor.ready")"
  ;;
esac
