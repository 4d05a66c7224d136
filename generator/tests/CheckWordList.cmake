# The program holds 7,776 distinct words, and they hash to the checksum its README records.
execute_process(COMMAND ${DUMP} OUTPUT_VARIABLE words RESULT_VARIABLE status)
file(READ ${README} readme)
string(REGEX MATCH "SHA-256 of this file: ([0-9a-f]+)" _ "${readme}")
set(expected "${CMAKE_MATCH_1}")
string(SHA256 hash "${words}")
string(REGEX MATCHALL "[^\n]+" list "${words}")
list(LENGTH list count)
list(REMOVE_DUPLICATES list)
list(LENGTH list distinct)
if(NOT status EQUAL 0 OR NOT count EQUAL 7776 OR NOT distinct EQUAL 7776
   OR NOT hash STREQUAL expected)
  message(FATAL_ERROR "${count} words, ${distinct} distinct, SHA-256 ${hash}; "
                      "expected 7776 distinct, SHA-256 ${expected}")
endif()
