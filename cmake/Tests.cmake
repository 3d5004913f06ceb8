# Test executables, one per group; each source folder is globbed so that a
# new test file needs no change here.
configure_file(/usr/include/doctest/doctest.h ${CMAKE_BINARY_DIR}/test_include/doctest/doctest.h COPYONLY)

add_library(rufdepot_test_main STATIC tests/test_main.cpp)
target_include_directories(rufdepot_test_main PUBLIC ${CMAKE_BINARY_DIR}/test_include ${CMAKE_SOURCE_DIR})

function(rufdepot_test name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE rufdepot_test_main ${ARGN})
  add_test(NAME ${name} COMMAND ${name})
endfunction()

# The core's logic against in-memory stand-ins for the window, the dialogs
# and the operating system.
rufdepot_test(core_tests tests/core rufdepot_core rufdepot_fake_window rufdepot_fake_system)

# The same file tests on the real seam: POSIX natively, Win32 under Wine.
rufdepot_test(file_tests tests/files rufdepot_core rufdepot_system rufdepot_fake_window)

if(WIN32)
  # The real window and dialogs, under Wine in a virtual display.
  rufdepot_test(window_tests tests/window rufdepot_window)
  # The window takes its images from the program's resources, and the
  # manifest selects the same common controls as the program's.
  target_sources(window_tests PRIVATE ${RESOURCE_FILE})
  target_include_directories(window_tests PRIVATE ${GENERATED_DIR} ${CMAKE_SOURCE_DIR}/resources)
  add_dependencies(window_tests rufdepot_icons)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # End-to-end runs of the real program, driven from outside.
    file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
    list(FILTER E2E_SCRIPTS EXCLUDE REGEX "/harness\\.sh$")
    foreach(script IN LISTS E2E_SCRIPTS)
      get_filename_component(stem ${script} NAME_WE)
      add_test(NAME e2e_${stem} COMMAND bash ${script} $<TARGET_FILE:Rufdepot>)
      # Room for a wait at midnight (harness.sh e2e_one_day) besides the run.
      set_tests_properties(e2e_${stem} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
    endforeach()
  endif()
endif()

if(NOT WIN32 AND NOT RUFDEPOT_SANITIZE)
  # The package script refuses contact addresses that reach nobody.
  add_test(NAME package_contact_address
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/contact_address.sh)
endif()
