#pragma once
// Shared by the start routines of Process.h.

#include <sys/types.h>

#include <string>
#include <vector>

namespace vantorell::detail {

// The argument texts as a NULL-terminated array for exec; the pointers point into
// `arguments`. Raises std::invalid_argument for a text holding a NUL character.
std::vector<char*> execArguments(const std::vector<std::string>& arguments);

// Starts the program as our child (not waited for); 0 and `pid` set, or the errno of the
// failed start, including a failed change of folder or a failed exec.
int spawnChild(const std::vector<std::string>& arguments, const std::string& workingFolder,
               pid_t& pid);

}  // namespace vantorell::detail
