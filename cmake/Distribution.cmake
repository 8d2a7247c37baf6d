# The zip a Windows user downloads, unpacks anywhere and runs Tolvane.exe
# from: the program, its language files, its stand-in tools and a readme.
#   cmake --build build/win32 --target package   ->  build/win32/Tolvane-3.3-win32.zip
set(TOLVANE_DIST_VERSION 3.3)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TOLVANE_DIST_SYSTEM win32)
else()
  set(TOLVANE_DIST_SYSTEM win64)
endif()

install(TARGETS tolvane RUNTIME DESTINATION .)
install(TARGETS makecab reg2inf RUNTIME DESTINATION tools)
install(FILES ${CMAKE_SOURCE_DIR}/lng/Chinese.lng ${CMAKE_SOURCE_DIR}/lng/English.lng
              ${CMAKE_SOURCE_DIR}/lng/language.txt
        DESTINATION lng)
# Windows line breaks, so Notepad on XP shows the lines.
configure_file(${CMAKE_SOURCE_DIR}/dist/README-Windows.txt ${CMAKE_BINARY_DIR}/dist/README.txt NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/dist/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tolvane)
set(CPACK_PACKAGE_VERSION ${TOLVANE_DIST_VERSION})
set(TOLVANE_DIST_NAME Tolvane-${TOLVANE_DIST_VERSION}-${TOLVANE_DIST_SYSTEM})
set(CPACK_PACKAGE_FILE_NAME ${TOLVANE_DIST_NAME})
# Everything inside one folder of the zip's own name.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)

# Checked in every Windows build, the i686 one (which builds no test
# programs unless asked) included.
enable_testing()
add_test(NAME distribution_zip
         COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                 -DPACKAGE=${TOLVANE_DIST_NAME} -DCPACK=${CMAKE_CPACK_COMMAND}
                 -P ${CMAKE_SOURCE_DIR}/cmake/CheckDistribution.cmake)
