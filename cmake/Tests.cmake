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
  # The window's texts again with UTF-8 and with a Cyrillic code page as the
  # system's (Wine takes it from the locale); each run checks its code page.
  foreach(run "hi_IN.UTF-8=65001" "ru_RU.UTF-8=1251")
    string(REPLACE "=" ";" parts ${run})
    list(GET parts 0 locale)
    list(GET parts 1 page)
    add_test(NAME window_tests_code_page_${page} COMMAND window_tests "-tc=code page:*")
    set_tests_properties(window_tests_code_page_${page} PROPERTIES
      ENVIRONMENT "RUFDEPOT_LOCALE=${locale};RUFDEPOT_CODE_PAGE=${page}"
      RESOURCE_LOCK rufdepot_clipboard)
  endforeach()
  # Pasting goes through the one clipboard of the display.
  set_tests_properties(window_tests PROPERTIES RESOURCE_LOCK rufdepot_clipboard)
  add_test(NAME file_tests_code_page_65001 COMMAND file_tests "-tc=code page:*")
  set_tests_properties(file_tests_code_page_65001 PROPERTIES
    ENVIRONMENT "RUFDEPOT_LOCALE=hi_IN.UTF-8;RUFDEPOT_CODE_PAGE=65001")
  # The layout at 125, 150 and 200 % in a prefix of its own; one scale at a time.
  foreach(dpi 120 144 192)
    add_test(NAME window_tests_dpi_${dpi}
      COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/dpi-exec ${dpi} $<TARGET_FILE:window_tests> "-tc=display scale:*")
    set_tests_properties(window_tests_dpi_${dpi} PROPERTIES ENVIRONMENT "RUFDEPOT_DPI=${dpi}"
      RESOURCE_LOCK rufdepot_dpi_prefix)
  endforeach()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # End-to-end runs of the real program, driven from outside.
    file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
    list(FILTER E2E_SCRIPTS EXCLUDE REGEX "/harness\\.sh$")
    foreach(script IN LISTS E2E_SCRIPTS)
      get_filename_component(stem ${script} NAME_WE)
      add_test(NAME e2e_${stem} COMMAND bash ${script} $<TARGET_FILE:Rufdepot>)
      # Room for a wait at midnight (harness.sh e2e_one_day) besides the run;
      # 77: the machine lacks what the run needs (said in its output).
      set_tests_properties(e2e_${stem} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300 SKIP_RETURN_CODE 77)
    endforeach()
  endif()
endif()

if(NOT WIN32 AND NOT RUFDEPOT_SANITIZE)
  # The package script refuses contact addresses that reach nobody.
  add_test(NAME package_contact_address
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/contact_address.sh)
endif()
