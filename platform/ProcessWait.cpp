#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <cerrno>

#include "platform/Process.h"
#include "platform/ProcessSpawn.h"
#include "platform/TerminationRequest.h"

namespace vantorell {
namespace {

// A process descriptor becomes readable when the process ends, so the event loop can
// sleep in its poll until then; -1 when the kernel offers none.
int openProcessDescriptor(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

bool hasEnded(pid_t pid) {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

int reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

// Runs the events of this thread until the child ends or a quit request ends every event
// loop; true when the child ended.
bool waitInEventLoop(int descriptor) {
    bool ended = false;
    QEventLoop loop;
    QSocketNotifier notifier(descriptor, QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
        ended = true;
        notifier.setEnabled(false);
        loop.quit();
    });
    loop.exec();
    return ended;
}

}  // namespace

WaitResult startAndWait(const std::vector<std::string>& arguments,
                        const std::string& workingFolder) {
    WaitResult result;
    if (terminationRequested()) {
        result.startError = ECANCELED;  // nothing new starts while the program ends
        return result;
    }
    pid_t pid = -1;
    result.startError = detail::spawnChild(arguments, workingFolder, pid);
    if (result.startError != 0) {
        return result;
    }
    result.pid = pid;

    const int descriptor = openProcessDescriptor(pid);
    if (descriptor >= 0) {
        bool ended = true;
        if (QCoreApplication::instance() != nullptr) {
            ended = waitInEventLoop(descriptor) || hasEnded(pid);
        }
        ::close(descriptor);
        if (!ended) {
            return result;  // a quit request: the child goes on, the program shuts down
        }
    }
    // Without a process descriptor (very old kernels) the wait blocks here, events paused.
    result.exitCode = reap(pid);
    result.ended = true;
    return result;
}

}  // namespace vantorell
