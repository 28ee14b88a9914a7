# One static library per subsystem folder, made of every .cpp in it. A folder
# with no sources yet becomes an interface library so that links still work.
# FOLDERS names subfolders whose sources join the library too (the screens'
# widgets; the platform's devices, of which each build takes those it runs on).
function(reedshot_subsystem name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  foreach(folder IN LISTS arg_FOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  if(sources)
    add_library(reedshot_${name} STATIC ${sources})
    target_include_directories(reedshot_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  else()
    add_library(reedshot_${name} INTERFACE)
    target_include_directories(reedshot_${name} INTERFACE ${CMAKE_SOURCE_DIR})
  endif()
endfunction()

# Link helper that works for both kinds of library.
function(reedshot_link target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${target} INTERFACE ${ARGN})
  else()
    target_link_libraries(${target} PUBLIC ${ARGN})
  endif()
endfunction()

# One GoogleTest executable per folder under tests/. Each test has a time
# limit, so that a hang fails with the test's name instead of stalling the run.
# Tests that share a resource (REEDSHOT_TEST_LOCK, set by the caller) run one
# at a time.
set(REEDSHOT_TEST_TIMEOUT 180 CACHE STRING "Seconds each ctest test may take")

function(reedshot_test_suite name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  set(properties LABELS unit TIMEOUT ${REEDSHOT_TEST_TIMEOUT})
  if(REEDSHOT_TEST_LOCK)
    list(APPEND properties RESOURCE_LOCK ${REEDSHOT_TEST_LOCK})
  endif()
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
