#pragma once
// TCustomSyncWSocket: blocking waits over the event-driven socket. A wait lets the events
// of the thread run (of this and every other socket) until its flag is set, its time-out
// passes or the application quits; it never spins and never raises.

#include <functional>
#include <string>

#include "transport/WSocket/LineWSocket.h"

namespace vantorell::transport {

// The result of a wait that ended without its flag.
inline constexpr int WSOCKET_WAIT_TIMEOUT = 12001;

class TCustomSyncWSocket : public TCustomLineWSocket {
public:
    // Clears DoneFlag, calls Proc when given, then WaitUntilReady.
    virtual int Synchronize(const std::function<void()>& Proc, bool& DoneFlag);
    // 0 once DoneFlag is set; 12001 at the time-out (Timeout() milliseconds, 60 seconds
    // while it is 0), when the application quits or the socket's loops were terminated.
    virtual int WaitUntilReady(bool& DoneFlag);

    // Waits for one line and returns it with its line end. Timeout: 0 is 60 seconds, a
    // negative value milliseconds, a positive one seconds. At the time-out, Buffer holds
    // what came of the line so far; at a close, the last line or nothing.
    void ReadLine(int Timeout, std::string& Buffer);

    int Timeout() const { return FTimeout; }

protected:
    void InternalDataAvailable(TObject* Sender, TWord Error);

    int FTimeout = 0;  // milliseconds; kept from the last ReadLine

private:
    std::string FReadLineText;
    bool FReadLineTaken = false;
};

}  // namespace vantorell::transport
