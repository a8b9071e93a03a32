# zlib from the MinGW package, libpng from Debian's source package (scripts/setup.sh),
# both linked statically so that the exe needs no DLL beyond Windows' own.
set(ZLIB_LIBRARY /usr/${VELKARO_ARCH}-w64-mingw32/lib/libz.a CACHE FILEPATH "" FORCE)
set(ZLIB_INCLUDE_DIR /usr/${VELKARO_ARCH}-w64-mingw32/include CACHE PATH "" FORCE)
find_package(ZLIB REQUIRED)

if(NOT EXISTS ${VELKARO_CACHE}/libpng/CMakeLists.txt)
  message(FATAL_ERROR "libpng source missing in ${VELKARO_CACHE}/libpng: run scripts/setup.sh")
endif()
set(PNG_SHARED OFF CACHE BOOL "" FORCE)
set(PNG_STATIC ON CACHE BOOL "" FORCE)
set(PNG_TESTS OFF CACHE BOOL "" FORCE)
set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
set(PNG_FRAMEWORK OFF CACHE BOOL "" FORCE)
set(SKIP_INSTALL_ALL ON CACHE BOOL "" FORCE)
set(PNG_BUILD_ZLIB OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELKARO_CACHE}/libpng ${CMAKE_BINARY_DIR}/libpng EXCLUDE_FROM_ALL)
add_library(velkaro_png INTERFACE)
target_link_libraries(velkaro_png INTERFACE png_static ${ZLIB_LIBRARY})
target_include_directories(velkaro_png INTERFACE ${VELKARO_CACHE}/libpng ${CMAKE_BINARY_DIR}/libpng)

# GoogleTest for the target; its tests run under Wine.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
