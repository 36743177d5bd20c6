#include "tests/servers/PeerServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/close_range.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>

extern char** environ;

namespace vantorell::test {
namespace {

constexpr std::chrono::milliseconds kStopDeadline{5000};
// The pause between two connect attempts; a server that ends cuts it short.
constexpr int kRetryMilliseconds = 20;
constexpr int kStartTries = 3;

// Ports for peer servers lie below the range the system hands out for bind(0) and for
// outgoing connections, so that nothing else a test opens can take one between our choice
// and the server's bind. Between test processes running at once, a lock file per port
// (held while the server lives, released by the system if the process dies) keeps two
// servers from being given the same one; without it, the loser's readiness probe would
// reach the winner and count as its own.
constexpr int kPeerPortSpan = 10000;
constexpr int kLowestPeerPort = 1024;
const char* const kPortLockFolder = "/tmp/vantorell-test-ports";

int ephemeralRangeStart() {
    std::ifstream range("/proc/sys/net/ipv4/ip_local_port_range");
    int low = 0;
    return range >> low ? low : 32768;
}

bool bindable(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    // The servers set SO_REUSEADDR, so a port with connections of an earlier server still
    // closing is as good as a fresh one.
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in address = loopbackAddress(port);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// A port no other peer server of any test process holds, with its lock in `lock`.
int reservePeerPort(int& lock) {
    const int high = std::min(ephemeralRangeStart(), 32768);
    const int low = std::max(kLowestPeerPort, high - kPeerPortSpan);
    ::mkdir(kPortLockFolder, 0777);
    std::random_device seed;
    std::mt19937 pick(seed());
    std::uniform_int_distribution<int> ports(low, high - 1);
    for (int tries = 0; tries < 200; ++tries) {
        const int port = ports(pick);
        const std::string file = std::string(kPortLockFolder) + "/" + std::to_string(port);
        const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            break;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && bindable(port)) {
            lock = fd;
            return port;
        }
        ::close(fd);
    }
    // No lock folder to be had: a port the system calls free, as before.
    lock = -1;
    return freeLoopbackPort();
}

bool connectsTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const sockaddr_in address = loopbackAddress(port);
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// True when the process behind the descriptor ended within the time.
bool endedWithin(int pidfd, int milliseconds) {
    pollfd p{pidfd, POLLIN, 0};
    return ::poll(&p, 1, milliseconds) > 0;
}

int millisecondsLeft(std::chrono::steady_clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// In the forked child, until exec: only async-signal-safe calls. The server gets a process
// group of its own (so that what it forks is stopped with it), dies with the thread that
// started it even when the test crashes, and starts with the default signal dispositions
// and no blocked signals, whatever the test process had set.
[[noreturn]] void startChild(char* const* argv, int input, int log, int report, pid_t parent) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) {
        ::_exit(127);  // the test ended before the line above
    }
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    sigemptyset(&defaults.sa_mask);
    for (int signal = 1; signal < NSIG; ++signal) {
        if (signal != SIGKILL && signal != SIGSTOP) {
            ::sigaction(signal, &defaults, nullptr);
        }
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    if (::dup2(input, 0) < 0 || ::dup2(log, 1) < 0 || ::dup2(log, 2) < 0) {
        const int error = errno;
        [[maybe_unused]] const ssize_t n = ::write(report, &error, sizeof error);
        ::_exit(127);
    }
    // No descriptor of the test's goes along, so none of its ports stays open in the server.
    ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
    ::execve(argv[0], argv, environ);
    const int error = errno;
    [[maybe_unused]] const ssize_t n = ::write(report, &error, sizeof error);
    ::_exit(127);
}

}  // namespace

PeerServer::PeerServer() : port_(reservePeerPort(portLock_)) {
    // What a server forks becomes ours when the server ends, so that stop() can reap it
    // instead of leaving it to the system.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
}

PeerServer::~PeerServer() {
    stop();
    if (portLock_ >= 0) {
        ::close(portLock_);
    }
}

bool PeerServer::start(const std::vector<std::string>& arguments,
                       std::chrono::milliseconds deadline) {
    failure_.clear();
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const std::string output = folder_.file("output.txt");
    const int input = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int log = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int report[2] = {-1, -1};  // the child's errno when it cannot start the program
    if (input < 0 || log < 0 || ::pipe2(report, O_CLOEXEC) != 0) {
        failure_ = "cannot prepare the start of " + arguments[0] + ": " + std::strerror(errno);
        for (const int fd : {input, log, report[0], report[1]}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
        return false;
    }
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        startChild(argv.data(), input, log, report[1], parent);
    }
    ::setpgid(pid_, pid_);  // as the child does, so that stop() finds the group at once
    const int forkError = errno;
    ::close(input);
    ::close(log);
    ::close(report[1]);
    if (pid_ < 0) {
        ::close(report[0]);
        pid_ = -1;
        failure_ = "cannot start " + arguments[0] + ": " + std::strerror(forkError);
        return false;
    }
    int childError = 0;
    ssize_t got = 0;
    while ((got = ::read(report[0], &childError, sizeof childError)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    if (got == static_cast<ssize_t>(sizeof childError)) {
        failure_ = "cannot start " + arguments[0] + ": " + std::strerror(childError);
        stop();
        return false;
    }
    if (pidfd_ < 0) {
        failure_ = "cannot watch " + arguments[0];
        stop();
        return false;
    }
    if (!waitReady(deadline)) {
        stop();
        failure_ += "\n" + folder_.read("output.txt");
        return false;
    }
    return true;
}

bool PeerServer::waitReady(std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        if (connectsTo(port_)) {
            return true;
        }
        const int left = millisecondsLeft(end);
        if (left == 0) {
            failure_ = "the server did not accept a connection on port " + portText() + " in time";
            return false;
        }
        if (endedWithin(pidfd_, std::min(left, kRetryMilliseconds))) {
            failure_ = "the server ended before it accepted a connection";
            return false;
        }
    }
}

void PeerServer::stop() {
    if (pid_ <= 0) {
        return;
    }
    // The group id is the server's own id, which stays ours until the server is reaped.
    ::kill(-pid_, SIGTERM);
    if (pidfd_ < 0 || !endedWithin(pidfd_, static_cast<int>(kStopDeadline.count()))) {
        ::kill(-pid_, SIGKILL);
    }
    ::kill(-pid_, SIGKILL);  // whatever it forked and left behind
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    // Its orphans are ours now; they were killed with the group.
    while (::waitpid(-pid_, &status, 0) > 0 || errno == EINTR) {
    }
    if (pidfd_ >= 0) {
        ::close(pidfd_);
    }
    pid_ = -1;
    pidfd_ = -1;
}

std::unique_ptr<PeerServer> startPeerServer(
    std::string& Failure, const std::function<std::vector<std::string>(PeerServer&)>& prepare) {
    for (int attempt = 0; attempt < kStartTries; ++attempt) {
        auto server = std::make_unique<PeerServer>();
        if (server->start(prepare(*server))) {
            Failure.clear();
            return server;
        }
        Failure = server->failure();
    }
    return nullptr;
}

}  // namespace vantorell::test
