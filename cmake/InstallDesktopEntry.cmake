# Run by the install: writes the desktop entry that starts the installed designer. Expects
# VANTORELL_PROGRAM_DIR (the program folder below the prefix) and VANTORELL_DESKTOP_TEMPLATE.

get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(designer "${prefix}/${VANTORELL_PROGRAM_DIR}/Vantorell")
set(icon "${prefix}/share/icons/hicolor/scalable/apps/vantorell.svg")
if(designer MATCHES "[\r\n]")
    message(FATAL_ERROR "A desktop entry cannot name a path that holds a line break: ${designer}")
endif()

# A string value of the entry: its backslashes doubled.
function(desktop_string out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The program of an Exec line: in double quotes, with the characters the quoting reserves
# escaped, and "%" doubled so that it is no field code; then as a string value.
function(desktop_exec_program out path)
    string(REPLACE "\\" "\\\\" path "${path}")
    foreach(reserved "\"" "`" "$")
        string(REPLACE "${reserved}" "\\${reserved}" path "${path}")
    endforeach()
    string(REPLACE "%" "%%" path "${path}")
    desktop_string(path "\"${path}\"")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

desktop_exec_program(VANTORELL_DESKTOP_EXEC "${designer}")
desktop_string(VANTORELL_DESKTOP_TRY_EXEC "${designer}")
desktop_string(VANTORELL_DESKTOP_ICON "${icon}")

set(entry "${prefix}/share/applications/vantorell.desktop")
message(STATUS "Installing: $ENV{DESTDIR}${entry}")
configure_file("${VANTORELL_DESKTOP_TEMPLATE}" "$ENV{DESTDIR}${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "$ENV{DESTDIR}${entry}")
