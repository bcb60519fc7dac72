# Lists a GoogleTest program's tests and writes a CTest file with one test per suite, run in one
# process: starting a program per test case cost more than half of the sanitizer stage's test
# time. A suite's threaded tests (THREADED, a gtest filter of positive patterns) form a test of
# their own with the label "threads", so the ThreadSanitizer stage runs just them.
# Run after each build of the program (tests/CMakeLists.txt, zemtra_discover_tests):
#   cmake -D EXECUTABLE=... -D OUTPUT=... -D THREADED=... -D WORKING_DIRECTORY=...
#         -D ENVIRONMENT=... -P discover_suites.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${EXECUTABLE}" --gtest_list_tests
                WORKING_DIRECTORY "${WORKING_DIRECTORY}"
                OUTPUT_VARIABLE listing RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${EXECUTABLE} --gtest_list_tests failed (${status}):\n${listing}")
endif()

# The threaded patterns as anchored regular expressions: gtest's * and ? wildcards.
set(threaded_regexes)
string(REPLACE ":" ";" patterns "${THREADED}")
foreach(pattern IN LISTS patterns)
  if(pattern STREQUAL "")
    continue()
  endif()
  string(REGEX REPLACE "([][.+^$|(){}\\\\])" "\\\\\\1" regex "${pattern}")
  string(REPLACE "*" ".*" regex "${regex}")
  string(REPLACE "?" "." regex "${regex}")
  list(APPEND threaded_regexes "^${regex}$")
endforeach()

# Suites in listing order, each with its threaded and other tests. A threaded pattern that
# matches no test (a suite renamed, or its file left out of the build) fails the build.
set(suites)
set(unmatched ${threaded_regexes})
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  string(REGEX REPLACE " *#.*$" "" line "${line}")  # typed and value-parameterised comments
  if(line MATCHES "^([^ ].*)\\.$")
    set(suite "${CMAKE_MATCH_1}")
    string(MAKE_C_IDENTIFIER "${suite}" key)
    list(APPEND suites "${suite}")
    set(threaded_${key})
    set(others_${key})
  elseif(line MATCHES "^  (.+)$" AND DEFINED suite)
    set(name "${suite}.${CMAKE_MATCH_1}")
    set(is_threaded FALSE)
    foreach(regex IN LISTS threaded_regexes)
      if(name MATCHES "${regex}")
        set(is_threaded TRUE)
        list(REMOVE_ITEM unmatched "${regex}")
      endif()
    endforeach()
    if(is_threaded)
      list(APPEND threaded_${key} "${name}")
    else()
      list(APPEND others_${key} "${name}")
    endif()
  endif()
endforeach()

if(unmatched)
  message(FATAL_ERROR "${EXECUTABLE}: no test matches the threaded patterns ${unmatched}")
endif()

# Writes one add_test with its properties.
set(script "")
# The cost, the number of cases, lets CTest start the longer suites first on a fresh build.
macro(add_suite_test test_name filter cases labels)
  list(LENGTH ${cases} cost)
  string(APPEND script "add_test([==[${test_name}]==] [==[${EXECUTABLE}]==] "
                       "[==[--gtest_filter=${filter}]==])\n"
                       "set_tests_properties([==[${test_name}]==] PROPERTIES "
                       "WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==] "
                       "ENVIRONMENT [==[${ENVIRONMENT}]==] COST ${cost}${labels})\n")
endmacro()

foreach(suite IN LISTS suites)
  string(MAKE_C_IDENTIFIER "${suite}" key)
  list(JOIN threaded_${key} ":" threaded_filter)
  if(NOT others_${key})
    add_suite_test("${suite}" "${suite}.*" threaded_${key} " LABELS threads")
  elseif(NOT threaded_${key})
    add_suite_test("${suite}" "${suite}.*" others_${key} "")
  else()
    add_suite_test("${suite}" "${suite}.*-${threaded_filter}" others_${key} "")
    add_suite_test("${suite}.threads" "${threaded_filter}" threaded_${key} " LABELS threads")
  endif()
endforeach()
file(WRITE "${OUTPUT}" "${script}")
