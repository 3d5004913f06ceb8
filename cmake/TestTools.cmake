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
