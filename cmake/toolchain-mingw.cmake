# Cross build for Windows with MinGW-w64. VELKARO_ARCH is i686 (the program we ship)
# or x86_64 (the same sources, for machines whose kernel cannot run 32-bit Wine).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VELKARO_ARCH)
  set(VELKARO_ARCH i686)
endif()
set(VELKARO_ARCH ${VELKARO_ARCH} CACHE STRING "i686 or x86_64")
set(CMAKE_SYSTEM_PROCESSOR ${VELKARO_ARCH})
set(triple ${VELKARO_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
