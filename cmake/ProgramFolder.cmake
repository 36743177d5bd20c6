# The program folder: every program of the system side by side, with the help pages and the
# example models, as the designer expects them beside itself. The build puts it together in
# VANTORELL_PROGRAM_FOLDER; an install puts the same folder together under the prefix.

set(VANTORELL_PROGRAM_FOLDER "${PROJECT_BINARY_DIR}/bin")
# Below the install prefix. The designer writes its settings, logs and work folder beside
# itself, so the folder is one of its own, not a shared "bin".
set(VANTORELL_INSTALL_PROGRAM_DIR "lib/vantorell" CACHE STRING
    "Program folder below the install prefix")

add_custom_target(vantorell_program_folder ALL)

# A program of the folder, built straight into it.
function(vantorell_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${VANTORELL_PROGRAM_FOLDER}")
    vantorell_version_marker(${target})
    add_dependencies(vantorell_program_folder ${target})
    install(TARGETS ${target} RUNTIME DESTINATION "${VANTORELL_INSTALL_PROGRAM_DIR}")
endfunction()

# The program `target` a second time in the folder, under `name`: the same file, which needs no
# name of its own to know its mode.
function(vantorell_program_copy target name)
    set(copy "${VANTORELL_PROGRAM_FOLDER}/${name}")
    add_custom_command(OUTPUT "${copy}"
        COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:${target}>" "${copy}"
        DEPENDS ${target} VERBATIM)
    add_custom_target(vantorell_program_${name} DEPENDS "${copy}")
    add_dependencies(vantorell_program_folder vantorell_program_${name})
    install(PROGRAMS "$<TARGET_FILE:${target}>" DESTINATION "${VANTORELL_INSTALL_PROGRAM_DIR}"
        RENAME ${name})
endfunction()

# The files matching `patterns` in the source folder `subfolder`, copied into the same subfolder
# of the program folder.
function(vantorell_program_files subfolder)
    set(globs "")
    foreach(pattern IN LISTS ARGN)
        list(APPEND globs "${PROJECT_SOURCE_DIR}/${subfolder}/${pattern}")
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS LIST_DIRECTORIES false ${globs})
    set(copies "")
    foreach(source IN LISTS sources)
        get_filename_component(name "${source}" NAME)
        set(copy "${VANTORELL_PROGRAM_FOLDER}/${subfolder}/${name}")
        add_custom_command(OUTPUT "${copy}"
            COMMAND "${CMAKE_COMMAND}" -E copy "${source}" "${copy}"
            DEPENDS "${source}" VERBATIM)
        list(APPEND copies "${copy}")
    endforeach()
    add_custom_target(vantorell_program_folder_${subfolder} DEPENDS ${copies})
    add_dependencies(vantorell_program_folder vantorell_program_folder_${subfolder})
    install(FILES ${sources} DESTINATION "${VANTORELL_INSTALL_PROGRAM_DIR}/${subfolder}")
endfunction()

# The desktop entry and its icon, so that the installed designer shows in a desktop's menu.
# The entry names the designer by its installed path, known only at install time.
function(vantorell_desktop_entry)
    set(desktop "${PROJECT_SOURCE_DIR}/desktop")
    install(FILES "${desktop}/vantorell.svg" DESTINATION "share/icons/hicolor/scalable/apps")
    install(CODE "
        set(VANTORELL_PROGRAM_DIR \"${VANTORELL_INSTALL_PROGRAM_DIR}\")
        set(VANTORELL_DESKTOP_TEMPLATE \"${desktop}/vantorell.desktop.in\")
        include(\"${PROJECT_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake\")")
endfunction()
