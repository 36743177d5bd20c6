// A peer server ends with the test process that started it, even when that process
// crashes, and starts with the signal state a fresh program has.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/ProcessSpawn.h"
#include "tests/servers/HttpServers.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {
namespace {

constexpr int kDeadlineMs = 20000;
const char* const kReportVariable = "VANTORELL_PEER_SERVER_REPORT";

// True when the process ended within the deadline (or was gone already).
bool endsWithin(pid_t pid, int milliseconds) {
    const int descriptor = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (descriptor < 0) {
        return errno == ESRCH;
    }
    pollfd p{descriptor, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&p, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    ::close(descriptor);
    return ready > 0;
}

// The bits of a signal mask line of /proc/<pid>/status ("SigBlk:", "SigIgn:").
unsigned long long statusMask(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stoull(line.substr(field.size()), nullptr, 16);
        }
    }
    ADD_FAILURE() << "no " << field << " for process " << pid;
    return ~0ULL;
}

bool hasSignal(unsigned long long mask, int signal) {
    return (mask >> (signal - 1)) & 1U;
}

// The signals the server's main thread holds. While it starts a thread, as the server does
// for every connection (its readiness probe's too), the C library holds every signal that
// can be held, for a moment; such a mask says nothing of the server's own and is read again.
unsigned long long heldSignals(pid_t pid) {
    constexpr unsigned long long kClassicSignals = 0x7FFFFFFFULL;  // 1 .. 31
    const unsigned long long everyHeld =
        kClassicSignals & ~(1ULL << (SIGKILL - 1)) & ~(1ULL << (SIGSTOP - 1));
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDeadlineMs);
    for (;;) {
        const unsigned long long mask = statusMask(pid, "SigBlk:");
        if ((mask & kClassicSignals) != everyHeld || std::chrono::steady_clock::now() >= end) {
            return mask;
        }
        std::this_thread::yield();
    }
}

// Run only as the child of the test below: starts a server, names its process, and
// crashes without any clean-up.
TEST(PeerServerLife, DISABLED_ChildStartsAServerAndCrashes) {
    const char* report = std::getenv(kReportVariable);
    ASSERT_NE(report, nullptr);
    TempFolder site;
    std::string failure;
    const auto server = startHttpServer(failure, site.path());
    ASSERT_NE(server, nullptr) << failure;
    std::ofstream(report) << server->pid() << "\n";
    std::abort();
}

TEST(PeerServerLife, EndsWhenTheTestProcessCrashes) {
    TempFolder folder;
    const std::string report = folder.file("server.pid");
    const ScopedEnvironment environment({{kReportVariable, report}});
    pid_t child = -1;
    ASSERT_EQ(
        detail::spawnChild({"/proc/self/exe", "--gtest_also_run_disabled_tests",
                            "--gtest_filter=PeerServerLife.DISABLED_ChildStartsAServerAndCrashes"},
                           "", child),
        0);
    const bool childEnded = endsWithin(child, kDeadlineMs);
    if (!childEnded) {
        ::kill(child, SIGKILL);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ASSERT_TRUE(childEnded);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child did not crash: " << status;

    pid_t server = -1;
    std::ifstream(report) >> server;
    ASSERT_GT(server, 0) << "the child started no server";
    const bool serverEnded = endsWithin(server, kDeadlineMs);
    if (!serverEnded) {
        ::kill(server, SIGKILL);
    }
    // Reaped here when it was handed to this process as the closest child reaper.
    ::waitpid(server, &status, WNOHANG);
    EXPECT_TRUE(serverEnded) << "the server outlived the test process that started it";
}

TEST(PeerServerLife, StartsWithDefaultSignalsAndEndsOnTermination) {
    // What a test process may have set on its thread: a held termination signal, an
    // ignored hang-up.
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    sigset_t previousMask;
    pthread_sigmask(SIG_BLOCK, &term, &previousMask);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previousHangUp {};
    sigaction(SIGHUP, &ignore, &previousHangUp);

    TempFolder site;
    std::string failure;
    auto server = startHttpServer(failure, site.path());

    sigaction(SIGHUP, &previousHangUp, nullptr);
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    ASSERT_NE(server, nullptr) << failure;

    const pid_t pid = server->pid();
    EXPECT_FALSE(hasSignal(heldSignals(pid), SIGTERM));
    EXPECT_FALSE(hasSignal(statusMask(pid, "SigIgn:"), SIGHUP));
    EXPECT_FALSE(hasSignal(statusMask(pid, "SigIgn:"), SIGTERM));
    // stop() would fall back to SIGKILL; a termination request alone must end it.
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    EXPECT_TRUE(endsWithin(pid, kDeadlineMs));
    server->stop();
}

}  // namespace
}  // namespace vantorell::test
