# Build conventions shared by every layer: one static library per layer folder,
# one GoogleTest executable per layer, warnings as errors in our own code.

find_program(QUINTARON_CCACHE ccache)
if(QUINTARON_CCACHE)
  # The test programs' precompiled headers would otherwise make every one of their sources a
  # cache miss.
  set(CMAKE_CXX_COMPILER_LAUNCHER
    ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros ${QUINTARON_CCACHE})
endif()

add_library(quintaron_options INTERFACE)
target_compile_options(quintaron_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
# GCC 12's optimiser reports copies inside the standard library's strings and vectors as
# overflowing or overlapping where they cannot (GCC bugs 105329, 105651): in optimised builds
# these stay warnings, so that the program still builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(quintaron_options INTERFACE
    $<$<NOT:$<CONFIG:Debug>>:-Wno-error=restrict -Wno-error=stringop-overflow
      -Wno-error=stringop-overread -Wno-error=array-bounds>)
endif()
target_include_directories(quintaron_options INTERFACE ${PROJECT_SOURCE_DIR})
if(QUINTARON_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  # The test programs' own sources leave out the undefined-behaviour checks, which cost a third
  # of their compile time: the code under test keeps them, and every heap access is still
  # checked, because the address checks and the runtime stay.
  target_compile_options(quintaron_options INTERFACE
    $<IF:$<BOOL:$<TARGET_PROPERTY:QUINTARON_TEST_PROGRAM>>,-fsanitize=address,-fsanitize=address$<COMMA>undefined>
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(quintaron_options INTERFACE ${_san})
  # A test program starts once per test: linked position-dependent, the loader has no
  # relocations of the checks' million static records to apply, a fifth of each start.
  target_link_options(quintaron_options INTERFACE
    $<$<BOOL:$<TARGET_PROPERTY:QUINTARON_TEST_PROGRAM>>:-no-pie>)
endif()

# quintaron_layer(<name> [WHOLE] [SUBDIRS <folders>...] [DEPS <targets>...]
#                 [TEST_DEPS <targets>...])
# Builds every .cpp of the calling folder and of its SUBDIRS into the static library <name>,
# and every .cpp of its tests/ folder into <name>_tests, registered with CTest.
# WHOLE: a layer that plugs itself into the layers below at start-up has object files that
# nothing names, which a static library would leave out of a program: <name> then links every
# object file of the library (its archive, <name>_archive), wherever it is linked.
function(quintaron_layer name)
  cmake_parse_arguments(ARG "WHOLE" "" "SUBDIRS;DEPS;TEST_DEPS" ${ARGN})
  set(_patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(_dir IN LISTS ARG_SUBDIRS)
    list(APPEND _patterns ${CMAKE_CURRENT_SOURCE_DIR}/${_dir}/*.cpp)
  endforeach()
  file(GLOB _sources CONFIGURE_DEPENDS ${_patterns})
  list(FILTER _sources EXCLUDE REGEX "/main\\.cpp$")
  if(_sources AND ARG_WHOLE)
    add_library(${name}_archive STATIC ${_sources})
    target_link_libraries(${name}_archive PUBLIC quintaron_options ${ARG_DEPS})
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}_archive>")
  elseif(_sources)
    add_library(${name} STATIC ${_sources})
    target_link_libraries(${name} PUBLIC quintaron_options ${ARG_DEPS})
  else()
    # A layer of headers only, so far.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE quintaron_options ${ARG_DEPS})
  endif()

  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(QUINTARON_TESTS AND _tests)
    add_executable(${name}_tests ${_tests})
    target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_DEPS} GTest::gtest
      quintaron_test_main)
    set_target_properties(${name}_tests PROPERTIES QUINTARON_TEST_PROGRAM ON)
    # Every test source parses the test framework and most of the standard library first.
    target_precompile_headers(${name}_tests PRIVATE <gtest/gtest.h> <functional> <memory>
      <string> <vector>)
    # A hanging test fails after the time-out instead of holding the whole run: the slowest
    # suites take about a minute on a loaded machine.
    quintaron_test_suites(${name}_tests TIMEOUT 300 TIMEOUT_PER_TEST 10
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      ENVIRONMENT_MODIFICATION "QUINTARON_CONFIG_DIR=set:${CMAKE_CURRENT_BINARY_DIR}/test-config")
  endif()
endfunction()

# quintaron_test_suites(<target> TIMEOUT <seconds> TIMEOUT_PER_TEST <seconds>
#                       [PROCESSORS <count>] [ENVIRONMENT <vars>...]
#                       [ENVIRONMENT_MODIFICATION <changes>...])
# Registers each GoogleTest suite of the test program <target> as one CTest test, which runs
# the suite's tests in one process (--gtest_filter=<suite>.*), listed when CTest starts
# (cmake/QuintaronTestSuites.cmake), so that the list follows the program as last built. A suite
# may run for TIMEOUT seconds, or TIMEOUT_PER_TEST for each of its tests where that is more; a
# suite whose every test skipped is counted as skipped (exit code 77, testsupport/main).
function(quintaron_test_suites target)
  cmake_parse_arguments(ARG "" "TIMEOUT;TIMEOUT_PER_TEST;PROCESSORS"
    "ENVIRONMENT;ENVIRONMENT_MODIFICATION" ${ARGN})
  # The properties as CMake code, each value one bracket argument: a list of variables stays
  # one value.
  set(props "WORKING_DIRECTORY [==[${CMAKE_CURRENT_BINARY_DIR}]==]")
  foreach(key IN ITEMS PROCESSORS ENVIRONMENT ENVIRONMENT_MODIFICATION)
    if(DEFINED ARG_${key})
      string(APPEND props " ${key} [==[${ARG_${key}}]==]")
    endif()
  endforeach()
  set(exe "$<TARGET_FILE:${target}>")
  set(script "${PROJECT_SOURCE_DIR}/cmake/QuintaronTestSuites.cmake")
  set(tests_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"if(EXISTS [==[${exe}]==])
  if(NOT EXISTS [==[${tests_file}]==] OR
     NOT [==[${tests_file}]==] IS_NEWER_THAN [==[${exe}]==] OR
     NOT [==[${tests_file}]==] IS_NEWER_THAN [==[${script}]==] OR
     NOT [==[${tests_file}]==] IS_NEWER_THAN \"\${CMAKE_CURRENT_LIST_FILE}\")
    include([==[${script}]==])
    quintaron_register_test_suites(EXECUTABLE [==[${exe}]==] TESTS_FILE [==[${tests_file}]==]
      TIMEOUT ${ARG_TIMEOUT} TIMEOUT_PER_TEST ${ARG_TIMEOUT_PER_TEST}
      PROPERTIES [===[${props}]===])
  endif()
  include([==[${tests_file}]==])
else()
  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
