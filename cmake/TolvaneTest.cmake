# tolvane_test(NAME sources... LIBS libs...)
# One test executable is one ctest entry. Cross builds run it through the
# emulator (Wine); TOLVANE_SOURCE_DIR tells a test where its data lies and
# TOLVANE_BIN_DIR where the tools were built. A program in which a test was
# skipped (GTEST_SKIP) and none failed exits with 77 (tests/support/test_main.cpp),
# which ctest shows as skipped.
function(tolvane_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support test_main GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    TOLVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TOLVANE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77)
endfunction()

# tolvane_test_in_locales(NAME) runs a test of the Windows build once more
# under Wine on an English and a Western European system (en_US: code pages
# 1252 and 437; de_DE: 1252 and 850), as NAME_en_US and NAME_de_DE. A locale
# not generated on the machine shows as skipped. The runs take turns: they
# share the Wine prefix's registry, where some tests record stand-in tools.
function(tolvane_test_in_locales name)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${name})
  foreach(locale en_US de_DE)
    add_test(NAME ${name}_${locale} COMMAND ${name})
    set_tests_properties(${name}_${locale} PROPERTIES
      ENVIRONMENT "TOLVANE_WINE_LOCALE=${locale}.UTF-8"
      SKIP_RETURN_CODE 77
      RESOURCE_LOCK ${name}
      TIMEOUT 900)
  endforeach()
endfunction()
