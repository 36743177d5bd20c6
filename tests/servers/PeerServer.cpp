#include "tests/servers/PeerServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace vantorell::test {
namespace {

constexpr std::chrono::milliseconds kStopDeadline{5000};
// The pause between two connect attempts; a server that ends cuts it short.
constexpr int kRetryMilliseconds = 20;
constexpr int kStartTries = 3;

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

PeerServer::PeerServer() : port_(freeLoopbackPort()) {
    // What a server forks becomes ours when the server ends, so that stop() can reap it
    // instead of leaving it to the system.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
}

PeerServer::~PeerServer() {
    stop();
}

bool PeerServer::start(const std::vector<std::string>& arguments,
                       std::chrono::milliseconds deadline) {
    failure_.clear();
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    // Its own process group, so that what it forks is stopped with it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
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
