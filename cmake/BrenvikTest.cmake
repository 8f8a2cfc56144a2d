# brenvik_add_test(NAME name SOURCES ... LIBS ...)
# A GoogleTest executable (with the shared QApplication main) run headless by CTest.
# Tests run with a home and runtime folder of their own inside the build tree.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/testhome/run)
file(CHMOD ${CMAKE_BINARY_DIR}/testhome/run PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(brenvik_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE brenvik_testmain ${T_LIBS})
  target_compile_definitions(${T_NAME} PRIVATE
    BRENVIK_BIN_DIR="${BRENVIK_BIN_DIR}"
    BRENVIK_TEST_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${CMAKE_BINARY_DIR}/testhome;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/testhome/run"
    TIMEOUT 300)
endfunction()

# brenvik_module_tests(LIB lib [LIBS ...]): every tests/test_*.cpp of the calling
# folder becomes one test executable named <folder>_<file>, linked with LIB.
function(brenvik_module_tests)
  cmake_parse_arguments(M "" "LIB" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/test_*.cpp)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    brenvik_add_test(NAME ${folder}_${name} SOURCES ${src} LIBS ${M_LIB} ${M_LIBS})
  endforeach()
endfunction()

# brenvik_module_fuzzers(LIB lib): with BRENVIK_FUZZ (clang), every fuzz/fuzz_*.cpp of the
# calling folder becomes one libFuzzer executable in <build>/fuzz, linked with LIB.
function(brenvik_module_fuzzers)
  cmake_parse_arguments(F "" "LIB" "" ${ARGN})
  if(NOT BRENVIK_FUZZ)
    return()
  endif()
  target_compile_options(${F_LIB} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  foreach(src ${fuzzers})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE ${F_LIB})
    set_target_properties(${name} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz
      BUILD_RPATH ${BRENVIK_BIN_DIR})
  endforeach()
endfunction()
