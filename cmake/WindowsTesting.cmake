# The unit tests that need no Qt, libcurl, ICU or httplib are built for
# Windows too and run under Wine: CTest starts each test program through
# wine-run.sh in the prefix scripts/wine-prefix makes. GoogleTest is built
# from its sources (/usr/src/googletest, package libgtest-dev) with the cross
# compiler.
option(LYB_WINDOWS_TESTS "build the portable tests for Windows and run them under Wine" ON)
if(NOT LYB_WINDOWS_TESTS)
  return()
endif()
set(LYB_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
if(NOT EXISTS ${LYB_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's sources are missing at ${LYB_GOOGLETEST_SOURCE} "
                      "(package libgtest-dev); or configure with -DLYB_WINDOWS_TESTS=OFF")
endif()
set(LYB_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH
    "the Wine prefix the tests run in (scripts/wine-prefix makes it)")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${LYB_WINEPREFIX})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${LYB_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
enable_testing()
include(cmake/Testing.cmake)
