# Start-up benchmark programs (x86_64 build, run under Wine by scripts/bench).
add_executable(minimal_window WIN32 bench/minimal_window.cpp window/startup_trace.cpp
  bench/minimal_window.rc)
target_include_directories(minimal_window PRIVATE ${GENERATED_DIR} ${CMAKE_SOURCE_DIR})
target_link_libraries(minimal_window PRIVATE comctl32)
