#pragma once
// What the engine's window shows for a start-up state; the window only applies it.

#include <string>

#include "engine/tqmh01/StartupMode.h"

namespace vantorell::engine {

enum class StartupPanel { None, Welcome, Encrypt };

struct StartupLayout {
    bool showWindow = true;  // false for a batch cipher run
    StartupPanel panel = StartupPanel::None;
    bool resize = false;  // false: the window keeps its own size and caption
    int width = 0;
    int height = 0;
    std::string caption;
    std::string welcomeExitCaption;  // "Cancel" after "-U", else "Exit"
};

inline constexpr const char* kWelcomeCaption =
    "Welcome to Orvane Dovozerodi Ltd. Vantorell 2.0 Installation";
inline constexpr const char* kEncryptCaption = "File Encryption";

// The layout for a start-up state; a batch cipher run shows no window at all.
StartupLayout startupLayout(const StartupState& state);

}  // namespace vantorell::engine
