#pragma once
// A termination request (SIGTERM, as sent at logout or by a service manager) delivered as a
// call on the GUI thread, so that the program can close through its normal close path and
// keep its settings.
//
// holdTerminationRequests() must run first in main, before any thread exists: it holds the
// signal back in every thread, so that a request that comes before the handler is installed
// waits for it instead of ending the program at once.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace vantorell {

void holdTerminationRequests();

class TerminationRequest : public QObject {
    Q_OBJECT
public:
    // Installs the handler and lets the held requests through on the calling thread; only
    // one instance may exist at a time.
    explicit TerminationRequest(std::function<void()> onRequest, QObject* parent = nullptr);
    // Holds requests back again when they were held before, as in the programs, so that one
    // arriving during shutdown waits unanswered; a thread that took them before does again.
    ~TerminationRequest() override;

private:
    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vantorell
