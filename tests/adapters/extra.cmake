# The Windows adapters' tests: they call the real registry and file system, so they are built
# only for Windows (and run under Wine in the cross build).
if(WIN32)
  file(GLOB PW_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/win32/*_test.cpp)
  add_executable(win32_tests ${PW_WIN32_TESTS})
  target_include_directories(win32_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(win32_tests PRIVATE pw_adapters GTest::gtest GTest::gtest_main)
  pw_use_compile_flags(win32_tests)
  gtest_discover_tests(win32_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS windows)
endif()
