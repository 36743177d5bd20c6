#pragma once
// "startup.log" in the program folder: one line per completed start-up step. It starts
// afresh at every start together with the designer's other logs.

#include <string>

namespace vantorell {

inline constexpr const char* kStartupLogName = "startup.log";

inline constexpr const char* kStartupApplicationSetup = "Application setup... done.";
inline constexpr const char* kStartupApplicationCleanup = "Application cleanup... done.";
inline constexpr const char* kStartupCreateTempDirectories = "Create temp directories... done.";
inline constexpr const char* kStartupFormSetup = "Form setup... done.";
inline constexpr const char* kStartupInitialValueLoading = "Initial value loading... done.";
inline constexpr const char* kStartupModelInitialization = "Model initialization... done.";

// Deletes the designer's own logs in the program folder ("startup.log", "SendModel.log",
// "RetrieveCube.log", "Arrays.log"), silently; no other file is touched.
void nulDesignerLogsDelete(const std::string& programFolder);

// Appends a line to the start-up log; a failure to write it is not reported.
void nulStartupLogAppend(const std::string& programFolder, const std::string& line);

}  // namespace vantorell
