# Makes the distribution zip and checks what it holds: exactly the program,
# the readme, the three language files and the two tools, in one folder of
# the zip's name, each file the same as the build's.
# cmake -DBUILD_DIR=... -DPACKAGE=Tolvane-3.3-win32 -DCPACK=cpack -P CheckDistribution.cmake
set(work ${BUILD_DIR}/distribution-check)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
execute_process(COMMAND ${CPACK} -G ZIP --config ${BUILD_DIR}/CPackConfig.cmake -B ${work}
                RESULT_VARIABLE made OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
set(zip ${work}/${PACKAGE}.zip)
if(NOT EXISTS ${zip})
  message(FATAL_ERROR "cpack made no ${PACKAGE}.zip:\n${output}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing RESULT_VARIABLE listed)
if(NOT listed EQUAL 0)
  message(FATAL_ERROR "cannot list ${zip}")
endif()
string(REPLACE "\n" ";" entries "${listing}")
set(files "")
foreach(entry IN LISTS entries)
  if(entry AND NOT entry MATCHES "/$")
    list(APPEND files ${entry})
  endif()
endforeach()
list(SORT files)
set(expected
  ${PACKAGE}/README.txt
  ${PACKAGE}/Tolvane.exe
  ${PACKAGE}/lng/Chinese.lng
  ${PACKAGE}/lng/English.lng
  ${PACKAGE}/lng/language.txt
  ${PACKAGE}/tools/makecab.exe
  ${PACKAGE}/tools/reg2inf.exe)
list(SORT expected)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "the zip holds\n  ${files}\nbut should hold\n  ${expected}")
endif()

set(unpacked ${work}/unpacked)
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE unpackedOk)
if(NOT unpackedOk EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${zip}")
endif()
foreach(pair "Tolvane.exe;bin/Tolvane.exe" "tools/makecab.exe;bin/makecab.exe" "tools/reg2inf.exe;bin/reg2inf.exe"
             "lng/Chinese.lng;bin/lng/Chinese.lng" "README.txt;dist/README.txt")
  list(GET pair 0 inZip)
  list(GET pair 1 built)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${unpacked}/${PACKAGE}/${inZip} ${BUILD_DIR}/${built}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${inZip} in the zip differs from the build's ${built}")
  endif()
endforeach()
file(READ ${unpacked}/${PACKAGE}/README.txt readme HEX)
if(NOT readme MATCHES "0d0a")
  message(FATAL_ERROR "README.txt has no Windows line breaks")
endif()
message(STATUS "${PACKAGE}.zip: ${files}")
