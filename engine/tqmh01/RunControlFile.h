#pragma once
// The batch run of file-cipher mode: read the control file, run the cipher or not, and say
// how it went through the exit status. No window and no message box.

#include <string>

#include "engine/tqmh01/CipherSwitches.h"
#include "engine/tqmh01/StartupMode.h"

namespace vantorell::engine {

// Exit statuses of a batch run.
enum class BatchStatus : int {
    Ran = 0,           // the cipher ran and wrote the output
    NotRun = 1,        // the switches or the control file do not ask for a complete run
    Refused = 2,       // the control file is malformed
    CipherFailed = 3,  // the cipher refused, failed or was told to end; it wrote nothing
};

struct BatchResult {
    BatchStatus status = BatchStatus::NotRun;
    std::string message;  // empty when it ran
};

BatchResult RunControlFile(const CipherSwitches& switches);

// The whole batch run of a start-up state: arguments that were too long to read are named,
// a failure goes to standard error as one line. Returns the exit status.
int runBatch(const StartupState& state);

}  // namespace vantorell::engine
