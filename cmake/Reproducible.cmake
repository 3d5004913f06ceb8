# The same sources give the same exe wherever they are built and whenever:
# no build paths in the objects, no link time in the PE header.
add_compile_options(
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
  -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
add_link_options(-Wl,--no-insert-timestamp)
