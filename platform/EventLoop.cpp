#include "platform/EventLoop.h"

#include <QCoreApplication>

namespace vantorell {

void processMessages() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

}  // namespace vantorell
