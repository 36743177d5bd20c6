#pragma once

#include <string>

namespace vantorell {

// The engine's own version text, "<major>.<minor>.<release>.<build>", from the version
// marker the build embeds in the program; "0.0.0.0" when it cannot be read.
std::string engineVersionText();

// The message of the window's "Version Info" command: the engine's version, build and date
// as the window states them.
std::string engineVersionInfoText();

}  // namespace vantorell
