# The web edition's programs (included from app/ in an emcc build):
#   site/            the page to put on a web host: reedshot.js, .wasm, its
#                    worker, index.html, the service worker, manifest, icon
#                    (target reedshot_site)
#   reedshot_node.js the same program for node (headless runs, the demo)
# main() runs on a worker thread (PROXY_TO_PTHREAD), where it may block as
# on the desktop; the page's thread only draws, listens and plays. Two
# workers wait from the start: the main thread's and the mixing thread's.
set(site ${CMAKE_BINARY_DIR}/site)
set(common_link -sPROXY_TO_PTHREAD=1 -sEXIT_RUNTIME=1 -sINITIAL_MEMORY=134217728
  -sPTHREAD_POOL_SIZE=2 -sEXPORTED_FUNCTIONS=_main,_malloc,_free)

add_executable(reedshot main.cpp)
target_link_libraries(reedshot PRIVATE reedshot_streamed_resources reedshot_app)
target_link_options(reedshot PRIVATE ${common_link} -sENVIRONMENT=web,worker
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/platform/web/web_touch_pad.js"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/platform/web/web_audio_worklet.js"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/platform/web/web_device.js"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/platform/web/web_keyboard.js")
set_target_properties(reedshot PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${site}
  LINK_DEPENDS "${CMAKE_SOURCE_DIR}/platform/web/web_device.js;${CMAKE_SOURCE_DIR}/platform/web/web_touch_pad.js;${CMAKE_SOURCE_DIR}/platform/web/web_audio_worklet.js;${CMAKE_SOURCE_DIR}/platform/web/web_keyboard.js")

add_executable(reedshot_node main.cpp)
target_link_libraries(reedshot_node PRIVATE reedshot_app)
target_link_options(reedshot_node PRIVATE ${common_link} -sENVIRONMENT=node,worker -sNODERAWFS=1)
set_target_properties(reedshot_node PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY
  ${CMAKE_BINARY_DIR})

# The page's own files, and the icon a native build has drawn.
file(GLOB page_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/*.webmanifest)
set(page_outputs)
foreach(file IN LISTS page_files)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${site}/${name} COMMAND ${CMAKE_COMMAND} -E copy ${file} ${site}/${name}
    DEPENDS ${file})
  list(APPEND page_outputs ${site}/${name})
endforeach()
set(icon_tool ${REEDSHOT_NATIVE_BUILD}/drivers/reedshot_icon)
add_custom_command(OUTPUT ${site}/icon.png ${site}/icon-192.png ${site}/icon-512.png
  COMMAND ${icon_tool} 128 ${site}/icon.png
  COMMAND ${icon_tool} 192 ${site}/icon-192.png
  COMMAND ${icon_tool} 512 ${site}/icon-512.png
  DEPENDS ${icon_tool})
add_custom_target(reedshot_page ALL DEPENDS ${page_outputs} ${site}/icon.png)
add_dependencies(reedshot reedshot_page)

# The page and its service worker, with the version and sizes of the
# program beside them (web/stamp.cmake).
add_custom_target(reedshot_site ALL
  COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DPAGE=${CMAKE_SOURCE_DIR}/web
          -P ${CMAKE_SOURCE_DIR}/web/stamp.cmake
  VERBATIM)
add_dependencies(reedshot_site reedshot)
