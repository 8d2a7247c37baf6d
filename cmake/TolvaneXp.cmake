# Executables that start on Windows XP.
#
# tolvane_executables(<var>): every executable target this tree defines, in
# whatever folder (googletest's own are not ours).
#
# tolvane_xp_executables(): for the i686 build, links the XP import objects
# (platform/win32/xp) into every executable and adds one ctest entry per
# executable (label "xp_imports") that runs xp-imports-check on it: an
# import that XP's system DLLs do not export, or a subsystem version above
# 5.1, fails the test. The x86_64 build is checked for information only
# (scripts/test-all.sh prints it).
set(TOLVANE_XP_IMPORTS_CHECK "" CACHE FILEPATH
    "xp-imports-check, which tells whether an executable's imports load on Windows XP")
if(NOT TOLVANE_XP_IMPORTS_CHECK)
  find_program(TOLVANE_XP_IMPORTS_CHECK_FOUND xp-imports-check
    PATHS ${CMAKE_SOURCE_DIR}/../shared/xp-check ${CMAKE_SOURCE_DIR}/../../shared/xp-check
    NO_DEFAULT_PATH)
  if(TOLVANE_XP_IMPORTS_CHECK_FOUND)
    set(TOLVANE_XP_IMPORTS_CHECK ${TOLVANE_XP_IMPORTS_CHECK_FOUND} CACHE FILEPATH "" FORCE)
  endif()
endif()

function(tolvane_collect_executables dir out)
  set(found ${${out}})
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    string(FIND "${subdir}/" "${CMAKE_SOURCE_DIR}/" at)
    if(at EQUAL 0)
      tolvane_collect_executables(${subdir} found)
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(tolvane_executables out)
  set(all "")
  tolvane_collect_executables(${CMAKE_SOURCE_DIR} all)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

function(tolvane_xp_executables)
  tolvane_executables(executables)
  enable_testing()
  foreach(exe ${executables})
    if(TARGET xp_imports)
      target_link_libraries(${exe} PRIVATE xp_imports)
    endif()
    if(TOLVANE_XP_IMPORTS_CHECK)
      add_test(NAME xp_imports.${exe} COMMAND ${TOLVANE_XP_IMPORTS_CHECK} $<TARGET_FILE:${exe}>)
    else()
      # No checker, no silent pass: the test says what is missing.
      add_test(NAME xp_imports.${exe} COMMAND ${CMAKE_COMMAND} -E echo
        "xp-imports-check was not found: set TOLVANE_XP_IMPORTS_CHECK to its path to check $<TARGET_FILE_NAME:${exe}> for Windows XP.")
      set_tests_properties(xp_imports.${exe} PROPERTIES FAIL_REGULAR_EXPRESSION "was not found")
    endif()
    set_tests_properties(xp_imports.${exe} PROPERTIES LABELS xp_imports)
  endforeach()
endfunction()
