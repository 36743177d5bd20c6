#pragma once

#include <string>

namespace vantorell {

// The bits of the debug mask: which kinds of debug output the model file routines show.
inline constexpr int kDebugCommands = 1;
inline constexpr int kDebugProgress = 4;
inline constexpr int kDebugStoring = 8;
inline constexpr int kDebugLevels = 16;
inline constexpr int kDebugIdentifiers = 64;
inline constexpr int kDebugPlainRecords = 512;
inline constexpr int kDebugRecordLayer = 1024;
// One bit for opening a protected file and for the engine run that deciphers it.
inline constexpr int kDebugFileOpen = 2048;
inline constexpr int kDebugEngineRun = 2048;
inline constexpr int kDebugPercentages = 4096;
inline constexpr int kDebugScaling = 32768;

// Debug output of the model file routines: shown in an information box with OK and Cancel
// when `bit` is set in `mask` (the answer is ignored).
void nulDebugMessage(const std::string& text, int bit, int mask);

}  // namespace vantorell
