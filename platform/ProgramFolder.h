#pragma once

#include <string>

namespace vantorell {

// Path of the running executable.
std::string executablePath();

// Folder of the running executable with a trailing "/".
std::string executableFolder();

// Appends "/" when the folder text does not end in one.
std::string withTrailingSlash(const std::string& folder);

}  // namespace vantorell
