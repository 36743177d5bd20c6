#include "tests/servers/PeerServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
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

    // Its own process group, so that what it forks is stopped with it, and no signal held
    // back, whatever the test's thread holds (a designer run holds termination requests
    // once its loop has ended), so that stop() ends it at once.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string output = folder_.file("output.txt");
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int error = ::posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        pid_ = -1;
        failure_ = "cannot start " + arguments[0] + ": " + std::strerror(error);
        return false;
    }
    pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
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
