// The engine's program starter: a detached start of a Windows-style command line.
#include "engine/tqmh01/RunProgram.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/FifoReader.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

using test::TempFolder;

// What a started program writes into the FIFO. It is opened without blocking, so a program
// that never starts costs the reader's deadline and no more.
std::string readFifo(const std::string& fifo) {
    const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    std::string got = test::readFifo(fd);
    ::close(fd);
    return got;
}

TEST(RunProgramTest, StartsTheCommandLineDetachedUpToItsLimit) {
    TempFolder dir;
    const std::string fifo = dir.file("out");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    // Quoted parts keep their blanks; the program sees them as one argument each.
    const std::string arguments =
        "-c \"printf '%s|' \\\"$0\\\" \\\"$1\\\" > '" + fifo + "'\" \"two words\" last";
    ASSERT_TRUE(RunProgram("/bin/sh", arguments, "/ignored"));
    EXPECT_EQ(readFifo(fifo), "two words|last|");

    // Exactly 259 characters still start; one more does not.
    std::string padded = "-c \"echo ok > '" + fifo + "'\" ";
    const std::size_t room = kRunProgramLineLimit - std::string("/bin/sh ").size();
    ASSERT_LT(padded.size(), room);
    padded.append(room - padded.size(), 'x');
    ASSERT_TRUE(RunProgram("/bin/sh", padded, ""));
    EXPECT_EQ(readFifo(fifo), "ok\n");
    EXPECT_FALSE(RunProgram("/bin/sh", padded + "x", ""));
}

TEST(RunProgramTest, FailedStartsReturnFalse) {
    TempFolder dir;
    EXPECT_FALSE(RunProgram(dir.file("missing.exe"), "", ""));
    EXPECT_FALSE(RunProgram("", "-c true", ""));
    EXPECT_FALSE(RunProgram("/bin/sh", std::string("-c\0true", 7), ""));
}

}  // namespace
}  // namespace vantorell::engine
