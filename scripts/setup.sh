#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine needs to build and test Velkaro:
# the MinGW-w64 i686 toolchain, wine32, Xvfb and friends from apt, and libpng's
# source package (built for the target by CMake). Idempotent; quick when all is there.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VELKARO_CACHE:-$here/.cache}
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"

packages=(
  wine wine32:i386 wine64
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  libz-mingw-w64-dev xvfb xdotool x11-utils imagemagick
  cmake make googletest dpkg-dev clang libclang-rt-14-dev python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

need_src=0
[ -f "$cache/libpng/CMakeLists.txt" ] || need_src=1

if [ ${#missing[@]} -gt 0 ] || [ $need_src = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  src=/etc/apt/sources.list.d/velkaro-src.sources
  if [ ! -f "$src" ]; then
    # The same archive as the binary packages, for libpng's source package.
    base=/etc/apt/sources.list.d/debian.sources
    if [ -f "$base" ]; then
      sed -e 's/^Types: deb$/Types: deb-src/' "$base" | $sudo tee "$src" >/dev/null
    else
      echo "deb-src http://deb.debian.org/debian bookworm main" | $sudo tee /etc/apt/sources.list.d/velkaro-src.list >/dev/null
      src=/etc/apt/sources.list.d/velkaro-src.list
    fi
  fi
  $sudo apt-get update -q
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ $need_src = 1 ]; then
  echo "setup: fetching libpng source package"
  rm -rf "$cache/libpng-src"
  mkdir -p "$cache/libpng-src"
  # The newest version listed is not always on the mirror yet: take the newest that is.
  fetched=0
  for v in $(apt-cache showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -r -V); do
    if (cd "$cache/libpng-src" && apt-get source -q "libpng1.6=$v" >/dev/null 2>&1); then
      fetched=1; break
    fi
  done
  [ $fetched = 1 ] || { echo "setup: could not fetch libpng1.6 source" >&2; exit 1; }
  dir=$(find "$cache/libpng-src" -maxdepth 1 -mindepth 1 -type d -name 'libpng*' | head -n 1)
  [ -n "$dir" ] || { echo "setup: libpng source not unpacked" >&2; exit 1; }
  rm -rf "$cache/libpng"
  mv "$dir" "$cache/libpng"
  rm -rf "$cache/libpng-src"
fi

echo "setup: ready (libpng source in $cache/libpng)"
