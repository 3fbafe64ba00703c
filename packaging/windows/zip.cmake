# Packs the zip a Windows player downloads: the program, README.txt and
# LICENSE.txt with Windows line endings, and the program's source as an
# archive made by git, so that the zip meets the licence on its own.
#
#   cmake -DSOURCE_DIR=... -DPROGRAM=... -DVERSION=... -DWORK_DIR=... -DZIP=... -P zip.cmake
#
# The source is the commit checked out; with changes not yet committed, the
# working tree as it is (what the program was built from), said in one line.
cmake_minimum_required(VERSION 3.25)

foreach(name SOURCE_DIR PROGRAM VERSION WORK_DIR ZIP)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "zip.cmake: ${name} is not set")
  endif()
endforeach()

set(_name sorvi-kadra99-${VERSION})
set(_folder ${WORK_DIR}/${_name}-win64)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${_folder})

find_program(GIT git)
if(NOT GIT OR NOT EXISTS ${SOURCE_DIR}/.git)
  message(FATAL_ERROR "The zip carries the program's source, made with git archive: "
                      "${SOURCE_DIR} must be a git checkout and git installed.")
endif()
function(run_git)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} ${ARGN} RESULT_VARIABLE _failed
                  OUTPUT_VARIABLE _out ERROR_VARIABLE _error OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(_failed)
    message(FATAL_ERROR "git ${ARGN} failed: ${_error}")
  endif()
  set(git_output "${_out}" PARENT_SCOPE)
endfunction()

run_git(status --porcelain)
if(git_output STREQUAL "")
  set(_tree HEAD)
else()
  # Every file git would take, changed or new, through an index of our
  # own: the checkout's own index stays as it is.
  set(ENV{GIT_INDEX_FILE} ${WORK_DIR}/index)
  run_git(read-tree HEAD)
  run_git(add -A)
  run_git(write-tree)
  set(_tree ${git_output})
  unset(ENV{GIT_INDEX_FILE})
  message(STATUS "The source archive holds the working tree, which has changes not committed")
endif()
run_git(archive --format=zip --prefix=${_name}/ -o ${_folder}/${_name}-source.zip ${_tree})

# Text for Notepad: Windows line endings.
function(windows_text from to)
  file(READ ${from} _text)
  string(REPLACE "@VERSION@" "${VERSION}" _text "${_text}")
  string(REPLACE "\r\n" "\n" _text "${_text}")
  string(REPLACE "\n" "\r\n" _text "${_text}")
  file(WRITE ${to} "${_text}")
endfunction()
windows_text(${CMAKE_CURRENT_LIST_DIR}/README.txt ${_folder}/README.txt)
windows_text(${SOURCE_DIR}/LICENSE ${_folder}/LICENSE.txt)
file(COPY ${PROGRAM} DESTINATION ${_folder})

file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${_name}-win64
                WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE _failed)
if(_failed)
  message(FATAL_ERROR "Could not write ${ZIP}")
endif()
