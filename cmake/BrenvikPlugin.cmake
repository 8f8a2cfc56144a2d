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
