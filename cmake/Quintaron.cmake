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
    target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_DEPS} GTest::gtest GTest::gtest_main)
    set_target_properties(${name}_tests PROPERTIES QUINTARON_TEST_PROGRAM ON)
    # Every test source parses the test framework and most of the standard library first.
    target_precompile_headers(${name}_tests PRIVATE <gtest/gtest.h> <functional> <memory>
      <string> <vector>)
    # gtest_discover_tests passes each property on as a word list, so a list value keeps only
    # its first element: one variable goes in ENVIRONMENT, the other in ENVIRONMENT_MODIFICATION.
    # It also sets SKIP_REGULAR_EXPRESSION to gtest's "[  SKIPPED ]", so that CTest counts a
    # GTEST_SKIP as skipped (scripts/test lists them). Parameterised tests name their cases
    # (Codes/Rop3Test.FollowsItsTruthTable/SrcCopy); NO_PRETTY_VALUES keeps the parameter's
    # printed bytes out of those names.
    # A test that hangs fails after TIMEOUT seconds instead of holding the whole run: the
    # slowest take under a minute on a loaded machine.
    gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
      PROPERTIES TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                 ENVIRONMENT_MODIFICATION "QUINTARON_CONFIG_DIR=set:${CMAKE_CURRENT_BINARY_DIR}/test-config")
  endif()
endfunction()
