# Test helpers shared by every area: one call adds one test executable.
#
#   tavrik_native_test(<name> SOURCES <files...> [LIBS <targets...>])
#     GoogleTest on the build machine; each case becomes a ctest entry.
#   tavrik_win32_test(<name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>] [UNMANAGED])
#     UNMANAGED: a program that shows windows (they run unmanaged, and such
#     programs take turns on the display's focus).
#     GoogleTest built with mingw-w64 and run under Wine. The executable is one
#     ctest entry, since every Wine start costs; it runs in the build's own
#     Wine prefix, kept warm by the wine fixture. Tests of one build share that
#     prefix and its registry: each program keeps the settings in a scratch key
#     of its own (support/win32/ScratchSettings.h); a test that changes anything
#     else that is shared must not run beside the others (RUN_SERIAL).
#   tavrik_e2e_test(<what> SCRIPT <file.sh> PROBE <target>)
#     e2e.<what>: a script (sourcing tests/e2e/lib.sh) that drives the real
#     Tavrik.exe on the test display, with a probe program that looks into its
#     windows. It runs alone: keys and clicks go to whichever window has the
#     focus, and the real program uses the real settings key.

if(NOT TAVRIK_TESTS)
  return()
endif()

if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(tavrik_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tavrik_test_support GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 30
                       PROPERTIES ENVIRONMENT "TAVRIK_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

function(tavrik_win32_test name)
  cmake_parse_arguments(T "UNMANAGED" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 240)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tavrik_test_support gtest gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  # The prefix is named here, not inherited: a developer's own WINEPREFIX must never
  # receive the tests' registry writes, and the wine fixture serves only this one.
  set(prefix_env "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
  set(fixtures wine)
  if(T_UNMANAGED)
    # Wine waits up to two seconds for a window manager whenever a managed top-level
    # window is hidden, and the test display has none. The setting is per program,
    # so only this test program runs its windows unmanaged.
    add_test(NAME ${name}.unmanaged
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run reg add
                     "HKCU\\Software\\Wine\\AppDefaults\\${name}.exe\\X11 Driver"
                     /v Managed /d N /f)
    set_tests_properties(${name}.unmanaged PROPERTIES FIXTURES_REQUIRED wine
                         FIXTURES_SETUP ${name}_unmanaged TIMEOUT 60 ENVIRONMENT "${prefix_env}")
    list(APPEND fixtures ${name}_unmanaged)
    # A program with windows of its own takes the focus and activates its dialogs
    # on the shared display, and its cases check where the focus is: such programs
    # take turns, while programs without windows run beside them.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display_focus)
  endif()
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixtures}" TIMEOUT ${T_TIMEOUT}
                       ENVIRONMENT "${prefix_env}")
endfunction()

# The Wine prefix of this build, started once per test run and stopped after it.
function(tavrik_wine_fixture)
  if(NOT WIN32 OR TEST wine.start)
    return()
  endif()
  set(prefix ${CMAKE_BINARY_DIR}/wineprefix)
  add_test(NAME wine.start COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix start ${prefix})
  add_test(NAME wine.stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix stop ${prefix})
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endfunction()

function(tavrik_e2e_test what)
  cmake_parse_arguments(T "" "SCRIPT;PROBE" "" ${ARGN})
  if(NOT TARGET Tavrik OR NOT TARGET ${T_PROBE})
    return()
  endif()
  add_test(NAME e2e.${what}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/${T_SCRIPT} $<TARGET_FILE:Tavrik>
                   $<TARGET_FILE:${T_PROBE}> ${CMAKE_CURRENT_BINARY_DIR}/work)
  set_tests_properties(e2e.${what} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 240 RUN_SERIAL TRUE)
endfunction()
