# The page's files together weigh at most LIMIT bytes: the page must load
# quickly, with nothing fetched from elsewhere. Every file of the page's
# folder counts but the replay runner for node, which tools/web puts beside.
#   cmake -DPAGE=<the page's folder> -DLIMIT=<bytes> -P page_weight.cmake
foreach(name index.html style.css page.js sorvi-kadra99.js sorvi-kadra99.wasm)
  if(NOT EXISTS ${PAGE}/${name})
    message(FATAL_ERROR "${PAGE}/${name} is missing: build the page (target sorvi-kadra99) first")
  endif()
endforeach()
file(GLOB files LIST_DIRECTORIES false ${PAGE}/*)
list(FILTER files EXCLUDE REGEX "/sorvi-replay\\.[^/]*$")
set(total 0)
foreach(file ${files})
  file(SIZE ${file} size)
  math(EXPR total "${total} + ${size}")
endforeach()
list(LENGTH files count)
math(EXPR kib "${total} / 1024")
math(EXPR limit_kib "${LIMIT} / 1024")
if(total GREATER LIMIT)
  message(FATAL_ERROR "the page's ${count} files weigh ${kib} KiB (${total} bytes), over ${limit_kib} KiB")
endif()
message("the page's ${count} files weigh ${kib} KiB (at most ${limit_kib})")
