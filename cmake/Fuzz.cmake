# libFuzzer targets over the platform-free core (clang only). Each target is
# also a ctest that replays its committed corpus and then runs a fixed
# number of new inputs, so the test command proves the properties hold.
set(RUFDEPOT_FUZZ_RUNS 20000 CACHE STRING "New inputs each fuzz target runs as a test")

function(rufdepot_fuzz_target name)
  add_executable(${name} fuzz/${name}.cpp)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE rufdepot_core rufdepot_fake_window rufdepot_fake_system)
  set(corpus ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  set(work ${CMAKE_BINARY_DIR}/fuzz-work/${name})
  add_test(NAME fuzz_${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
            $<TARGET_FILE:${name}> -runs=${RUFDEPOT_FUZZ_RUNS} -seed=1 -max_len=4096
            -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-findings- ${work} ${corpus})
  set_tests_properties(fuzz_${name} PROPERTIES FIXTURES_REQUIRED fuzz_work)
endfunction()

# A scratch folder per target for what the fixed runs add; the committed
# corpus is only read.
add_test(NAME fuzz_work_setup COMMAND ${CMAKE_COMMAND} -E make_directory
  ${CMAKE_BINARY_DIR}/fuzz-work/text_helpers ${CMAKE_BINARY_DIR}/fuzz-work/load_directory
  ${CMAKE_BINARY_DIR}/fuzz-work/settings)
set_tests_properties(fuzz_work_setup PROPERTIES FIXTURES_SETUP fuzz_work)

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
foreach(source IN LISTS FUZZ_SOURCES)
  get_filename_component(stem ${source} NAME_WE)
  rufdepot_fuzz_target(${stem})
endforeach()
