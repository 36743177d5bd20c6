#pragma once
// The designer's work folder ("Temp/" in the program folder) for protected copies and
// downloads: made at start, emptied and removed at exit. Full paths throughout, so the
// process's current folder never changes.

#include <string>

namespace vantorell {

// Creates the folder when it is missing; start-up goes on when that fails.
void nulWorkFolderCreate(const std::string& workFolder);

// Deletes the files in the folder dated today or earlier and removes it; a folder that
// still holds anything stays, silently.
void nulWorkFolderRemove(const std::string& workFolder);

}  // namespace vantorell
