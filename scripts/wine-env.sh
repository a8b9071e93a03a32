# Sourced by the scripts that run Windows programs: picks the Wine loader that this
# machine can run. Where the kernel runs 32-bit programs, Wine runs the i686 build;
# where it cannot (ia32 emulation off), only the 64-bit loader works.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  VELKARO_WINE=/usr/bin/wine
  VELKARO_RUN_ARCH=i686
  VELKARO_WINESERVER=/usr/bin/wineserver
else
  VELKARO_WINE=/usr/lib/wine/wine64
  VELKARO_RUN_ARCH=x86_64
  VELKARO_WINESERVER=/usr/lib/wine/wineserver64
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=$VELKARO_WINESERVER
fi
export WINEDEBUG=${WINEDEBUG:--all}
