# The build-time tools (the image writer, the icon writer) run on the build
# host, so a cross build takes them from a native build of the same tree:
# LYB_HOST_TOOLS names the file that build exports, and each tool is then the
# imported executable host::<name>.
set(LYB_HOST_TOOLS "${CMAKE_SOURCE_DIR}/build/default/host-tools.cmake" CACHE FILEPATH
    "host-tools.cmake of a native build of this tree")
if(NOT EXISTS "${LYB_HOST_TOOLS}")
  message(FATAL_ERROR
    "The host tools are missing: ${LYB_HOST_TOOLS} does not exist.\n"
    "Build the native tree first (cmake --preset default && cmake --build --preset default), "
    "or point LYB_HOST_TOOLS at another native build's host-tools.cmake.")
endif()
include("${LYB_HOST_TOOLS}")
foreach(tool lyb_image_writer lyb_icon_writer)
  if(NOT TARGET host::${tool})
    message(FATAL_ERROR "${LYB_HOST_TOOLS} does not provide host::${tool}; rebuild the native tree.")
  endif()
  get_target_property(configurations host::${tool} IMPORTED_CONFIGURATIONS)
  list(GET configurations 0 configuration)
  get_target_property(location host::${tool} IMPORTED_LOCATION_${configuration})
  if(NOT EXISTS "${location}")
    message(FATAL_ERROR "${location} is not built yet: build the native tree first "
                        "(cmake --build --preset default).")
  endif()
endforeach()
