#pragma once
// The designer's program starter: a command-line text of the system is split with the
// Windows rules, its program name mapped to the Linux file name, and the program started
// without a shell; the designer keeps processing events until it ends.

#include <cstdint>
#include <string>

#include "platform/Process.h"

namespace vantorell {

// Starts the command line and waits for the program's end while events keep running.
// 0 when it ran, else the system error number of the failed start (2 for a missing
// program). `show` is the Windows show value (0 hidden, 5 shown); Linux programs choose
// their windows themselves, so it has no effect. `workingFolder` empty: the designer's
// current folder. A quit request of the application ends the wait early (see
// startAndWait) and the result is then 0 as well: the program did start.
// Raises std::runtime_error with the five-line "While attempting to execute the file ..."
// text when the start cannot even be attempted (e.g. a NUL character in the line).
int WinExecAndWait32(const std::string& commandLine, std::uint16_t show,
                     const std::string& workingFolder = std::string());

// The same, with the whole outcome: whether the program ended or a quit request ended the
// wait first, and its exit status.
WaitResult runCommandLineAndWait(const std::string& commandLine, const std::string& workingFolder);

}  // namespace vantorell
