# sorvi_golden_replays(): a test per golden script of tests/replays, which
# runs this build's sorvi-replay on it and compares the whole trace, byte for
# byte, with the committed one.
function(sorvi_golden_replays)
  set(_dir ${PROJECT_SOURCE_DIR}/tests/replays)
  file(GLOB _replays CONFIGURE_DEPENDS ${_dir}/*.script ${_dir}/*.soak)
  foreach(script ${_replays})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME replay.${name}
             COMMAND ${CMAKE_COMMAND} "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
                     -DREPLAY=$<TARGET_FILE:sorvi-replay> -DSCRIPT=${script}
                     -DTRACE=${_dir}/${name}.trace
                     -DOUT=${CMAKE_CURRENT_BINARY_DIR}/replay-${name}.trace
                     -P ${_dir}/check_trace.cmake)
  endforeach()
endfunction()
