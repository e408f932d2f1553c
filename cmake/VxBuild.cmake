# Compiler warnings, sanitizers and small helpers shared by every target.

option(VX_WERROR "Treat compiler warnings as errors" OFF)
set(VX_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined or thread")

add_library(vx_warnings INTERFACE)
target_compile_options(vx_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow=local
                       -Wnon-virtual-dtor -Woverloaded-virtual)
if(VX_WERROR)
    target_compile_options(vx_warnings INTERFACE -Werror)
endif()

if(VX_SANITIZE)
    add_compile_options(-fsanitize=${VX_SANITIZE} -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${VX_SANITIZE})
    if(VX_SANITIZE MATCHES "undefined")
        add_compile_options(-fno-sanitize-recover=undefined)
    endif()
endif()

# vx_add_gtest(NAME SOURCES ... LIBS ... [LABELS ...] [ENV ...])
# One GoogleTest executable, its cases registered with CTest one by one.
function(vx_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main
                          vx_warnings Threads::Threads)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    set(properties "")
    if(ARG_LABELS)
        list(APPEND properties LABELS "${ARG_LABELS}")
    endif()
    if(ARG_ENV)
        list(APPEND properties ENVIRONMENT "${ARG_ENV}")
    endif()
    if(properties)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    endif()
endfunction()
