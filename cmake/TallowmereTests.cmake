# Helpers that every folder uses to declare its tests.
#
#   tallowmere_host_test(NAME SOURCES... LIBS...)     native unit tests (host preset only)
#   tallowmere_win_test(NAME SOURCES... LIBS... [ENVIRONMENT VAR=value...])
#                                                     Windows tests run under Wine (windows preset only)

function(tallowmere_host_test name)
  if(NOT TALLOWMERE_HOST OR NOT TALLOWMERE_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()

function(tallowmere_win_test name)
  if(TALLOWMERE_HOST OR NOT TALLOWMERE_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  if(NOT T_LABELS)
    set(T_LABELS wine)
  endif()
  # The test list flattens the properties: a list-valued one would shift the rest, so a test gets
  # one label (the end-to-end tests "e2e", not "wine" as well) and the environment one variable.
  set(environment)
  if(T_ENVIRONMENT)
    set(environment ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES ${environment} LABELS "${T_LABELS}" TIMEOUT 300)
endfunction()
