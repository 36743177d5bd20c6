#include "tests/support/StandInPrograms.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantorell::test {

ProgramGate::ProgramGate(const TempFolder& folder) : fifo_(folder.file("gate")) {
    EXPECT_EQ(::mkfifo(fifo_.c_str(), 0600), 0);
}

ProgramGate::~ProgramGate() {
    if (writer_ >= 0) {
        ::close(writer_);
    }
}

void ProgramGate::release() {
    if (writer_ < 0) {
        writer_ = ::open(fifo_.c_str(), O_RDWR | O_CLOEXEC);
    }
    EXPECT_EQ(::write(writer_, "go\n", 3), 3);
}

void installRecordingProgram(const TempFolder& program, const std::string& name,
                             const TempFolder& record, int exitStatus, const ProgramGate* gate) {
    std::string body =
        "#!/bin/bash\n"
        "printf '%s\\n' \"$@\" > \"" +
        record.file("args.txt") + "\"\npwd > \"" + record.file("cwd.txt") +
        "\"\n"
        "if [ \"${2#-f}\" != \"$2\" ]; then\n"
        "  stat -c %a \"${2#-f}\" > \"" +
        record.file("mode.txt") + "\"\n  cp \"${2#-f}\" \"" + record.file("control.copy") +
        "\"\nfi\n";
    if (gate != nullptr) {
        body += "exec 3<>\"" + gate->fifo() +
                "\"\nread -t 20 -u 3 line || exit 3\n[ \"$line\" = go ] || exit 4\n";
    }
    body += "exit " + std::to_string(exitStatus) + "\n";
    const std::string path = program.write(name, body);
    EXPECT_EQ(::chmod(path.c_str(), 0755), 0);
}

std::string recordedFolder(const TempFolder& folder) {
    return folder.path().substr(0, folder.path().size() - 1);
}

}  // namespace vantorell::test
