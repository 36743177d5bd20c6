#include "tests/support/ChildProgram.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace vantorell::test {

ChildProgram::ChildProgram(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& folder, std::optional<rlim_t> fileSizeLimit) {
    QStringList list;
    for (const std::string& a : arguments) {
        list << QString::fromStdString(a);
    }
    process_.setWorkingDirectory(QString::fromStdString(folder));
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(QProcess::nullDevice());
    if (fileSizeLimit) {
        const rlim_t limit = *fileSizeLimit;
        // Runs in the child between fork and exec.
        process_.setChildProcessModifier([limit] {
            const rlimit l{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &l);
        });
    }
    process_.start(QString::fromStdString(program), list);
    started_ = process_.waitForStarted(60000);
    EXPECT_TRUE(started_) << program << ": " << process_.errorString().toStdString();
}

ChildProgram::~ChildProgram() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(60000);
    }
}

void ChildProgram::signal(int number) {
    if (process_.state() == QProcess::Running) {
        ::kill(static_cast<pid_t>(process_.processId()), number);
    }
}

int ChildProgram::finish(std::chrono::milliseconds deadline) {
    if (!started_) {
        return -1;
    }
    if (!process_.waitForFinished(static_cast<int>(deadline.count()))) {
        ADD_FAILURE() << "the program did not end within the deadline";
        process_.kill();
        process_.waitForFinished(60000);
        error_ += process_.readAllStandardError().toStdString();
        return -1;
    }
    error_ += process_.readAllStandardError().toStdString();
    // For a crash, QProcess keeps the signal's number as the exit code.
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode()
                                                         : 128 + process_.exitCode();
}

std::string ChildProgram::standardError() {
    error_ += process_.readAllStandardError().toStdString();
    return error_;
}

}  // namespace vantorell::test
