# The Windows adapters' tests: they call the real registry and file system, so they are built
# only for Windows (and run under Wine in the cross build).
if(WIN32)
  file(GLOB PW_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/win32/*_test.cpp)
  add_executable(win32_tests ${PW_WIN32_TESTS})
  target_include_directories(win32_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(win32_tests PRIVATE pw_win32 GTest::gtest GTest::gtest_main)
  gtest_discover_tests(win32_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS windows)
endif()
