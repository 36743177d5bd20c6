#pragma once
// The designer's help: its help file opened through the help service, and the close-all
// request at exit. The help is a set of HTML pages in the program folder; a help file of the
// original kind is still used where one is there instead.

#include <string>

namespace vantorell {

// The first help page, in the folder "help" of the program folder.
inline constexpr const char* kHelpContentsPage = "help/index.html";
// The help file of the original kind.
inline constexpr const char* kOriginalHelpFile = "Vantorell.chm";

// The help file of the program folder: the help pages, else a help file of the original kind
// where one is there, else the help pages' path (for the message that they are missing).
std::string fneHelpFileFind(const std::string& programFolder);

// Opens the help file; a file that does not exist, or one that no viewer took, is reported in
// a message box captioned "Loading Main Help File".
void nulHelpFileShow(const std::string& helpFile);

// Closes every help window the designer opened.
void nulHelpCloseAll();

}  // namespace vantorell
