# The web edition, built with emcc (emcmake cmake ... from scripts/build-web).
#   REEDSHOT_WEB_DEPS     folder holding sqlite3/sqlite3.c and zlib/*.c
#   REEDSHOT_NATIVE_BUILD a native build folder whose asset targets are built:
#                         the pictures and sounds are drawn by native tools.
set(REEDSHOT_WEB_DEPS "" CACHE PATH "Sources of SQLite and zlib for the web edition")
set(REEDSHOT_NATIVE_BUILD "" CACHE PATH "Native build folder with the drawn assets")
if(NOT EXISTS "${REEDSHOT_WEB_DEPS}/sqlite3/sqlite3.c" OR NOT EXISTS "${REEDSHOT_WEB_DEPS}/zlib/zlib.h")
  message(FATAL_ERROR "REEDSHOT_WEB_DEPS must hold sqlite3/ and zlib/ (scripts/build-web fetches them)")
endif()
if(NOT EXISTS "${REEDSHOT_NATIVE_BUILD}/assets/tool/manifest_table.cpp")
  message(FATAL_ERROR "REEDSHOT_NATIVE_BUILD must be a native build with its assets made")
endif()

# Every object shares the one memory of the program's threads; the blitters
# and the mixer are vectorised with WebAssembly's SIMD.
add_compile_options(-pthread -msimd128)
add_link_options(-pthread)
# Built for speed where the game spends its time (drawing, mixing, the
# game's own work), for size where it does not: SQLite (below) is most of
# the code and runs only when the data is read or written.
add_compile_options(-O2)
add_link_options(-O2)
# Records keep every field of their layout, some only written; clang says so.
add_compile_options(-Wno-unused-private-field)

# Third-party C code: its own warnings are not ours to fix.
add_library(reedshot_sqlite3 STATIC ${REEDSHOT_WEB_DEPS}/sqlite3/sqlite3.c)
target_include_directories(reedshot_sqlite3 SYSTEM PUBLIC ${REEDSHOT_WEB_DEPS}/sqlite3)
# No write-ahead log (it needs shared memory between processes, and the
# browser's file system has none); the rollback journal keeps commits whole.
# Nor what the game never asks of it: JSON, UTF-16, shared cache, progress
# callbacks, deprecated calls.
target_compile_definitions(reedshot_sqlite3 PRIVATE SQLITE_OMIT_WAL SQLITE_OMIT_LOAD_EXTENSION
  SQLITE_THREADSAFE=1 SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_OMIT_JSON SQLITE_OMIT_UTF16
  SQLITE_OMIT_SHARED_CACHE SQLITE_OMIT_PROGRESS_CALLBACK SQLITE_OMIT_DEPRECATED
  SQLITE_OMIT_DECLTYPE SQLITE_OMIT_COMPLETE SQLITE_OMIT_GET_TABLE)
target_compile_options(reedshot_sqlite3 PRIVATE -w -Os)

file(GLOB zlib_sources ${REEDSHOT_WEB_DEPS}/zlib/*.c)
add_library(reedshot_zlib STATIC ${zlib_sources})
target_include_directories(reedshot_zlib SYSTEM PUBLIC ${REEDSHOT_WEB_DEPS}/zlib)
target_compile_options(reedshot_zlib PRIVATE -w)

add_library(reedshot_web_runtime INTERFACE)
