# Settings shared by every target built for Windows: ANSI API, XP and later,
# no exceptions or RTTI in the program, static runtime, clean of warnings.
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 STRICT)
add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1252)
add_link_options(-static)

# What goes into Velkaro.exe itself (tests keep exceptions for GoogleTest).
function(velkaro_program_options target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>
    -Wall -Wextra -Werror -ffunction-sections -fdata-sections -Os)
endfunction()
