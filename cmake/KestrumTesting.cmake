# kestrum_add_test(NAME SOURCES ... [LIBS ...] [CAPTURE] [TIMEOUT s])
# A test program is a Windows program run under Wine; ctest runs it whole.
# CAPTURE: the program owns the debug-output protocol while it runs, which
# only one program on a Wine prefix can, so such tests run one at a time.
function(kestrum_add_test name)
  cmake_parse_arguments(T "CAPTURE" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE kestrum_test_support ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 240)
  endif()
  # A program that ends early (a crash under Wine can end it with code 0)
  # has not passed: GoogleTest's summary must be there, and name no failure.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ test"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
  if(T_CAPTURE)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK debug_output_protocol)
  endif()
endfunction()
