# Byte-identical Windows builds from any checkout folder: no build paths in the objects (__FILE__,
# debug info) and no link time stamp in the executable's header. A release sets SOURCE_DATE_EPOCH.
if(TALLOWMERE_HOST OR MSVC)
  return()
endif()
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
add_link_options(-Wl,--no-insert-timestamp)
