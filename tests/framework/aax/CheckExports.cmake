# Compares the dynamic symbols a module defines with EXPECTED (a list).
execute_process(COMMAND nm -D --defined-only --format=just-symbols ${MODULE}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${MODULE}")
endif()
string(REGEX REPLACE "\n$" "" symbols "${symbols}")
string(REPLACE "\n" ";" symbols "${symbols}")
list(SORT symbols)
set(expected ${EXPECTED})
list(SORT expected)
if(NOT symbols STREQUAL expected)
  message(FATAL_ERROR "exported: ${symbols}\nexpected: ${expected}")
endif()
