# System libraries the program needs only for a command (the file and print dialogs, printing,
# Generate, the About box's links) or seldom (the shell's folder query, a fallback) are loaded when
# first called instead of at start: each takes milliseconds to load, on every start. A delay-load import library is made from cmake/delayload/<name>.def, which lists the
# functions used; a function missing there would be imported at start again, which the
# imports_at_start test reports.
function(tallowmere_link_delayed target name)
  set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${name}.def)
  set(lib ${PROJECT_BINARY_DIR}/delayload/lib${name}_delayed.a)
  if(NOT TARGET delayload_${name})
    add_custom_command(
      OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/delayload
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
              --temp-prefix ${PROJECT_BINARY_DIR}/delayload/${name}
      DEPENDS ${def}
      VERBATIM)
    add_custom_target(delayload_${name} DEPENDS ${lib})
  endif()
  add_dependencies(${target} delayload_${name})
  target_link_libraries(${target} PUBLIC ${lib})
endfunction()
