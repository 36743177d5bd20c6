#pragma once
// The designer's help: its help file opened through the help service, and the close-all
// request at exit.

#include <string>

namespace vantorell {

// Opens the help file; a file that does not exist, or one that no viewer took, is reported in
// a message box captioned "Loading Main Help File".
void nulHelpFileShow(const std::string& helpFile);

// Closes every help window the designer opened.
void nulHelpCloseAll();

}  // namespace vantorell
