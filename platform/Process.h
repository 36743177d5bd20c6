#pragma once
// Starting programs: start-and-wait for the designer, detached start for the engine.
// Programs start without a shell, with the caller's environment, with standard input,
// output and error inherited and every other open file left behind.

#include <sys/types.h>

#include <string>
#include <vector>

namespace vantorell {

struct WaitResult {
    int startError = 0;  // 0 when the program started, else the errno of the failed start
    bool ended = false;  // false when a quit request ended the wait first
    int exitCode = -1;   // exit status of an ended program; 128 + signal when killed
    pid_t pid = -1;      // the child; still running (and not reaped) when !ended
};

// Starts arguments[0] (searched in PATH when it holds no "/") in `workingFolder` (empty:
// the caller's current folder) and waits for its end. While it runs, Qt events, timers and
// user input keep being processed: the wait blocks in a nested event loop until an event
// arrives or the child ends, and notices the end at once. A quit request of the
// application (QCoreApplication::exit or quit) ends every running event loop, this wait
// included; it then returns with ended == false and the child left running, so that the
// program can shut down in order. Without an application object the wait simply blocks.
// Once termination was requested (TerminationRequest.h) nothing starts: the result is the
// failed start ECANCELED.
// A failed start (missing program, missing folder, no permission) returns its errno at
// once, 2 (ENOENT) for a missing program. Raises std::invalid_argument for an argument
// holding a NUL character.
WaitResult startAndWait(const std::vector<std::string>& arguments,
                        const std::string& workingFolder);

// Starts a program without waiting; it belongs to no session of ours and needs no reaping.
// Returns 0 when it started, else the errno of the failed start (2 for a missing program).
int startDetached(const std::vector<std::string>& arguments, const std::string& workingFolder);

}  // namespace vantorell
