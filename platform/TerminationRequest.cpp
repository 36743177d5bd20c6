#include "platform/TerminationRequest.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <stdexcept>

namespace vantorell {
namespace {

// The handler may only write to a pipe; the notifier reads it on the GUI thread.
int wakePipe[2] = {-1, -1};
struct sigaction previousAction {};
bool heldBefore = false;
std::atomic<bool> requested{false};

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

void setHeld(bool held) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(held ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

bool isHeld() {
    sigset_t current;
    sigemptyset(&current);
    pthread_sigmask(SIG_BLOCK, nullptr, &current);
    return sigismember(&current, SIGTERM) == 1;
}

}  // namespace

void holdTerminationRequests() {
    setHeld(true);
}

void requestTermination() {
    requested = true;
    // Ends the message loop and every loop nested in it, without asking any window first.
    QCoreApplication::exit(0);
}

bool terminationRequested() {
    return requested;
}

void clearTerminationRequest() {
    requested = false;
}

TerminationRequest::TerminationRequest(std::function<void()> onRequest, QObject* parent)
    : QObject(parent), onRequest_(std::move(onRequest)) {
    if (wakePipe[0] != -1) {
        throw std::logic_error("only one termination request handler may exist");
    }
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("cannot create the termination request pipe");
    }
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char buffer[64];
        while (::read(wakePipe[0], buffer, sizeof buffer) > 0) {
        }
        onRequest_();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previousAction);
    heldBefore = isHeld();
    setHeld(false);
}

TerminationRequest::~TerminationRequest() {
    setHeld(heldBefore);
    sigaction(SIGTERM, &previousAction, nullptr);
    delete notifier_;
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

}  // namespace vantorell
