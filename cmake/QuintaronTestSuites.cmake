# Run by CTest before the tests (included from the test folder's CTestTestfile): lists a test
# program's tests and registers one CTest test per GoogleTest suite, which runs that suite's
# tests in one process. Starting a sanitized test program with its Qt platform costs about a
# second, more than most tests take, so one process per test would spend most of a run starting.
#
# quintaron_register_test_suites(EXECUTABLE <program> TESTS_FILE <file> TIMEOUT <seconds>
#   TIMEOUT_PER_TEST <seconds> PROPERTIES <code>)
# PROPERTIES is the rest of a set_tests_properties call, already quoted (name value...).
# A suite's time-out is TIMEOUT, or TIMEOUT_PER_TEST for each of its tests where that is more,
# so that a hanging test still fails in bounded time however many tests share its process.
# A test whose name or suite begins with DISABLED_ is registered on its own, disabled, so that
# CTest reports it as before rather than GoogleTest leaving it out silently.

function(_quintaron_suite_quote out text)
  # A bracket argument whose closing bracket the text cannot contain.
  set(eq "=")
  while(text MATCHES "\\]${eq}\\]")
    string(APPEND eq "=")
  endwhile()
  set(${out} "[${eq}[${text}]${eq}]" PARENT_SCOPE)
endfunction()

# Appends the suite's registration to the caller's `script`.
function(_quintaron_suite_add name filter tests disabled)
  math(EXPR timeout "${tests} * ${ARG_TIMEOUT_PER_TEST}")
  if(timeout LESS ARG_TIMEOUT)
    set(timeout ${ARG_TIMEOUT})
  endif()
  _quintaron_suite_quote(qname "${name}")
  _quintaron_suite_quote(qexe "${ARG_EXECUTABLE}")
  _quintaron_suite_quote(qfilter "--gtest_filter=${filter}")
  string(APPEND script "add_test(${qname} ${qexe} ${qfilter})\n"
    "set_tests_properties(${qname} PROPERTIES TIMEOUT ${timeout} SKIP_RETURN_CODE 77\n"
    "  ${ARG_PROPERTIES})\n")
  if(disabled)
    string(APPEND script "set_tests_properties(${qname} PROPERTIES DISABLED TRUE)\n")
  endif()
  set(script "${script}" PARENT_SCOPE)
endfunction()

# The suite read so far, if it has a test to run.
macro(_quintaron_suite_flush)
  if(NOT suite STREQUAL "" AND (suite_tests GREATER 0 OR suite_disabled))
    _quintaron_suite_add("${suite}" "${suite}.*" ${suite_tests} ${suite_disabled})
  endif()
endmacro()

function(quintaron_register_test_suites)
  cmake_parse_arguments(ARG "" "EXECUTABLE;TESTS_FILE;TIMEOUT;TIMEOUT_PER_TEST;PROPERTIES" ""
    ${ARGN})
  execute_process(
    COMMAND "${ARG_EXECUTABLE}" --gtest_list_tests
    TIMEOUT 120
    OUTPUT_VARIABLE listing
    ERROR_VARIABLE errors
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${ARG_EXECUTABLE} failed (${result}):\n"
      "${listing}${errors}")
  endif()

  # "Suite." then "  Test" lines; a parameterised suite or test carries a "  # GetParam() = ..."
  # comment, which is no part of its name. A name holds no ';' (C++ identifiers and the
  # suffixes GoogleTest makes of them), but such a comment may: it must not split a line.
  string(REPLACE ";" "," listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")
  set(script "")
  set(suite "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #]+)\\.( .*)?$")
      _quintaron_suite_flush()
      set(suite "${CMAKE_MATCH_1}")
      set(suite_tests 0)
      set(suite_disabled FALSE)
      if(suite MATCHES "^DISABLED_")
        set(suite_disabled TRUE)
      endif()
    elseif(line MATCHES "^  ([^ ]+)" AND NOT suite STREQUAL "")
      set(test "${CMAKE_MATCH_1}")
      if(test MATCHES "^DISABLED_" AND NOT suite_disabled)
        _quintaron_suite_add("${suite}.${test}" "${suite}.${test}" 1 TRUE)
      else()
        math(EXPR suite_tests "${suite_tests} + 1")
      endif()
    endif()
  endforeach()
  _quintaron_suite_flush()
  file(WRITE "${ARG_TESTS_FILE}" "${script}")
endfunction()
