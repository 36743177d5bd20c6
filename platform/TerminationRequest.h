#pragma once
// Ending the program on request: a termination request (SIGTERM, as sent at logout or by a
// service manager, or a close request that cannot wait for an answer) ends it as Exit does,
// but without asking anything, so that no question can keep it alive.
//
// requestTermination() marks the request and ends every running event loop: an open message
// box or file dialog ends as cancelled, a blocking request as aborted, a wait for a started
// program as not ended (the program goes on). From then on terminationRequested() holds; the
// Qt message boxes and file dialogs answer at once as cancelled, and the waits of the event
// loop return at once, so that the work in progress unwinds to the message loop, which
// returns. The program then ends the normal way.
//
// TerminationRequest delivers SIGTERM as a call on the GUI thread. holdTerminationRequests()
// must run first in main, before any thread exists: it holds the signal back in every
// thread, so that a request that comes before the handler is installed waits for it instead
// of ending the program at once.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace vantorell {

void holdTerminationRequests();

void requestTermination();
bool terminationRequested();
// Forgets the request once the run it ended is over, for a process that runs again (tests).
void clearTerminationRequest();

class TerminationRequest : public QObject {
    Q_OBJECT
public:
    // Installs the handler and lets the held requests through on the calling thread; only
    // one instance may exist at a time.
    explicit TerminationRequest(std::function<void()> onRequest = requestTermination,
                                QObject* parent = nullptr);
    // Holds requests back again when they were held before, as in the programs, so that one
    // arriving during shutdown waits unanswered; a thread that took them before does again.
    ~TerminationRequest() override;

private:
    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vantorell
