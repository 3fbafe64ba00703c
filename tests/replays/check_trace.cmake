# Runs one golden replay with the options its script names and compares
# its trace with the committed one; the one place that reads those options.
#   cmake [-DEMULATOR=<wine|node>] -DREPLAY=<sorvi-replay> -DSCRIPT=<x.script>
#         -DTRACE=<x.trace> -DOUT=<file> -P check_trace.cmake
# -DMODE=write writes the trace to TRACE instead (tools/regen-traces);
# -DMODE=run only runs it, with the trace in OUT and EXTRA's options after
# the script's own, which they override (tools/screenshots).
#
# The script's first line "#! OPTIONS" holds the runner's options. A .soak
# file holds only that line and comments: the runner plays on its own
# seeded input.
if(NOT DEFINED MODE)
  set(MODE compare)
endif()
if(NOT MODE MATCHES "^(compare|write|run)$")
  message(FATAL_ERROR "MODE must be compare, write or run, not '${MODE}'")
endif()
file(STRINGS ${SCRIPT} header LIMIT_COUNT 1)
if(NOT header MATCHES "^#!")
  message(FATAL_ERROR "${SCRIPT} does not begin with a line '#! OPTIONS'")
endif()
string(REGEX REPLACE "^#! *" "" options "${header}")
separate_arguments(options UNIX_COMMAND "${options}")
set(input ${SCRIPT})
if(SCRIPT MATCHES "\\.soak$")
  set(input)
endif()
if(MODE STREQUAL "write")
  # Beside the trace first: a failed run leaves the committed one whole.
  set(OUT ${TRACE}.part)
endif()
execute_process(COMMAND ${EMULATOR} ${REPLAY} ${options} ${EXTRA} ${input}
                OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  if(MODE STREQUAL "write")
    file(REMOVE ${OUT})
  endif()
  message(FATAL_ERROR "sorvi-replay failed (${status}) on ${SCRIPT}")
endif()
if(MODE STREQUAL "write")
  file(RENAME ${OUT} ${TRACE})
endif()
if(NOT MODE STREQUAL "compare")
  return()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${TRACE} RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff ${TRACE} ${OUT} OUTPUT_VARIABLE difference)
  string(SUBSTRING "${difference}" 0 3000 difference)
  message(FATAL_ERROR "trace of ${SCRIPT} differs from ${TRACE}:\n${difference}\n"
                      "If the change is deliberate, regenerate with tools/regen-traces.")
endif()
