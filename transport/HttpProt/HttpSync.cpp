// The blocking forms of the requests, with their time-out, and aborting a request.

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

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
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (FState == httpReady || QCoreApplication::instance() == nullptr || dispatcher == nullptr) {
        return;
    }
    bool timedOut = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    const auto startTimer = [&] {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            FDeadline - std::chrono::steady_clock::now());
        // Long time-outs are waited for in steps that a timer can hold.
        constexpr long long kLongestStep = 3600000;
        deadline.start(static_cast<int>(std::clamp<long long>(left.count(), 0, kLongestStep) + 1));
    };
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        if (std::chrono::steady_clock::now() >= FDeadline) {
            timedOut = true;
            loop.quit();
        } else {
            startTimer();
        }
    });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
        if (FState == httpReady) {
            loop.quit();
        }
    });
    if (FTimeout > 0) {
        startTimer();
    }
    loop.exec();
    if (FState == httpReady) {
        return;
    }
    if (timedOut) {
        AbortRequest("Timeout", httpErrTimeout);
    } else {
        AbortRequest("Connection aborted on request", httpErrAborted);
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
