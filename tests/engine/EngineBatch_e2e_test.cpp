// The real engine program in batch cipher mode: command lines and control files, run with
// no display. Whether a complete request writes its output depends on the cipher in this
// build, which the tests ask in-process first; everything else is the same either way.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "engine/tqmh01/CipherRequest.h"
#include "platform/FileSystem.h"
#include "platform/ProcessSpawn.h"
#include "tests/support/RealEngine.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

using test::TempFolder;
using Args = std::vector<std::string>;

constexpr int kRan = 0;
constexpr int kNotRun = 1;
constexpr int kRefused = 2;
constexpr int kCipherFailed = 3;
constexpr int kDeadlineMs = 60000;

// No display at all, or a platform name that does not exist: a batch run must not care.
const test::ScopedEnvironment::Variables kNoDisplay[] = {
    {{"QT_QPA_PLATFORM", std::nullopt},
     {"DISPLAY", std::nullopt},
     {"WAYLAND_DISPLAY", std::nullopt}},
    {{"QT_QPA_PLATFORM", "no-such-platform"},
     {"DISPLAY", std::nullopt},
     {"WAYLAND_DISPLAY", std::nullopt}},
};

// Runs the engine with the switches in `folder` and returns its exit status; the wait
// sleeps on the process descriptor and gives up after the deadline.
int runEngine(const Args& switches, const std::string& folder) {
    Args arguments = {VANTORELL_ENGINE_EXE};
    arguments.insert(arguments.end(), switches.begin(), switches.end());
    pid_t pid = -1;
    if (const int e = detail::spawnChild(arguments, folder, pid); e != 0) {
        ADD_FAILURE() << "the engine did not start: errno " << e;
        return -1;
    }
    const int descriptor = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    pollfd p{descriptor, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&p, 1, kDeadlineMs);
    } while (ready < 0 && errno == EINTR);
    ::close(descriptor);
    if (ready <= 0) {
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (ready <= 0) {
        ADD_FAILURE() << "the engine did not end within the deadline";
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

constexpr char kPlain[] = "plain text\r\nwith \0 bytes and more than sixteen of them\n";
const std::string kPlainBytes(kPlain, sizeof kPlain - 1);

CipherRequest encipherRequest(const std::string& source, const std::string& output) {
    CipherRequest r;
    r.sourcePath = source;
    r.outputPath = output;
    r.direction = CipherDirection::Encipher;
    r.firstKey = "pw";
    r.secondKey = "k2";
    r.secondKeyGiven = true;
    r.thirdKey = "12/10/2026 10:20:33 AM";
    return r;
}

class EngineBatchTest : public ::testing::Test {
protected:
    // Whether this build's cipher writes output: asked once, in-process.
    static bool cipherBuilt() {
        static const bool built = [] {
            TempFolder probe;
            const std::string source = probe.write("plain.bin", kPlainBytes);
            return CipherFile(encipherRequest(source, probe.file("sealed.bec"))).ok();
        }();
        return built;
    }

    void SetUp() override {
        dir_.write("plain.bin", kPlainBytes);
        if (cipherBuilt()) {
            ASSERT_TRUE(
                CipherFile(encipherRequest(dir_.file("plain.bin"), dir_.file("sealed.bec"))).ok());
        } else {
            dir_.write("sealed.bec", "L\n56\nT\nnow\nM\n");
        }
        sealed_ = dir_.read("sealed.bec");
        dir_.write("dec.bec", "F\r\nsealed.bec\r\nO\r\nout.bin\r\nP\r\npw\r\nS\r\nk2\r\nE\r\n");
        dir_.write("enc.bec",
                   "F\r\nplain.bin\r\nO\r\nout.bin\r\nP\r\npw\r\nS\r\nk2\r\nT\r\nnow\r\nE\r\n");
    }

    // Checks status and output of one run, then clears the output for the next.
    void expectRun(const Args& switches, int expected, const std::string& what) {
        const int wanted = expected == kRan && !cipherBuilt() ? kCipherFailed : expected;
        EXPECT_EQ(runEngine(switches, dir_.path()), wanted) << what;
        EXPECT_EQ(fileExists(dir_.file("out.bin")), wanted == kRan) << what;
        EXPECT_EQ(dir_.read("plain.bin"), kPlainBytes) << what;
        EXPECT_EQ(dir_.read("sealed.bec"), sealed_) << what;
        deleteFile(dir_.file("out.bin"));
    }

    TempFolder dir_;
    std::string sealed_;
};

TEST_F(EngineBatchTest, CommandLinesWithoutADisplay) {
    const std::string dec = "-f" + dir_.file("dec.bec");
    const std::string enc = "-f" + dir_.file("enc.bec");

    // A control file that exists but whose path is too long to be read as an argument.
    std::string longFolder = dir_.path() + std::string(120, 'a') + "/" + std::string(120, 'b');
    std::filesystem::create_directories(longFolder);
    const std::string longPath = longFolder + "/c.bec";
    std::filesystem::copy_file(dir_.file("dec.bec"), longPath);
    ASSERT_GT(longPath.size() + 2, 255u);

    struct Case {
        Args switches;
        int status;
    } cases[] = {
        {{"-BK7#LmmP", dec, "-d"}, kRan},
        {{"-BK7#LmmP", "-fdec.bec", "-d"}, kRan},  // relative to the current folder
        {{"-BK7#LmmP", "-d", dec}, kRan},
        {{"-BK7#LmmP", dec, "-d", "-w" + dir_.file("report.txt")}, kRan},
        {{"-BK7#LmmP", enc, "-e"}, kRan},
        {{"-BK7#LmmP", enc, "-d"}, kNotRun},  // "T" while deciphering
        {{"-BK7#LmmP", dec, "-e"}, kNotRun},  // no "T" while enciphering
        {{"-BK7#LmmP", dec}, kNotRun},
        {{"-BK7#LmmP", "-d"}, kNotRun},
        {{"-BK7#LmmP", "-x"}, kNotRun},
        {{"-d", "-BK7#LmmP", dec}, kNotRun},
        {{"-BK7#LmmP", "-D", "-F" + dir_.file("dec.bec")}, kNotRun},
        {{"-BK7#LmmP", "-f" + dir_.file("missing.bec"), "-d"}, kNotRun},
        {{"-BK7#LmmP", "-f" + longPath, "-d"}, kNotRun},
    };
    for (const auto& environment : kNoDisplay) {
        test::ScopedEnvironment env(environment);
        for (const Case& c : cases) {
            std::string what;
            for (const std::string& s : c.switches) {
                what += s + " ";
            }
            expectRun(c.switches, c.status, what);
        }
    }
}

TEST_F(EngineBatchTest, ControlFilesWithoutADisplay) {
    test::ScopedEnvironment env(kNoDisplay[0]);
    const std::string fop = "F\nsealed.bec\nO\nout.bin\nP\npw\n";
    struct Case {
        std::string control;
        const char* direction;
        int status;
    } cases[] = {
        {fop + "E\n", "-d", kRan},  // the built-in texts stand in for "S"
        {fop + "S\nk2\nE\n", "-d", kRan},
        {fop + "S\nk2", "-d", kRan},  // no "E": the end of the file ends it
        {fop + "S\nk2\nT\nnow\nE\n", "-d", kNotRun},
        {"F\nplain.bin\nO\nout.bin\nP\npw\nE\n", "-e", kNotRun},
        {"F\nplain.bin\nO\nout.bin\nP\npw\nT\nnow\nE\n", "-e", kRan},
        {"C\nF\nplain.bin\nO\nout.bin\nE\n", "-e", kRan},
        {"f\nsealed.bec\no\nout.bin\nP\npw\nE\n", "-d", kNotRun},
        {"F\nsealed.bec\nE\nO\nout.bin\nP\npw\n", "-d", kNotRun},
        {fop + "S\n" + std::string(256, 'k') + "\nE\n", "-d", kRefused},
        {fop + "L\nnone\nE\n", "-d", kRefused},
        // Source and output the same file: the cipher refuses and leaves it alone.
        {"F\nsealed.bec\nO\n./sealed.bec\nP\npw\nE\n", "-d", kCipherFailed},
    };
    for (const Case& c : cases) {
        dir_.write("control.bec", c.control);
        expectRun({"-BK7#LmmP", "-f" + dir_.file("control.bec"), c.direction}, c.status, c.control);
    }
}

TEST_F(EngineBatchTest, EnciphersAndDeciphersBackThroughTheProgram) {
    if (!cipherBuilt()) {
        GTEST_SKIP() << "the file cipher is not part of this build";
    }
    ASSERT_EQ(runEngine({"-BK7#LmmP", "-f" + dir_.file("enc.bec"), "-e"}, dir_.path()), kRan);
    std::filesystem::rename(dir_.file("out.bin"), dir_.file("sealed.bec"));
    ASSERT_EQ(runEngine({"-BK7#LmmP", "-f" + dir_.file("dec.bec"), "-d"}, dir_.path()), kRan);
    EXPECT_EQ(dir_.read("out.bin"), kPlainBytes);
}

// The designer's requests, with the real engine in its program folder: the bytes come back
// whole, and neither the control file nor "temp.dat" is left after enciphering.
TEST_F(EngineBatchTest, DesignerRequestsReachTheEngine) {
    test::ScopedEnvironment env(kNoDisplay[0]);
    TempFolder program;
    test::installRealEngine(program.path());
    program.write(kTempDataFile, kPlainBytes);

    const std::string target = program.file("sent model.bec");
    const bool enciphered = flgRunEncryption(program.path(), target, "pw", "k2");
    EXPECT_EQ(enciphered, cipherBuilt());
    EXPECT_EQ(fileExists(target), cipherBuilt());
    EXPECT_FALSE(fileExists(program.file(kControlFile)));
    EXPECT_FALSE(fileExists(program.file(kTempDataFile)));
    if (!cipherBuilt()) {
        return;
    }
    const std::string header = "L\n" + std::to_string(kPlainBytes.size()) + "\nT\n";
    EXPECT_EQ(program.read("sent model.bec").rfind(header, 0), 0u);
    EXPECT_TRUE(flgRunDecryption(program.path(), target, kTempDataFile, "pw", "k2", 0));
    EXPECT_EQ(program.read(kTempDataFile), kPlainBytes);
    EXPECT_FALSE(fileExists(program.file(kControlFile)));
}

}  // namespace
}  // namespace vantorell::engine
