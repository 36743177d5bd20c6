#pragma once

#include <string>

namespace vantorell {

// The engine's own version text.
const char* engineVersionText();

// The message of the window's "Version Info" command: the engine's version, build and date
// as the window states them.
std::string engineVersionInfoText();

}  // namespace vantorell
