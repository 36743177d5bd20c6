#pragma once

#include <string>

namespace vantorell {

// The caption "<title> - <file name>": the title is the current caption cut back before the
// character ahead of its first "-", so "Vantorell - a.vtm" gives "Vantorell" again.
std::string strCaptionWithFile(const std::string& caption, const std::string& fileName);

}  // namespace vantorell
