# What makes the page an app that plays offline: its manifest and icons
# (made from the window icon's art by nearest neighbour) and a service
# worker that keeps the page's files, named after a hash of them.
#
# sorvi_web_installable(TARGET DIR FILE...): TARGET's page in DIR, whose
# own files (full paths) are FILE...; the program's .js and .wasm and the
# files made here are kept as well.
function(sorvi_web_installable target dir)
  set(_made ${dir}/manifest.webmanifest)
  add_custom_command(
    OUTPUT ${dir}/manifest.webmanifest
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest ${dir}/
    DEPENDS ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest)
  foreach(_size 192 512)
    add_custom_command(
      OUTPUT ${dir}/icon-${_size}.png
      COMMAND ${SORVI_ICON} ${PROJECT_SOURCE_DIR}/res/icon.bmp --png ${_size} ${dir}/icon-${_size}.png
      DEPENDS ${SORVI_ICON_DEPENDS} ${PROJECT_SOURCE_DIR}/res/icon.bmp)
    list(APPEND _made ${dir}/icon-${_size}.png)
  endforeach()
  add_custom_target(${target}_installable DEPENDS ${_made})
  add_dependencies(${target} ${target}_installable)

  # The worker is written once the program is linked, from all of the
  # page's files; a change to any of them links the program again, so that
  # the worker's build hash always follows the page.
  set(_kept ${ARGN} ${_made})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${_kept})
  set(_names sorvi-kadra99.js sorvi-kadra99.wasm)
  foreach(_file ${_kept})
    get_filename_component(_name ${_file} NAME)
    list(APPEND _names ${_name})
  endforeach()
  string(REPLACE ";" "," _names "${_names}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DDIR=${dir} -DFILES=${_names}
            -DTEMPLATE=${PROJECT_SOURCE_DIR}/web/service-worker.js
            -P ${PROJECT_SOURCE_DIR}/src/platform/web/service_worker.cmake
    VERBATIM)
endfunction()
