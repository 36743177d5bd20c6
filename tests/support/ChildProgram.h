#pragma once
// A program a test starts as a process of its own, in a folder of the test's, with the
// test's environment; it may be signalled while it runs. Every wait has a deadline.

#include <sys/resource.h>

#include <QProcess>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vantorell::test {

class ChildProgram {
public:
    // `fileSizeLimit`: the child's limit on the size of the files it writes, in bytes
    // (RLIMIT_FSIZE, as "ulimit -f" sets it).
    ChildProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& folder, std::optional<rlim_t> fileSizeLimit = std::nullopt);
    ~ChildProgram();  // kills a child that is still running
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    bool started() const { return started_; }
    void signal(int number);

    // Waits for the end: the exit status, 128 + the number of the signal that ended it, or
    // -1 when it did not end within the deadline (it is then killed and the test fails).
    int finish(std::chrono::milliseconds deadline = std::chrono::seconds(60));
    // What the child wrote to its standard error; complete once finish() returned.
    std::string standardError();

private:
    QProcess process_;
    bool started_ = false;
    std::string error_;
};

}  // namespace vantorell::test
