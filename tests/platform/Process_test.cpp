#include "platform/Process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "platform/CommandLine.h"
#include "tests/support/CpuTime.h"
#include "tests/support/FifoReader.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::readFifo;
using test::TempFolder;
using Args = std::vector<std::string>;

std::string writeScript(const TempFolder& folder, const std::string& name,
                        const std::string& body) {
    const std::string path = folder.write(name, body);
    ::chmod(path.c_str(), 0755);
    return path;
}

// A child that waits until the test writes "go" into the FIFO, for at most 20 seconds.
// It opens the FIFO for reading and writing, so neither side blocks in open.
std::string waitingScript(const TempFolder& folder, std::string& fifo) {
    fifo = folder.file("go");
    ::mkfifo(fifo.c_str(), 0600);
    return writeScript(folder, "wait.sh",
                       "#!/bin/bash\nexec 3<>\"$1\"\nread -t 20 -u 3 line || exit 3\n"
                       "[ \"$line\" = go ] || exit 4\n");
}

// Opens the FIFO and writes "go"; the descriptor must stay open until the child has read.
int release(const std::string& fifo) {
    const int fd = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    EXPECT_EQ(::write(fd, "go\n", 3), 3);
    return fd;
}

TEST(ProcessTest, FailedStartsReturnTheErrorNumberAtOnce) {
    TempFolder dir;
    const std::string notExecutable = dir.write("plain.txt", "text");
    struct Case {
        Args arguments;
        std::string folder;
        int error;
    } cases[] = {
        {{dir.file("missing")}, "", ENOENT},
        {{"vantorell-no-such-program"}, "", ENOENT},
        {{"true"}, dir.file("no-such-folder"), ENOENT},
        {{notExecutable}, "", EACCES},
        {{}, "", ENOENT},
    };
    for (const Case& c : cases) {
        const WaitResult r = startAndWait(c.arguments, c.folder);
        EXPECT_EQ(r.startError, c.error) << (c.arguments.empty() ? "" : c.arguments[0]);
        EXPECT_FALSE(r.ended);
        EXPECT_EQ(startDetached(c.arguments, c.folder), c.error);
    }
    EXPECT_THROW(startAndWait({"true", std::string("a\0b", 3)}, ""), std::invalid_argument);
}

TEST(ProcessTest, ArgumentsArriveIntactWithoutAShell) {
    TempFolder dir;
    const std::string out = dir.file("args.txt");
    const std::string script = writeScript(
        dir, "args.sh",
        "#!/bin/sh\npwd > \"" + out +
            "\"\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done >> \"" + out + "\"\nexit 7\n");
    const Args arguments = {script, "a b",         "#x",    "%PATH%", "say \"hi\"",
                            "",     "back\\slash", "$HOME", "*"};
    const WaitResult r = startAndWait(arguments, dir.path());
    EXPECT_EQ(r.startError, 0);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.exitCode, 7);
    const std::string folder = dir.path().substr(0, dir.path().size() - 1);
    EXPECT_EQ(dir.read("args.txt"), folder +
                                        "\n[a b]\n[#x]\n[%PATH%]\n[say \"hi\"]\n[]\n"
                                        "[back\\slash]\n[$HOME]\n[*]\n");

    // The same through a command-line text, with the program name taken through the table.
    std::filesystem::copy_file(script, dir.file("tqmx01"));
    const std::string line = "\"" + dir.path() + "tqmx01.exe\" -BK7#LmmP -f\"" + dir.path() +
                             "a b#%.bec\" \"say \\\"hi\\\"\"";
    EXPECT_EQ(startAndWait(commandLineArguments(line), dir.path()).exitCode, 7);
    EXPECT_EQ(dir.read("args.txt"),
              folder + "\n[-BK7#LmmP]\n[-f" + dir.path() + "a b#%.bec]\n[say \"hi\"]\n");
}

TEST(ProcessTest, EventsRunDuringTheWait) {
    TempFolder dir;
    std::string fifo;
    const std::string script = waitingScript(dir, fifo);
    bool timerRan = false;
    bool postedRan = false;
    int writer = -1;
    QObject receiver;
    // The child ends only once a timer and then a posted event have run inside the wait.
    QTimer::singleShot(10, [&] {
        timerRan = true;
        QMetaObject::invokeMethod(
            &receiver,
            [&] {
                postedRan = true;
                writer = release(fifo);
            },
            Qt::QueuedConnection);
    });
    const WaitResult r = startAndWait({script, fifo}, "");
    ::close(writer);
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(postedRan);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.exitCode, 0);
}

TEST(ProcessTest, WaitingDoesNotSpin) {
    const double cpuBefore = test::processCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    const WaitResult r = startAndWait({"sleep", "1"}, "");
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    const double cpu = test::processCpuSeconds() - cpuBefore;
    ASSERT_TRUE(r.ended);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_GE(wall.count(), 0.9);
    EXPECT_LT(cpu / wall.count(), 0.05) << cpu << " s of CPU in " << wall.count() << " s";
}

TEST(ProcessTest, AQuitRequestEndsTheWaitAndLeavesTheChildRunning) {
    TempFolder dir;
    std::string fifo;
    const std::string script = waitingScript(dir, fifo);
    WaitResult r;
    bool waitReturned = false;
    // As in the designer: the wait runs inside the application's event loop, and a quit
    // request arrives while it waits.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(20, [] { QCoreApplication::quit(); });
        r = startAndWait({script, fifo}, "");
        waitReturned = true;
    });
    QCoreApplication::exec();
    ASSERT_TRUE(waitReturned);
    EXPECT_EQ(r.startError, 0);
    EXPECT_FALSE(r.ended);
    ASSERT_GT(r.pid, 0);
    EXPECT_EQ(::kill(r.pid, 0), 0) << "the child should still run";

    const int writer = release(fifo);
    int status = -1;
    EXPECT_EQ(::waitpid(r.pid, &status, 0), r.pid);
    ::close(writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    // Once the application loop has ended, waits work as before.
    EXPECT_TRUE(startAndWait({"true"}, "").ended);
}

TEST(ProcessTest, DetachedStartDoesNotWait) {
    TempFolder dir;
    std::string fifo = dir.file("out");
    ::mkfifo(fifo.c_str(), 0600);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const std::string script =
        writeScript(dir, "detached.sh",
                    "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"" +
                        fifo + "\"\n");
    EXPECT_EQ(startDetached({script, "a b", "#%"}, dir.path()), 0);
    const std::string folder = dir.path().substr(0, dir.path().size() - 1);
    EXPECT_EQ(readFifo(reader), folder + "\n[a b]\n[#%]\n");
    ::close(reader);
}

}  // namespace
}  // namespace vantorell
