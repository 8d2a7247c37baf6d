# tolvane_test(NAME sources... LIBS libs...)
# One test executable is one ctest entry. Cross builds run it through the
# emulator (Wine); TOLVANE_SOURCE_DIR tells a test where its data lies and
# TOLVANE_BIN_DIR where the tools were built. A program in which a test was
# skipped (GTEST_SKIP) and none failed exits with 77 (tests/support/test_main.cpp),
# which ctest shows as skipped.
function(tolvane_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_main GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    TOLVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TOLVANE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77)
endfunction()
