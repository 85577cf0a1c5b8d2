# lyb_add_fuzzer(NAME name SOURCES ... LIBS ... CORPUS dir)
# In a build configured with LYB_FUZZ (the `fuzz` preset: clang, every object
# compiled with -fsanitize=fuzzer-no-link,address,undefined), builds one
# libFuzzer executable into fuzz/ and lists it with its committed corpus in
# fuzz/targets.txt, which scripts/fuzz reads. Elsewhere it does nothing: the
# gcc builds replay the corpora as tests instead.
option(LYB_FUZZ "build the libFuzzer targets" OFF)

set(LYB_FUZZ_LIST ${CMAKE_BINARY_DIR}/fuzz/targets.txt)
if(LYB_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "LYB_FUZZ needs clang (configure with the `fuzz` preset)")
  endif()
  file(WRITE ${LYB_FUZZ_LIST} "")
endif()

function(lyb_add_fuzzer)
  if(NOT LYB_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  file(APPEND ${LYB_FUZZ_LIST} "${F_NAME}\t${CMAKE_BINARY_DIR}/fuzz/${F_NAME}\t${F_CORPUS}\n")
endfunction()
