#pragma once
// The stand-in engine (target standin_tqmx01) for tests that need the engine program before
// it exists: it accepts the engine's cipher command line and control file and copies the
// source file to the output file unchanged. Exit status 0 when copied, non-zero for a bad
// command line (2), a malformed control file (3) or a file error (4).

#include <string>

namespace vantorell::test {

// Path of the built stand-in.
std::string standInEngineProgram();

// Copies the stand-in into the program folder as "tqmx01" (the engine's Linux name) and
// returns its path.
std::string installStandInEngine(const std::string& programFolder);

}  // namespace vantorell::test
