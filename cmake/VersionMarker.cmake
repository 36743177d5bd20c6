# Every program embeds the version marker that the version readers look for.
configure_file("${CMAKE_CURRENT_LIST_DIR}/VersionMarker.cpp.in"
    "${PROJECT_BINARY_DIR}/generated/VersionMarker.cpp" @ONLY)

function(vantorell_version_marker target)
    target_sources(${target} PRIVATE "${PROJECT_BINARY_DIR}/generated/VersionMarker.cpp")
endfunction()
