# In-memory stand-ins for the window, the dialogs and the operating system,
# linked into the core's tests and the fuzz targets in place of the real ones.
file(GLOB FAKE_WINDOW_SOURCES CONFIGURE_DEPENDS tests/fakes/fake_window*.cpp tests/fakes/fake_dialogs*.cpp)
add_library(rufdepot_fake_window STATIC ${FAKE_WINDOW_SOURCES})
target_include_directories(rufdepot_fake_window PUBLIC ${CMAKE_SOURCE_DIR})

add_library(rufdepot_fake_system STATIC tests/fakes/fake_system.cpp)
target_include_directories(rufdepot_fake_system PUBLIC ${CMAKE_SOURCE_DIR})
