# brenvik_request_test(NAME <test> CODE <code in lower case> SOURCES ...)
# A test of a request form plug-in in a document with the test form PRUEBA, over a copy
# of the main database (documentosolicitud.h).
include_guard(GLOBAL)

function(brenvik_request_test)
  cmake_parse_arguments(T "" "NAME;CODE" "SOURCES" ${ARGN})
  set(common ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  brenvik_add_test(NAME ${T_NAME} SOURCES ${T_SOURCES} ${common}/documentosolicitud.h LIBS zedivu)
  target_include_directories(${T_NAME} PRIVATE ${common})
  add_dependencies(${T_NAME} plugin_${T_CODE} plugin_prueba maindb)
  target_compile_definitions(${T_NAME} PRIVATE
    BRENVIK_SOLICITUD_PLUGIN="$<TARGET_FILE:plugin_${T_CODE}>"
    BRENVIK_TESTFORM_PLUGIN="$<TARGET_FILE:plugin_prueba>"
    BRENVIK_TESTFORM_TEMPLATE="${CMAKE_BINARY_DIR}/tests/forms/PRUEBA.db")
endfunction()
