# tallowmere_system_libraries_only(<exe>): the libraries the executable imports load from the
# system folder only, from the first one the loader maps (cmake/LoadConfig.cpp says why), and the
# test load_config_<exe> checks the built file for it (the flags at offset 0x4E of the structure).
find_program(TALLOWMERE_PYTHON3 python3)
function(tallowmere_system_libraries_only target)
  if(MSVC)
    target_link_options(${target} PRIVATE /DEPENDENTLOADFLAG:0x800)
    return()
  endif()
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/LoadConfig.cpp)
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  target_link_options(${target} PRIVATE -Wl,-Map=${map})
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${TALLOWMERE_PYTHON3} ${PROJECT_SOURCE_DIR}/cmake/LoadConfig.py
                             $<TARGET_FILE:${target}> ${map}
                     VERBATIM)
  add_test(NAME load_config_${target}
           COMMAND bash -c "entry=($(${CMAKE_OBJDUMP} -p \"$0\" | grep 'Load Configuration Directory'))
                            base=$(${CMAKE_OBJDUMP} -p \"$0\" | sed -n 's/^ImageBase[[:space:]]*//p')
                            at=$((0x$base + 0x\${entry[2]} + 0x4E))
                            flags=$(${CMAKE_OBJDUMP} -s --start-address=$at --stop-address=$((at + 2)) \"$0\" | awk 'END { print $2 }')
                            [ \"\${entry[3]}\" != 00000000 ] && [ \"$flags\" = 0008 ] || { echo \"load configuration: \${entry[*]}, flags $flags\"; exit 1; }"
                   $<TARGET_FILE:${target}>)
endfunction()
