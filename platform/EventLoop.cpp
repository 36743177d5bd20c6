#include "platform/EventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "platform/TerminationRequest.h"

namespace vantorell {
namespace {

using Clock = std::chrono::steady_clock;

// Long waits go in steps that a timer can hold.
constexpr long long kLongestStepMs = 3600000;

}  // namespace

void processMessages() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

bool waitForMessages(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return waitForMessagesUntil(done, Clock::now() + timeout) == WaitEnd::Done;
}

WaitEnd waitForMessagesUntil(const std::function<bool()>& done, const Clock::time_point& deadline) {
    if (done()) {
        return WaitEnd::Done;
    }
    if (Clock::now() >= deadline) {
        return WaitEnd::Deadline;
    }
    // The program is ending, also after its message loop has returned: nothing is waited for.
    if (terminationRequested()) {
        return WaitEnd::Quit;
    }
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (QCoreApplication::instance() == nullptr || dispatcher == nullptr) {
        return WaitEnd::Quit;
    }
    WaitEnd end = WaitEnd::Quit;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    const auto arm = [&] {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        timer.start(static_cast<int>(std::clamp<long long>(left.count(), 0, kLongestStepMs) + 1));
    };
    const auto finish = [&](WaitEnd how) {
        end = how;
        loop.quit();
    };
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (done()) {
            finish(WaitEnd::Done);
        } else if (Clock::now() >= deadline) {
            finish(WaitEnd::Deadline);
        } else {
            arm();  // the deadline moved
        }
    });
    // The thread is about to sleep: everything that was pending has run.
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
        if (done()) {
            finish(WaitEnd::Done);
        }
    });
    arm();
    loop.exec();
    // The loop also ends when the application quits; what was waited for may have come.
    return end == WaitEnd::Quit && done() ? WaitEnd::Done : end;
}

}  // namespace vantorell
