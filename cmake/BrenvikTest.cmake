# brenvik_add_test(NAME name SOURCES ... LIBS ...)
# A GoogleTest or QtTest executable run headless by CTest from the program directory.
function(brenvik_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  target_compile_definitions(${T_NAME} PRIVATE
    BRENVIK_BIN_DIR="${BRENVIK_BIN_DIR}"
    BRENVIK_TEST_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;HOME=${CMAKE_BINARY_DIR}/testhome"
    TIMEOUT 300)
endfunction()
