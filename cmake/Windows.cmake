# Win32 parts: the window library, the resources and the program itself.
enable_language(RC)

file(GLOB WINDOW_SOURCES CONFIGURE_DEPENDS window/*.cpp)
list(FILTER WINDOW_SOURCES EXCLUDE REGEX "window/program_entry\\.cpp$")
# Objects rather than an archive: the core calls the window operations, so
# they must be in the link whatever the order of the libraries.
add_library(rufdepot_window OBJECT ${WINDOW_SOURCES})
target_include_directories(rufdepot_window PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(rufdepot_window PUBLIC rufdepot_core rufdepot_system
  comctl32 gdi32 user32 kernel32)

# Icons are drawn as character grids; the .ico data is generated from them.
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(ICON_NAMES app arrow_up arrow_down tick)
set(ICON_FILES)
foreach(icon IN LISTS ICON_NAMES)
  set(out ${GENERATED_DIR}/${icon}.ico)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GENERATED_DIR}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/resources/make_ico.py
            ${CMAKE_SOURCE_DIR}/resources/icons/${icon}.txt ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_ico.py ${CMAKE_SOURCE_DIR}/resources/icons/${icon}.txt
    COMMENT "Generating ${icon}.ico")
  list(APPEND ICON_FILES ${out})
endforeach()
add_custom_target(rufdepot_icons DEPENDS ${ICON_FILES})

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MANIFEST_ARCHITECTURE amd64)
else()
  set(MANIFEST_ARCHITECTURE X86)
endif()
# The manifest's assembly version has four parts.
set(MANIFEST_VERSION ${PROJECT_VERSION}.0)
configure_file(resources/Rufdepot.manifest.in ${GENERATED_DIR}/Rufdepot.manifest @ONLY)

set(RESOURCE_FILE ${CMAKE_SOURCE_DIR}/resources/rufdepot.rc)
set_source_files_properties(${RESOURCE_FILE} PROPERTIES
  OBJECT_DEPENDS "${ICON_FILES};${GENERATED_DIR}/Rufdepot.manifest")

add_executable(Rufdepot WIN32 window/program_entry.cpp ${RESOURCE_FILE})
target_include_directories(Rufdepot PRIVATE ${GENERATED_DIR} ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(Rufdepot PRIVATE rufdepot_window)
add_dependencies(Rufdepot rufdepot_icons)
set_target_properties(Rufdepot PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The shipped build carries no symbols and drops unused code.
target_compile_options(rufdepot_window PRIVATE $<$<CONFIG:MinSizeRel>:-ffunction-sections -fdata-sections>)
target_link_options(Rufdepot PRIVATE $<$<CONFIG:MinSizeRel>:-s -Wl,--gc-sections>)
