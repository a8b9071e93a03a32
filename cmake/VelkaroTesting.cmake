# Every Windows test program runs under Wine, inside the private Xvfb display and
# WINEPREFIX that the harness fixture prepares once per ctest run (tests/harness).
set(VELKARO_HARNESS_DIR ${CMAKE_BINARY_DIR}/harness)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh;${VELKARO_HARNESS_DIR})

# A Linux path as Wine's Z: drive shows it.
function(velkaro_wine_path out path)
  string(REPLACE "/" "\\" p "${path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()

# velkaro_unit_test(NAME n SOURCES s... [LIBS l...] [ENVIRONMENT k=v...] [TIMEOUT t])
# One GoogleTest program, run under Wine in the harness desktop.
function(velkaro_unit_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${T_NAME} PRIVATE -Wall -Wextra)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  velkaro_wine_path(exe_win ${CMAKE_BINARY_DIR}/app/Velkaro.exe)
  velkaro_wine_path(bin_win ${CMAKE_BINARY_DIR})
  velkaro_wine_path(src_win ${CMAKE_SOURCE_DIR})
  set_tests_properties(${T_NAME} PROPERTIES
    FIXTURES_REQUIRED wine_desktop
    RESOURCE_LOCK wine_desktop
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "VELKARO_EXE=${exe_win};VELKARO_BIN=${bin_win};VELKARO_SRC=${src_win};${T_ENVIRONMENT}")
endfunction()
