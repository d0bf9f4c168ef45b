# The data file's crash-safety test: log_crash_test kills log_crash_child, which appends in a
# loop, at random moments. It runs for a few seconds, so it is its own test, not in logic_tests.
if(UNIX)
  add_executable(log_crash_child ${CMAKE_CURRENT_LIST_DIR}/crash_child.cpp)
  target_include_directories(log_crash_child PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(log_crash_child PRIVATE pw_logic)
  pw_use_compile_flags(log_crash_child)

  add_executable(log_crash_test ${CMAKE_CURRENT_LIST_DIR}/crash_safety.cpp)
  target_include_directories(log_crash_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(log_crash_test PRIVATE pw_logic GTest::gtest GTest::gtest_main)
  pw_use_compile_flags(log_crash_test)
  target_compile_definitions(log_crash_test PRIVATE
    PW_CRASH_CHILD="$<TARGET_FILE:log_crash_child>")
  add_dependencies(log_crash_test log_crash_child)
  add_test(NAME log_crash_safety COMMAND log_crash_test)
  set_tests_properties(log_crash_safety PROPERTIES LABELS logic TIMEOUT 120)
endif()
