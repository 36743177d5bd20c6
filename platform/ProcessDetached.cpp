#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "platform/Process.h"
#include "platform/ProcessSpawn.h"

extern char** environ;

namespace vantorell {
namespace {

// The program's path as exec needs it: names without "/" are looked up in PATH beforehand,
// since nothing but async-signal-safe calls may run between fork and exec.
int findProgram(const std::string& name, std::string& path) {
    if (name.empty()) {
        return ENOENT;
    }
    if (name.find('/') != std::string::npos) {
        path = name;
        return 0;
    }
    const char* env = std::getenv("PATH");
    const std::string search = env != nullptr ? env : "/usr/local/bin:/usr/bin:/bin";
    int error = ENOENT;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = search.find(':', start);
        std::string folder = search.substr(start, colon - start);
        if (folder.empty()) {
            folder = ".";
        }
        const std::string candidate = folder + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            path = candidate;
            return 0;
        }
        if (errno == EACCES) {
            error = EACCES;
        }
        if (colon == std::string::npos) {
            return error;
        }
        start = colon + 1;
    }
}

void writeError(int fd, int error) {
    while (::write(fd, &error, sizeof error) < 0 && errno == EINTR) {
    }
}

// Runs in the grandchild: only async-signal-safe calls.
[[noreturn]] void execGrandchild(const char* path, char* const* argv, const char* folder,
                                 int reportFd) {
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) {
        if (sig != SIGKILL && sig != SIGSTOP) {
            ::sigaction(sig, &byDefault, nullptr);
        }
    }
    // Only standard input, output and error go along; the report pipe closes on exec.
    ::syscall(SYS_close_range, 3u, ~0u, 4u /* CLOSE_RANGE_CLOEXEC */);
    if (folder != nullptr && ::chdir(folder) != 0) {
        writeError(reportFd, errno);
        ::_exit(127);
    }
    ::execve(path, argv, environ);
    writeError(reportFd, errno);
    ::_exit(127);
}

}  // namespace

int startDetached(const std::vector<std::string>& arguments, const std::string& workingFolder) {
    std::vector<char*> argv = detail::execArguments(arguments);
    std::string path;
    if (arguments.empty()) {
        return ENOENT;
    }
    if (int e = findProgram(arguments[0], path); e != 0) {
        return e;
    }
    const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return errno;
    }
    // Fork twice: the middle process ends at once and is reaped here, so the program runs
    // on under init and never has to be waited for.
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int e = errno;
        ::close(report[0]);
        ::close(report[1]);
        return e;
    }
    if (middle == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t child = ::fork();
        if (child < 0) {
            writeError(report[1], errno);
            ::_exit(127);
        }
        if (child == 0) {
            execGrandchild(path.c_str(), argv.data(), folder, report[1]);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without data when exec succeeded.
    int error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

}  // namespace vantorell
