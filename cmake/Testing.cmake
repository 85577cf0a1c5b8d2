# lyb_add_test(NAME name LABEL label SOURCES ... LIBS ...)
# Builds one GoogleTest executable and registers it with CTest under a label
# (unit, gui, net, e2e or bench). GUI tests run on Qt's offscreen platform.
include(GoogleTest)

# What every test process sees: the offscreen platform, message boxes on
# stderr, where the program directory and the sources are, the leak checker's
# suppressions and, on Linux, scratch folders inside the build tree (tests
# under Wine keep the system's temporary folder).
set(LYB_TEST_ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;WINAPI_MSGBOX=stderr;LYB_PROGRAM_DIR=${PROGRAM_DIR};LYB_SOURCE_DIR=${CMAKE_SOURCE_DIR};LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
if(NOT WIN32)
  list(APPEND LYB_TEST_ENVIRONMENT "LYB_TEST_SCRATCH=${CMAKE_BINARY_DIR}/tests/scratch")
endif()

function(lyb_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS ${T_LABEL}
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${LYB_TEST_ENVIRONMENT}")
endfunction()
