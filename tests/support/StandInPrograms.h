#pragma once
// Stand-ins for the programs the designer starts (the engine, the point generator, the
// updater): small shell scripts placed in a test's program folder that record how they
// were started.

#include <string>

#include "tests/support/TempFolder.h"

namespace vantorell::test {

// Holds a started stand-in until the test lets it end: the stand-in waits (at most 20 s,
// then it fails with status 3) until "go" arrives in a FIFO. Neither side blocks in open.
class ProgramGate {
public:
    explicit ProgramGate(const TempFolder& folder);
    ~ProgramGate();
    ProgramGate(const ProgramGate&) = delete;
    ProgramGate& operator=(const ProgramGate&) = delete;

    const std::string& fifo() const { return fifo_; }
    // Lets the waiting stand-in end; the FIFO stays open until the gate goes.
    void release();

private:
    std::string fifo_;
    int writer_ = -1;
};

// Writes the stand-in `name` into `program`. Once started it writes into `record`: its
// arguments, one per line ("args.txt"), its working folder ("cwd.txt") and, when its second
// argument is -f<file>, that file's mode ("mode.txt") and a copy of it ("control.copy").
// With a gate it then waits for it. It ends with `exitStatus`.
void installRecordingProgram(const TempFolder& program, const std::string& name,
                             const TempFolder& record, int exitStatus = 0,
                             const ProgramGate* gate = nullptr);

// The working folder as the stand-in records it: without the trailing "/".
std::string recordedFolder(const TempFolder& folder);

}  // namespace vantorell::test
