#pragma once
// Small routines of the main window that the editors and the start-up share.

#include <string>

namespace vantorell {

// Deletes the files matching the pattern ("/folder/*.log") whose modification date lies at
// least `minimumAgeDays` calendar days before today (local time); 0 means every file dated
// today or earlier. Folders and files that cannot be deleted are skipped silently. Returns
// the number of files deleted.
int intFilesDeleteByAge(const std::string& pattern, int minimumAgeDays);

// Deletes one file and counts it in `count`; when it cannot be deleted and `report` is set,
// an "Attempt to Delete File" message names it. True when deleted.
bool flgFileDeleteReport(const std::string& path, bool report, int& count);

// The text without any blank, tab or non-breaking space (U+00A0, the UTF-8 pair C2 A0);
// codes and names are cleaned with it.
std::string strBlanksNormalize(const std::string& text);

}  // namespace vantorell
