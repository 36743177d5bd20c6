#pragma once
// The component-installation panel's commands without its widgets: the downloaded staging
// files moved into place as the programs they stand for, and the installers started.

#include <string>

namespace vantorell::engine {

// Install on the designer's row: "instage.exe" becomes the designer's program file.
void CopyGUI(const std::string& programFolder);
// Install on the database generator's row: "sqstage.exe" becomes "tqmx03".
void SQLCopy(const std::string& programFolder);

// Install and Exit on the installer's row (whose button stays disabled): writes
// "temp.bat", which renames the downloaded installer, and starts it.
void InstallerCopyButtonClick(const std::string& programFolder);
// Install and Exit on the hidden row of a complete distribution: starts "setup.exe" from
// the program folder.
void RunSetup(const std::string& programFolder);

}  // namespace vantorell::engine
