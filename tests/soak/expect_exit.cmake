# Runs sorvi-replay and checks its exit status and a piece of its stderr.
#   cmake -DREPLAY=<sorvi-replay> -DARGS=<a;b> -DSTATUS=<n> -DSTDERR=<text> -P expect_exit.cmake
execute_process(COMMAND ${REPLAY} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "sorvi-replay ${ARGS} exited with ${status}, want ${STATUS}\n${out}${err}")
endif()
string(FIND "${err}" "${STDERR}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "sorvi-replay ${ARGS}: stderr lacks '${STDERR}':\n${err}")
endif()
