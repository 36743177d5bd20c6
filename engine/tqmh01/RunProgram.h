#pragma once
// The engine's program starter: starts a program hidden and does not wait for it.

#include <string>

namespace vantorell::engine {

// Command lines are built in a 260-character buffer.
inline constexpr std::size_t kRunProgramLineLimit = 259;

// Builds "<program> <arguments>" (a blank even when the arguments are empty), splits it
// with the Windows quoting rules and starts the program detached in the engine's own
// current folder; `folder` is not used. False when the line is longer than 259
// characters, holds a NUL, or the program did not start.
bool RunProgram(const std::string& program, const std::string& arguments,
                const std::string& folder);

}  // namespace vantorell::engine
