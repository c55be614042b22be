# One interface target with the language level, warnings and Qt strictness, linked by every target.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
    set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

option(ZELKOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZELKOR_TSAN "Build with ThreadSanitizer" OFF)
# libFuzzer targets for the parsers of server input (clang only); the libraries they link carry
# the fuzzer's coverage hooks and both sanitizers.
option(ZELKOR_FUZZ "Build the libFuzzer targets of fuzz/ with clang" OFF)

add_library(zelkor_common INTERFACE)
target_compile_options(zelkor_common INTERFACE -Wall -Wextra -Werror)
target_compile_definitions(zelkor_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS)

if(ZELKOR_SANITIZE)
    target_compile_options(zelkor_common INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(zelkor_common INTERFACE -fsanitize=address,undefined)
    target_compile_definitions(zelkor_common INTERFACE _GLIBCXX_ASSERTIONS)
endif()
if(ZELKOR_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "ZELKOR_FUZZ needs clang: CC=clang CXX=clang++")
    endif()
    target_compile_options(zelkor_common INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    target_link_options(zelkor_common INTERFACE -fsanitize=address,undefined)
    target_compile_definitions(zelkor_common INTERFACE _GLIBCXX_ASSERTIONS)
endif()
if(ZELKOR_TSAN)
    target_compile_options(zelkor_common INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(zelkor_common INTERFACE -fsanitize=thread)
endif()

# zelkor_add_test(NAME SOURCES ... LIBS ... [GUI] [WEBENGINE] [TIMEOUT s])
# One test executable per subsystem. GUI tests get a QApplication on the offscreen platform.
# WEBENGINE marks tests that load web views: the web engine frees some of its own objects through
# a base of another size, which AddressSanitizer reports from inside the engine's library, so
# that one check is off for them (our code is checked all the same).
function(zelkor_add_test name)
    cmake_parse_arguments(T "GUI;WEBENGINE" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE zelkor_common GTest::gtest ${T_LIBS})
    if(T_GUI)
        target_link_libraries(${name} PRIVATE zelkor_gui_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 600)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu")
    if(T_WEBENGINE AND ZELKOR_SANITIZE)
        set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
            "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0:new_delete_type_mismatch=0")
    endif()
endfunction()
