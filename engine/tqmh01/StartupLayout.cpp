#include "engine/tqmh01/StartupLayout.h"

namespace vantorell::engine {

StartupLayout startupLayout(const StartupState& state) {
    StartupLayout layout;
    layout.welcomeExitCaption = state.installButtons ? "Exit" : "Cancel";
    if (isBatchCipherRun(state)) {
        layout.showWindow = false;
        return layout;
    }
    switch (state.mode) {
        case EngineMode::Initial:
            layout.panel = StartupPanel::Welcome;
            layout.resize = true;
            layout.width = 636;
            layout.height = 305;
            layout.caption = kWelcomeCaption;
            break;
        case EngineMode::FileCipher:
            layout.panel = StartupPanel::Encrypt;
            layout.resize = true;
            layout.width = 525;
            layout.height = 207;
            layout.caption = kEncryptCaption;
            break;
        case EngineMode::Generation:
            break;
    }
    return layout;
}

}  // namespace vantorell::engine
