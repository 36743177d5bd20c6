// The real engine program in what nobody friendly arranged for it: control files that are no
// files, a mismatch report that names a file of the run, signals and a file size limit in the
// middle of a run, window modes without a display, and a download told to end. Each run ends
// within its deadline with a failure status, and leaves its folder as it was: the previous
// output kept and no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "common/Scrambler.h"
#include "engine/tqmh01/CipherRequest.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/FileSystem.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/FileWait.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/RealEngine.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScriptedHttpPeer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

namespace fs = std::filesystem;
using test::ChildProgram;
using test::TempFolder;
using Args = std::vector<std::string>;

constexpr int kNotRun = 1;
constexpr int kCipherFailed = 3;
constexpr int kWindowFailed = 1;
constexpr const char* kCipherSwitch = "-BK7#LmmP";
constexpr auto kDeadline = std::chrono::seconds(20);
constexpr const char* kPrevious = "previous output";

// Each entry of a folder, hidden ones too, with its size and time of change, and for small
// files their bytes.
std::map<std::string, std::string> folderState(const std::string& folder) {
    std::map<std::string, std::string> state;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        std::string& s = state[e.path().filename().string()];
        s = std::to_string(st.st_mode) + " " + std::to_string(st.st_size) + " " +
            std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
        if (S_ISREG(st.st_mode) && st.st_size < 4096) {
            s += " " + readWholeFile(e.path().string());
        }
    }
    return state;
}

// A temporary file beside `name` that holds bytes already.
bool partlyWritten(const std::string& folder, const std::string& name) {
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        const std::string entry = e.path().filename().string();
        std::error_code error;
        if (entry.rfind("." + name + ".", 0) == 0 && fs::file_size(e.path(), error) > 0) {
            return true;
        }
    }
    return false;
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class EngineRunFaults : public ::testing::Test {
protected:
    // A plain file and its enciphered form, large enough that a run is still writing when
    // it is signalled and that its output passes the file size limit.
    static void SetUpTestSuite() {
        plain_ = new std::string(test::randomBytes(6 << 20, 7));
        TempFolder made;
        made.write("plain.bin", *plain_);
        const CipherResult r =
            CipherFile(test::encipherRequest(made.file("plain.bin"), made.file("sealed.bec")));
        ASSERT_TRUE(r.ok()) << r.message;
        sealed_ = new std::string(made.read("sealed.bec"));
    }
    static void TearDownTestSuite() {
        delete plain_;
        delete sealed_;
    }

    void SetUp() override {
        dir_.write("plain.bin", *plain_);
        dir_.write("sealed.bec", *sealed_);
        dir_.write("out.bin", kPrevious);
        dir_.write("enc.bec", "F\nplain.bin\nO\nout.bin\nP\nsecret\nS\nsecond-key\nT\nnow\nE\n");
        dir_.write("dec.bec", "F\nsealed.bec\nO\nout.bin\nP\nsecret\nS\nsecond-key\nE\n");
        // An encipher run that cannot end before it is signalled: a sparse source of 1 GB.
        dir_.write("huge.bec", "F\nhuge.bin\nO\nout.bin\nP\nsecret\nS\nsecond-key\nT\nnow\nE\n");
        fs::resize_file(dir_.write("huge.bin", ""), 1ULL << 30);
    }

    static std::string* plain_;
    static std::string* sealed_;
    TempFolder dir_;
};

std::string* EngineRunFaults::plain_ = nullptr;
std::string* EngineRunFaults::sealed_ = nullptr;

TEST_F(EngineRunFaults, BatchRunsThatFailLeaveTheFolderAsItWas) {
    ASSERT_EQ(::mkdir(dir_.file("folder.bec").c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(dir_.file("fifo.bec").c_str(), 0600), 0);
    const std::string enc = "-f" + dir_.file("enc.bec");
    const std::string dec = "-f" + dir_.file("dec.bec");
    const std::string huge = "-f" + dir_.file("huge.bec");
    constexpr rlim_t kLimit = 1 << 20;
    constexpr std::optional<rlim_t> kNoLimit;
    struct Case {
        const char* what;
        Args switches;
        int status;
        const char* says;             // in its one line on standard error, when it says one
        int signal;                   // sent once the output is partly written
        std::optional<rlim_t> limit;  // on the size of the files the run writes
    } cases[] = {
        {"control file is a folder",
         {"-f" + dir_.file("folder.bec"), "-e"},
         kNotRun,
         "folder",
         0,
         kNoLimit},
        {"control file is a FIFO",
         {"-f" + dir_.file("fifo.bec"), "-e"},
         kNotRun,
         "regular file",
         0,
         kNoLimit},
        {"control file missing",
         {"-f" + dir_.file("missing.bec"), "-e"},
         kNotRun,
         "No such",
         0,
         kNoLimit},
        {"report names the source",
         {dec, "-d", "-w" + dir_.file("sealed.bec")},
         kCipherFailed,
         "replace",
         0,
         kNoLimit},
        {"report names the output",
         {dec, "-d", "-w" + dir_.path() + "./out.bin"},
         kCipherFailed,
         "replace",
         0,
         kNoLimit},
        {"report names the output, enciphering",
         {enc, "-e", "-wout.bin"},
         kCipherFailed,
         "replace",
         0,
         kNoLimit},
        {"SIGTERM while enciphering", {huge, "-e"}, kCipherFailed, nullptr, SIGTERM, kNoLimit},
        {"SIGINT while enciphering", {huge, "-e"}, kCipherFailed, nullptr, SIGINT, kNoLimit},
        {"SIGHUP while enciphering", {huge, "-e"}, kCipherFailed, nullptr, SIGHUP, kNoLimit},
        {"SIGTERM while deciphering", {dec, "-d"}, kCipherFailed, nullptr, SIGTERM, kNoLimit},
        {"file size limit while enciphering",
         {enc, "-e"},
         kCipherFailed,
         "File too large",
         0,
         kLimit},
        {"file size limit while deciphering",
         {dec, "-d"},
         kCipherFailed,
         "File too large",
         0,
         kLimit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = folderState(dir_.path());
        Args arguments = {kCipherSwitch};
        arguments.insert(arguments.end(), c.switches.begin(), c.switches.end());
        ChildProgram run(VANTORELL_ENGINE_EXE, arguments, dir_.path(), c.limit);
        if (c.signal != 0) {
            ASSERT_TRUE(test::waitForFolder(
                dir_.path(), [&] { return partlyWritten(dir_.path(), "out.bin"); }, kDeadline));
            run.signal(c.signal);
        }
        EXPECT_EQ(run.finish(kDeadline), c.status);
        const std::string said = run.standardError();
        if (c.says != nullptr) {
            EXPECT_EQ(lineCount(said), 1u) << said;
            EXPECT_NE(said.find(c.says), std::string::npos) << said;
        }
        EXPECT_EQ(folderState(dir_.path()), before);
        EXPECT_EQ(dir_.read("out.bin"), kPrevious);
    }
}

// The window modes need a display. Without one, or with one that cannot be opened, each
// says so in one line and fails, instead of aborting inside Qt.
TEST(EngineWindowModes, WithoutADisplaySayItInOneLine) {
    ASSERT_FALSE(fs::exists("/tmp/.X11-unix/X4242")) << "display :4242 is in use";
    const test::ScopedEnvironment::Variables environments[] = {
        {{"QT_QPA_PLATFORM", std::nullopt},
         {"DISPLAY", std::nullopt},
         {"WAYLAND_DISPLAY", std::nullopt}},
        {{"QT_QPA_PLATFORM", std::nullopt},
         {"DISPLAY", ":4242"},
         {"WAYLAND_DISPLAY", std::nullopt}},
        {{"QT_QPA_PLATFORM", "no-such-platform"}},
    };
    const Args modes[] = {{}, {"-U"}, {kCipherSwitch}, {"-Er6413T%T"}};
    TempFolder dir;
    for (const auto& environment : environments) {
        const test::ScopedEnvironment env(environment);
        for (const Args& mode : modes) {
            SCOPED_TRACE(mode.empty() ? "no switch" : mode[0]);
            ChildProgram run(VANTORELL_ENGINE_EXE, mode, dir.path());
            EXPECT_EQ(run.finish(kDeadline), kWindowFailed);
            const std::string said = run.standardError();
            EXPECT_EQ(lineCount(said), 1u) << said;
            EXPECT_EQ(said.rfind("tqmx01: a display is needed to show this window, and ", 0), 0u)
                << said;
        }
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// The updater told to end while a component arrives: the staging file's temporary file goes
// with it, and the component downloaded before stays.
TEST(EngineUpdaterSignals, DownloadToldToEndLeavesNoStagingFile) {
    // The engine component arrives in part, then nothing more comes.
    test::ScriptedHttpPeer stalled({test::ScriptedAnswer(
        "HTTP/1.0 200 OK\r\nContent-Length: 4000000\r\n\r\n" + std::string(600000, 'e'),
        test::ScriptedAnswer::End::Hold)});
    test::MakerSite site;
    ASSERT_TRUE(site.start()) << site.failure();

    TempFolder program;
    TempFolder config;
    test::installRealEngine(program.path(), "update");
    program.write("remove.dat", "the engine downloaded before");
    const test::ScopedEnvironment configuration({{"XDG_CONFIG_HOME", config.path()}});
    const Registry registry = Registry::forProgramFolder(program.path());
    {
        auto user = registry.createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
        ASSERT_TRUE(user);
        ASSERT_TRUE(user->writeString(
            "Update Master URL",
            site.describe("[Engine]\r\nVersion=2.0\r\nBuild=44\r\nURL=http://127.0.0.1:" +
                          stalled.portText() + "/remove.dat\r\n[Package]\r\nURL=0\r\n" +
                          // a description is at least as long as the smallest component
                          "; " + std::string(128, '-') + "\r\n")));
    }
    const auto before = folderState(program.path());

    const test::ScopedEnvironment probe(test::windowProbeVariables(
        config.file("window.txt"), "UpdateButton,UpdateCheckButton,DownloadButton"));
    ChildProgram run(program.file("update"), {"-U"}, program.path());
    ASSERT_TRUE(test::waitForFolder(
        program.path(), [&] { return partlyWritten(program.path(), "remove.dat"); }, kDeadline))
        << config.read("window.txt") << run.standardError();
    run.signal(SIGTERM);
    EXPECT_EQ(run.finish(kDeadline), kWindowFailed);

    auto after = folderState(program.path());
    // What the check stored: the description, and the machine's hive.
    for (const char* made : {"update.ini", "local-machine.hive"}) {
        after.erase(made);
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(program.read("remove.dat"), "the engine downloaded before");
}

}  // namespace
}  // namespace vantorell::engine
