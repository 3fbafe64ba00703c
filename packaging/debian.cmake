# What the game's and the core's Debian packages share.

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

# sorvi_debian_package(NAME): the settings every package of ours shares, for
# a package named NAME; the caller adds its own, then includes CPack.
macro(sorvi_debian_package NAME)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME ${NAME})
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGE_CONTACT ${SORVI_PACKAGE_MAINTAINER})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
endmacro()
