# Testing a cross build: GoogleTest built from Debian's own sources for the target, and a
# fresh Wine prefix for the test programs, made before the first test and removed after the
# last.
set(KAOCG_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build")
if(NOT EXISTS "${KAOCG_GOOGLETEST_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "no GoogleTest sources in ${KAOCG_GOOGLETEST_SOURCE} (package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory("${KAOCG_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL
                 SYSTEM)
# GoogleTest defines GTest::gtest and GTest::gtest_main itself.

set(KAOCG_WINE_STATE "${CMAKE_BINARY_DIR}/wine-prefix-path")
set(KAOCG_WINE_SCRIPT "${PROJECT_SOURCE_DIR}/cmake/wine-prefix.sh")
add_test(NAME wine_prefix_init COMMAND "${KAOCG_WINE_SCRIPT}" init "${KAOCG_WINE_STATE}")
add_test(NAME wine_prefix_remove COMMAND "${KAOCG_WINE_SCRIPT}" remove "${KAOCG_WINE_STATE}")
set_tests_properties(wine_prefix_init PROPERTIES FIXTURES_SETUP wine_prefix)
set_tests_properties(wine_prefix_remove PROPERTIES FIXTURES_CLEANUP wine_prefix)
set(KAOCG_WINE_FIXTURE wine_prefix)
