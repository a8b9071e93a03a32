#!/usr/bin/env bash
# Sets up this machine, builds Velkaro and starts it under Wine in a desktop with a
# taskbar: on your display when DISPLAY is set, otherwise on a private Xvfb.
# Ends when Velkaro ends (close its window, or press Ctrl+C here).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
mkdir -p "$root/build"
tree=$("$root/scripts/build.sh")
desk=$root/build/desktop

if [ -n "${DISPLAY:-}" ]; then export VELKARO_USE_DISPLAY=1; fi
# The settings made in earlier starts live in this prefix: keep it.
VELKARO_KEEP_PREFIX=1 bash "$root/tests/harness/desktop.sh" up "$desk" "$tree/tests/harness/harness_anchor.exe"
trap 'bash "$root/tests/harness/desktop.sh" down "$desk"' EXIT
. "$desk/env"
if [ -z "${VELKARO_USE_DISPLAY:-}" ]; then
  echo "start: Velkaro runs on the private display $DISPLAY. A screenshot:"
  echo "start:   DISPLAY=$DISPLAY import -window root velkaro.png"
fi
echo "start: settings file: $WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Quorvin/Velkaro/Programm.ini"
"$VELKARO_WINE" "$tree/app/Velkaro.exe"
