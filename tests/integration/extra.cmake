# The watch driver: the real CUPS job source and job watcher on a Qt event loop, with console
# stand-ins for the windows. The integration scripts and the idle benchmark run it.
if(NOT PW_LOGIC_ONLY)
  add_executable(pw_watch_driver ${CMAKE_CURRENT_LIST_DIR}/watch_driver.cpp)
  target_link_libraries(pw_watch_driver PRIVATE pw_adapters)
  pw_use_compile_flags(pw_watch_driver)
endif()
