# Settings shared by every target the project builds itself.

# Warnings are errors for our own code only; third-party headers come in as SYSTEM.
function(vellumark_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
        -Wcast-align -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion
        -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
        -Werror)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC 12 reports false positives of these inside libstdc++ at -O2.
        target_compile_options(${target} PRIVATE -Wno-null-dereference -Wno-stringop-overflow)
    endif()
endfunction()

# C code (rare: fuzz entry points, C API checks) gets the C-compatible subset.
function(vellumark_c_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

if(VELLUMARK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Registers a GoogleTest executable with CTest. Tests run headless, so every
# test process gets the offscreen Qt platform and our leak-sanitizer
# suppressions for the system libraries (fontconfig, Qt's plugin loader).
function(vellumark_add_gtest target)
    include(GoogleTest)
    gtest_discover_tests(${target}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1;UBSAN_OPTIONS=print_stacktrace=1"
        ${ARGN})
endfunction()
