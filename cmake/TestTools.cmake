# Small programs that the tests start in place of the platform's own. The
# stand-in editor lands beside file_tests, which copies it under an
# editor's name where the launch finds it.
add_executable(wordpad_standin tests/tools/wordpad_standin.cpp)
set_target_properties(wordpad_standin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(TARGET file_tests)
  add_dependencies(file_tests wordpad_standin)
  target_compile_definitions(file_tests PRIVATE
    "RUFDEPOT_EDITOR_STANDIN=\"$<TARGET_FILE_NAME:wordpad_standin>\"")
endif()

# Reads a running program's window from outside (end-to-end tests, start-up benchmark).
if(WIN32)
  # Lies beside window_tests, which must not load it by name once the
  # library search is restricted.
  add_library(planted_library SHARED tests/tools/planted_library.cpp)
  set_target_properties(planted_library PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  if(TARGET window_tests)
    add_dependencies(window_tests planted_library)
  endif()

  add_executable(window_probe tests/tools/window_probe.cpp)
  target_link_libraries(window_probe PRIVATE comctl32)
  set_target_properties(window_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
