# System libraries the program needs only for a command (the file and print dialogs, printing,
# Generate, the About box's links) or seldom (the shell's folder query, a fallback) are loaded when
# first called instead of at start: each takes milliseconds to load, on every start. A delay-load import library is made from cmake/delayload/<name>.def, which lists the
# functions used; a function missing there would be imported at start again, which the
# imports_at_start test reports.
# Visual Studio's linker delays a whole DLL itself (/DELAYLOAD with delayimp.lib); its name is
# the one the .def file gives.
function(tallowmere_link_delayed target name)
  set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${name}.def)
  if(MSVC)
    file(STRINGS ${def} library REGEX "^LIBRARY ")
    string(REGEX REPLACE "^LIBRARY +" "" dll "${library}")
    target_link_libraries(${target} PUBLIC ${name} delayimp)
    # 4199: a program of ours that calls nothing of that DLL (a test) imports nothing to delay.
    target_link_options(${target} INTERFACE /DELAYLOAD:${dll} /IGNORE:4199)
    return()
  endif()
  set(lib ${PROJECT_BINARY_DIR}/delayload/lib${name}_delayed.a)
  if(NOT TARGET delayload_${name})
    # Made in its own folder under a relative name: the library's name becomes part of the
    # symbols it defines, and a build folder's path would make the executable differ by folder.
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/delayload)
    add_custom_command(
      OUTPUT ${lib}
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib lib${name}_delayed.a
              --temp-prefix ${name}
      WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/delayload
      DEPENDS ${def}
      VERBATIM)
    add_custom_target(delayload_${name} DEPENDS ${lib})
  endif()
  add_dependencies(${target} delayload_${name})
  target_link_libraries(${target} PUBLIC ${lib})
endfunction()
