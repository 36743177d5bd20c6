#include "platform/EventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace vantorell {

void processMessages() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

bool waitForMessages(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (done() || timeout.count() <= 0 || QCoreApplication::instance() == nullptr ||
        dispatcher == nullptr) {
        return done();
    }
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    // The thread is about to sleep: everything that was pending has run.
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    deadline.start(timeout);
    loop.exec();
    return done();
}

}  // namespace vantorell
