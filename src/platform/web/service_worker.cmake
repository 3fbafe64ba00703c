# Writes the page's service worker into DIR from TEMPLATE: the page's
# FILES (comma-separated names in DIR) and a hash of their bytes, which
# names this build.
#   cmake -DDIR=<page> -DFILES=<a,b,...> -DTEMPLATE=<service-worker.js> -P service_worker.cmake
string(REPLACE "," ";" files "${FILES}")
set(hashes)
set(quoted)
foreach(name ${files})
  if(NOT EXISTS ${DIR}/${name})
    message(FATAL_ERROR "${DIR}/${name} is missing: the service worker must keep every file of the page")
  endif()
  file(SHA256 ${DIR}/${name} hash)
  string(APPEND hashes "${name} ${hash}\n")
  list(APPEND quoted "'${name}'")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 SORVI_BUILD)
string(REPLACE ";" ", " SORVI_FILES "${quoted}")
configure_file(${TEMPLATE} ${DIR}/service-worker.js @ONLY)
