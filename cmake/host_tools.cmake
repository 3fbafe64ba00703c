# The build-time generators run on the build machine. In a native build
# they are targets of this build; in a cross build (Windows, the browser)
# they come from a native build of their own in host-tools/, made with the
# build machine's compiler. Either way ${SORVI_<NAME>} is the command to run
# and ${SORVI_<NAME>_DEPENDS} what a rule using it depends on.
include(${CMAKE_CURRENT_LIST_DIR}/host_tool_list.cmake)

set(_host_dir ${CMAKE_BINARY_DIR}/host-tools)
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(SORVI_HOST_CXX "c++" CACHE STRING "The build machine's C++ compiler, for the generators")
  list(TRANSFORM SORVI_HOST_TOOLS PREPEND ${_host_dir}/ OUTPUT_VARIABLE _byproducts)
  ExternalProject_Add(sorvi_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/host
    BINARY_DIR ${_host_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=
               -DCMAKE_CXX_COMPILER=${SORVI_HOST_CXX}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${_byproducts})
else()
  foreach(_dir ${SORVI_HOST_TOOL_DIRS})
    add_subdirectory(tools/${_dir})
  endforeach()
endif()

foreach(_tool ${SORVI_HOST_TOOLS})
  string(REPLACE "sorvi-" "" _name ${_tool})
  string(TOUPPER ${_name} _name)
  if(CMAKE_CROSSCOMPILING)
    set(SORVI_${_name} ${_host_dir}/${_tool})
    set(SORVI_${_name}_DEPENDS sorvi_host_tools ${_host_dir}/${_tool})
  else()
    set(SORVI_${_name} $<TARGET_FILE:${_tool}>)
    set(SORVI_${_name}_DEPENDS ${_tool})
  endif()
endforeach()
