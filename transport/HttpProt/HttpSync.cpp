// The blocking forms of the requests, with their time-out, and aborting a request.

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include "platform/EventLoop.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell::transport {

void THttpCli::DoRequestSync(THttpRequest Rq) {
    DoRequestAsync(Rq);
    WaitUntilReady();
    // Every local failure has set 404.
    if (FStatusCode >= 400) {
        throw EHttpException(FReasonPhrase, static_cast<std::uint16_t>(FStatusCode));
    }
}

// Lets the thread's events run, blocking between them, until the request has ended. Each
// step of progress moves the deadline, so that only a request that stalls for Timeout
// seconds is ended; a quit request of the application ends it too.
void THttpCli::WaitUntilReady() {
    if (FState == httpReady || QCoreApplication::instance() == nullptr ||
        QAbstractEventDispatcher::instance() == nullptr) {
        return;
    }
    switch (waitForMessagesUntil([this] { return FState == httpReady; }, FDeadline)) {
        case WaitEnd::Done:
            break;
        case WaitEnd::Deadline:
            AbortRequest("Timeout", httpErrTimeout);
            break;
        case WaitEnd::Quit:
            AbortRequest("Connection aborted on request", httpErrAborted);
            break;
    }
}

void THttpCli::Abort() {
    AbortRequest("Connection aborted on request", httpErrAborted);
}

void THttpCli::AbortRequest(const std::string& Reason, TWord Error) {
    TWSocket& socket = *FCtrlSocket;
    if (FState == httpReady) {
        if (socket.State() != wsClosed) {
            socket.Close();
        }
        return;
    }
    const THttpState was = FState;
    StateChange(httpAborting);
    if (was == httpDnsLookup) {
        try {
            socket.CancelDnsLookup();
        } catch (...) {
            // The lookup's result is dropped with the request in any case.
        }
    }
    if (!FFinished) {
        LocalFailure(Reason, Error);
        FLocationFlag = false;
        SocketSessionClosed(&socket, 0);
    }
    // What this request still has posted (its end, a login after a redirection) is dropped.
    ++FGeneration;
    StateChange(httpReady);
}

}  // namespace vantorell::transport
