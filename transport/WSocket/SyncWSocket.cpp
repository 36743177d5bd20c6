#include "transport/WSocket/SyncWSocket.h"

#include <chrono>
#include <cstdlib>

#include "platform/EventLoop.h"

namespace vantorell::transport {
namespace {

// Every network wait has a deadline: this one when none was set.
constexpr int kDefaultTimeout = 60000;

}  // namespace

int TCustomSyncWSocket::Synchronize(const std::function<void()>& Proc, bool& DoneFlag) {
    DoneFlag = false;
    if (Proc) {
        Proc();
    }
    return WaitUntilReady(DoneFlag);
}

int TCustomSyncWSocket::WaitUntilReady(bool& DoneFlag) {
    const int timeout = FTimeout > 0 ? FTimeout : kDefaultTimeout;
    waitForMessages([&] { return DoneFlag || FTerminated; }, std::chrono::milliseconds(timeout));
    return DoneFlag ? 0 : WSOCKET_WAIT_TIMEOUT;
}

void TCustomSyncWSocket::InternalDataAvailable(TObject*, TWord) {
    // One line per call of ReadLine; the lines behind it stay buffered.
    if (FReadLineTaken) {
        return;
    }
    const int length = GetRcvdCount();
    std::string line(static_cast<std::size_t>(std::max(length, 0)), '\0');
    const int received = length > 0 ? Receive(line.data(), length) : 0;
    line.resize(static_cast<std::size_t>(std::max(received, 0)));
    FReadLineText = line;
    FReadLineTaken = true;
    // Without a line end nothing else would end the wait before its time-out.
    FLineReceived = true;
}

void TCustomSyncWSocket::ReadLine(int Timeout, std::string& Buffer) {
    Buffer.clear();
    if (FState != wsConnected) {
        RaiseException("ReadLine failed: not connected");
        return;
    }
    FTimeout = Timeout == 0 ? kDefaultTimeout : Timeout < 0 ? -Timeout : Timeout * 1000;
    FLineReceived = false;
    FReadLineText.clear();
    FReadLineTaken = false;

    // The caller's handler and mode come back however the wait ends.
    struct Restore {
        TCustomSyncWSocket& socket;
        TDataAvailable handler;
        bool lineMode;
        ~Restore() {
            socket.OnDataAvailable = handler;
            socket.SetLineMode(lineMode);
        }
    } restore{*this, OnDataAvailable, FLineMode};
    OnDataAvailable = [this](TObject* Sender, TWord Error) {
        InternalDataAvailable(Sender, Error);
    };
    FLineMode = true;

    // A line may already be buffered: it is offered before the wait.
    const int result = Synchronize([this] { DeliverLines(); }, FLineReceived);
    if (result == WSOCKET_WAIT_TIMEOUT && !FReadLineTaken && FRcvdBuf.Count() > 0) {
        FReadLineText.assign(FRcvdBuf.Data(), FRcvdBuf.Count());
        FRcvdBuf.Clear();
        FLineLength = 0;
    }
    Buffer = FReadLineText;
    FReadLineText.clear();
}

}  // namespace vantorell::transport
