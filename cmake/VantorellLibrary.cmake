# A library made of every source below a folder, except the files listed in EXCLUDE.
# New files are picked up at the next build without editing the CMakeLists.
function(vantorell_library name)
    cmake_parse_arguments(ARG "" "" "EXCLUDE;LINK" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    foreach(ex IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${ex}")
    endforeach()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
endfunction()
