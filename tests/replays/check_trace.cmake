# Runs one golden replay and compares its trace with the committed one.
#   cmake [-DEMULATOR=<wine>] -DREPLAY=<sorvi-replay> -DSCRIPT=<x.script> -DTRACE=<x.trace> -DOUT=<file> -P check_trace.cmake
# The script's first line "#! OPTIONS" holds the runner's options. A .soak
# file holds only that line: the runner plays on its own seeded input.
file(STRINGS ${SCRIPT} header LIMIT_COUNT 1)
string(REGEX REPLACE "^#! *" "" options "${header}")
separate_arguments(options UNIX_COMMAND "${options}")
set(input ${SCRIPT})
if(SCRIPT MATCHES "\\.soak$")
  set(input)
endif()
execute_process(COMMAND ${EMULATOR} ${REPLAY} ${options} ${input}
                OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "sorvi-replay failed (${status}) on ${SCRIPT}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${TRACE} RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff ${TRACE} ${OUT} OUTPUT_VARIABLE difference)
  string(SUBSTRING "${difference}" 0 3000 difference)
  message(FATAL_ERROR "trace of ${SCRIPT} differs from ${TRACE}:\n${difference}\n"
                      "If the change is deliberate, regenerate with tools/regen-traces.")
endif()
