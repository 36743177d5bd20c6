#pragma once
// The engine's own version, as the build marks it.

#include <string>

namespace vantorell {

// "<major>.<minor>.<release>.<build>".
const char* engineVersionText();

// The message of the window's "Version Info" command:
// "Version: <major>.<minor, two digits> Build: <build> Date: <build date>".
std::string engineVersionInfoText();

}  // namespace vantorell
