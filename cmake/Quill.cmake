# quill_layer(<folder> [libraries...])
# States once which folders the code of <folder> may include: its own, and
# those of the libraries it links with theirs in turn. The layering test
# (tests/layering) reads the rules from layers.txt in the build folder, which
# quill_write_layers() writes at the end of the configuration.
function(quill_layer folder)
  set(_allowed ${folder})
  foreach(_library ${ARGN})
    get_property(_below GLOBAL PROPERTY QUILL_FOLDER_OF_${_library})
    if(NOT _below)
      message(FATAL_ERROR "quill_layer(${folder}): ${_library} is not a library of the program")
    endif()
    get_property(_reach GLOBAL PROPERTY QUILL_ALLOWED_${_below})
    list(APPEND _allowed ${_reach})
  endforeach()
  list(REMOVE_DUPLICATES _allowed)
  set_property(GLOBAL PROPERTY QUILL_ALLOWED_${folder} ${_allowed})
  set_property(GLOBAL APPEND PROPERTY QUILL_LAYERS ${folder})
endfunction()

# Writes the rules of every quill_layer() call to layers.txt: one line per
# folder, "folder: allowed allowed ...".
function(quill_write_layers)
  get_property(_folders GLOBAL PROPERTY QUILL_LAYERS)
  set(_text "")
  foreach(_folder ${_folders})
    get_property(_allowed GLOBAL PROPERTY QUILL_ALLOWED_${_folder})
    list(JOIN _allowed " " _line)
    string(APPEND _text "${_folder}: ${_line}\n")
  endforeach()
  file(WRITE ${PROJECT_BINARY_DIR}/layers.txt "${_text}")
endfunction()

# quill_core_library(<target> <folder> [deps...])
# A static library of every .cpp in <folder>. A folder that holds no code yet
# still yields a (header-less) interface target, so the dependency chain stands.
# The links are the only allowed direction of dependency between folders.
function(quill_core_library target folder)
  set_property(GLOBAL PROPERTY QUILL_FOLDER_OF_${target} ${folder})
  quill_layer(${folder} ${ARGN})
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
