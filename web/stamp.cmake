# Writes the page (index.html) and its service worker (sw.js) into a built
# site, with the site's version and the sizes of the program's files:
#   cmake -DSITE=<folder> [-DPAGE=<folder of index.html and sw.js>] -P stamp.cmake
# The version is taken from the program's contents, so a rebuilt program is
# a new version and an unchanged one keeps its cached copy.
cmake_minimum_required(VERSION 3.25)
if(NOT PAGE)
  set(PAGE ${SITE})
endif()

set(sizes "")
set(hashes "")
foreach(name reedshot.js reedshot.wasm reedshot.worker.js reedshot.data)
  file(SIZE ${SITE}/${name} size)
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND sizes "\"${name}\": ${size}, ")
  string(APPEND hashes "${hash}")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
string(REGEX REPLACE ", $" "" sizes "${sizes}")
set(site "/*site*/{\"version\": \"${version}\", \"sizes\": {${sizes}}}/*site*/")

foreach(name index.html sw.js)
  file(READ ${PAGE}/${name} text)
  string(REGEX REPLACE "/\\*site\\*/[^\n]*/\\*site\\*/" "${site}" text "${text}")
  set(old "")
  if(EXISTS ${SITE}/${name})
    file(READ ${SITE}/${name} old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE ${SITE}/${name} "${text}")
  endif()
endforeach()
