# The page's files together weigh at most LIMIT bytes: the page must load
# quickly, with nothing fetched from elsewhere.
#   cmake -DPAGE=<the page's folder> -DLIMIT=<bytes> -P page_weight.cmake
set(total 0)
foreach(name index.html style.css page.js sorvi-kadra99.js sorvi-kadra99.wasm)
  if(NOT EXISTS ${PAGE}/${name})
    message(FATAL_ERROR "${PAGE}/${name} is missing: build the page (target sorvi-kadra99) first")
  endif()
  file(SIZE ${PAGE}/${name} size)
  math(EXPR total "${total} + ${size}")
endforeach()
math(EXPR kib "${total} / 1024")
math(EXPR limit_kib "${LIMIT} / 1024")
if(total GREATER LIMIT)
  message(FATAL_ERROR "the page's files weigh ${kib} KiB (${total} bytes), over ${limit_kib} KiB")
endif()
message("the page's files weigh ${kib} KiB (at most ${limit_kib})")
