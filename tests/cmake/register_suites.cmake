# Run at build time, after a test program is linked: asks the program for its tests and
# writes one ctest test per suite (`--gtest_filter=Suite.*`), so a suite of many cases
# starts one process, not one per case, and a failure still names its suite and, in the
# output, its case.
#
# In: TEST_PROGRAM (the program's path), TEST_NAME (the ctest prefix), CTEST_FILE (the
# file to write), TEST_ENVIRONMENT (optional, "A=1;B=2"), SKIP_CODE (the exit code the
# program gives when every test it ran was skipped).
execute_process(COMMAND "${TEST_PROGRAM}" --gtest_list_tests
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TEST_PROGRAM} --gtest_list_tests failed (${status}):\n${listing}${errors}")
endif()

# A suite line starts in the first column and ends its name with a dot; parameterised
# and typed suites add "  # TypeParam = ..." after it. Case lines are indented.
string(REPLACE "\n" ";" lines "${listing}")
set(script "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z_][^ .]*(/[^ .]+)*)\\.( .*)?$")
    set(suite "${CMAKE_MATCH_1}")
    set(name "${TEST_NAME}.${suite}")
    string(APPEND script
           "add_test([==[${name}]==] [==[${TEST_PROGRAM}]==] [==[--gtest_filter=${suite}.*]==])\n"
           "set_tests_properties([==[${name}]==] PROPERTIES SKIP_RETURN_CODE ${SKIP_CODE}")
    if(TEST_ENVIRONMENT)
      string(APPEND script " ENVIRONMENT [==[${TEST_ENVIRONMENT}]==]")
    endif()
    string(APPEND script ")\n")
    math(EXPR count "${count} + 1")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${TEST_PROGRAM} lists no test suite")
endif()
file(WRITE "${CTEST_FILE}" "${script}")
