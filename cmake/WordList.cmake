# Turns a word list (one word a line) into the body of a C++ array of string literals:
#   cmake -DINPUT=list.txt -DOUTPUT=list.inc -P WordList.cmake
# Only lower-case letters and hyphens are taken, so that no word can break out of its literal.
file(READ "${INPUT}" text)
if(NOT text MATCHES "^([a-z-]+\n)+$")
  message(FATAL_ERROR "${INPUT}: every line must be one word of a-z and '-', ending in a line feed")
endif()
string(REGEX REPLACE "([a-z-]+)\n" "\"\\1\",\n" body "${text}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp" "// Generated from ${name} by cmake/WordList.cmake: do not edit.\n${body}")
# Unchanged output keeps its time stamp, so nothing that includes it is rebuilt.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
