# quill_core_library(<target> <folder> [deps...])
# A static library of every .cpp in <folder>. A folder that holds no code yet
# still yields a (header-less) interface target, so the dependency chain stands.
function(quill_core_library target folder)
  file(GLOB _sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  if(_sources)
    add_library(${target} STATIC ${_sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARGN} PRIVATE quill_warnings)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARGN})
  endif()
endfunction()

# quill_gtest(<target> <folder> <libs...>)
# A GoogleTest executable of every .cpp in tests/<folder>, registered with CTest.
function(quill_gtest target folder)
  file(GLOB _sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT _sources)
    return()
  endif()
  add_executable(${target} ${_sources})
  target_link_libraries(${target} PRIVATE ${ARGN} quill_test_support GTest::gtest GTest::gtest_main
                                          quill_warnings)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS core ENVIRONMENT "QUILL_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()
