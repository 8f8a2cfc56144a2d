# brenvik_add_plugin(NAME <code in lower case> SOURCES ... [LIBS ...] [OUTPUT_DIRECTORY dir])
# A form or register plug-in: a module library <name>.so in the program directory (or in
# OUTPUT_DIRECTORY, for plug-ins that only tests load), linked against zedivu.
function(brenvik_add_plugin)
  cmake_parse_arguments(P "" "NAME;OUTPUT_DIRECTORY;TARGET" "SOURCES;LIBS" ${ARGN})
  if(NOT P_NAME MATCHES "^[a-z0-9]+$")
    message(FATAL_ERROR "brenvik_add_plugin: NAME must be the form code in lower case, got '${P_NAME}'")
  endif()
  if(NOT P_TARGET)
    set(P_TARGET plugin_${P_NAME})
  endif()
  if(NOT P_OUTPUT_DIRECTORY)
    set(P_OUTPUT_DIRECTORY ${BRENVIK_BIN_DIR})
  endif()
  add_library(${P_TARGET} MODULE ${P_SOURCES})
  set_target_properties(${P_TARGET} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${P_NAME}
    SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${P_OUTPUT_DIRECTORY}
    BUILD_RPATH "$ORIGIN;${BRENVIK_BIN_DIR}")
  target_link_libraries(${P_TARGET} PRIVATE zedivu ${P_LIBS})
  # Unique symbols (inline statics of templates) would make the library impossible to
  # unload, and then its window classes would outlive their code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${P_TARGET} PRIVATE -fno-gnu-unique)
  endif()
  target_link_options(${P_TARGET} PRIVATE -Wl,--no-undefined)
endfunction()

# brenvik_plugin_tests(NAME <code in lower case> [WITH <plug-in> ...] [SOURCES ...])
# One test per tests/test_*.cpp of a form plug-in, named <code>_test_..., linked against
# zedivu (and SOURCES), built after the plug-in, the plug-ins it is tested beside (WITH),
# the main database and the logo; each of those plug-ins' files is BRENVIK_<CODE>_PLUGIN.
function(brenvik_plugin_tests)
  cmake_parse_arguments(T "" "NAME" "WITH;SOURCES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/test_*.cpp)
  set(deps)
  set(defs)
  foreach(p ${T_NAME} ${T_WITH})
    string(TOUPPER ${p} code)
    list(APPEND deps plugin_${p})
    list(APPEND defs BRENVIK_${code}_PLUGIN="$<TARGET_FILE:plugin_${p}>")
  endforeach()
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    set(test ${T_NAME}_${name})
    brenvik_add_test(NAME ${test} SOURCES ${src} ${T_SOURCES} LIBS zedivu)
    add_dependencies(${test} ${deps} maindb logo)
    target_include_directories(${test} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/tests
      ${PROJECT_SOURCE_DIR}/zedivu/tests/common)
    target_compile_definitions(${test} PRIVATE ${defs})
  endforeach()
endfunction()
