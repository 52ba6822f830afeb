# Writes the site's service worker from sw.js.in, its cache named by a hash of
# the site's files, and zips the site: cmake -DSITE=dir -DZIP=file -DFILES=a;b
# -DTEMPLATE=sw.js.in -P site.cmake.
set(hashes "")
set(quoted "")
foreach(file ${FILES})
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes ${hash})
    list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 SPIRELLE_SITE_VERSION)
list(JOIN quoted ", " SPIRELLE_SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${FILES} sw.js
                WORKING_DIRECTORY ${SITE} COMMAND_ERROR_IS_FATAL ANY)
