#pragma once
// The system names its programs by their Windows file names; on Linux they drop ".exe".

#include <string>

namespace vantorell {

// "tqmx01.exe" -> "tqmx01", "Vantorell.exe" -> "Vantorell", "update.exe" -> "update",
// "tqmx03.exe" -> "tqmx03" (letter case aside, as on Windows). Other names are kept.
std::string linuxProgramName(const std::string& windowsFileName);

// Applies the table to the file name part of a program path
// ("/opt/vantorell/tqmx01.exe" -> "/opt/vantorell/tqmx01").
std::string linuxProgramPath(const std::string& path);

}  // namespace vantorell
