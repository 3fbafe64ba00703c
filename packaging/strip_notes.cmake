# sorvi_strip_notes_on_install(DIR NAME): a stripped install (cmake --install
# --strip, and the packages) also drops the compiler's notes from the
# installed DIR/NAME, as Debian's own packages do. DIR may be relative to
# the install prefix.
function(sorvi_strip_notes_on_install DIR NAME)
  if(IS_ABSOLUTE ${DIR})
    set(_installed "${DIR}/${NAME}")
  else()
    set(_installed "\${CMAKE_INSTALL_PREFIX}/${DIR}/${NAME}")
  endif()
  install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}${_installed}\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
endfunction()
