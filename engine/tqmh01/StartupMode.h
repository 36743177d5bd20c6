#pragma once
// The engine's mode, decided once at start from its command line.

#include <ctime>
#include <string>
#include <vector>

#include "engine/tqmh01/CipherSwitches.h"

namespace vantorell::engine {

enum class EngineMode : int { Initial = 1, Generation = 2, FileCipher = 3 };

// The cipher switch is "-B" followed by this code, the generation switch "-E" followed by
// the other; any other text after the letter leaves the switch ignored.
inline constexpr const char* kCipherAccessCode = "K7#LmmP";
inline constexpr const char* kGenerationAccessCode = "r6413T%T";

// Arguments are read into 256-character buffers; a longer one is ignored whole rather than
// cut, since a shortened path would name another file.
inline constexpr std::size_t kArgumentLimit = 255;

struct StartupState {
    EngineMode mode = EngineMode::Initial;
    bool batch = false;          // further arguments follow the coded switch
    bool installButtons = true;  // cleared by "-U"
    CipherSwitches cipher;
    std::string programFolder;  // ends in "/"
    std::time_t startTime = 0;
    std::vector<std::string> ignoredArguments;  // too long to read
};

// Reads the arguments (without the program name) in order; each is judged in the mode
// reached so far.
StartupState readStartupState(const std::vector<std::string>& arguments,
                              const std::string& programFolder);

// File-cipher mode with further arguments: the control file runs and no window appears.
bool isBatchCipherRun(const StartupState& state);

}  // namespace vantorell::engine
