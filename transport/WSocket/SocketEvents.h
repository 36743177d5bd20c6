#pragma once
// States, options and events of the socket component. An event is a callable that gets
// the sending object first; completions carry a 16-bit error word (0 for success).

#include <exception>
#include <functional>

#include "transport/WSocket/WinsockTypes.h"

namespace vantorell::transport {

// The root of the objects that send events.
class TObject {
public:
    virtual ~TObject() = default;
};

enum TSocketState {
    wsInvalidState,
    wsOpened,
    wsBound,
    wsConnecting,
    wsConnected,
    wsAccepting,
    wsListening,
    wsClosed
};

enum TSocketSendFlags { wsSendNormal, wsSendUrgent };

enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };

enum TWSocketOption { wsoNoReceiveLoop, wsoTcpNoDelay };

// A set of TWSocketOption.
class TWSocketOptions {
public:
    TWSocketOptions() = default;
    TWSocketOptions(std::initializer_list<TWSocketOption> options) {
        for (const auto option : options) {
            Include(option);
        }
    }
    bool Contains(TWSocketOption option) const { return (bits_ & Bit(option)) != 0; }
    void Include(TWSocketOption option) { bits_ |= Bit(option); }
    void Exclude(TWSocketOption option) { bits_ &= ~Bit(option); }
    bool operator==(const TWSocketOptions&) const = default;

private:
    static unsigned Bit(TWSocketOption option) { return 1u << static_cast<unsigned>(option); }
    unsigned bits_ = 0;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TDataAvailable = std::function<void(TObject* Sender, TWord Error)>;
using TDataSent = std::function<void(TObject* Sender, TWord Error)>;
using TSendData = std::function<void(TObject* Sender, int BytesSent)>;
using TSessionClosed = std::function<void(TObject* Sender, TWord Error)>;
using TSessionAvailable = std::function<void(TObject* Sender, TWord Error)>;
using TSessionConnected = std::function<void(TObject* Sender, TWord Error)>;
using TChangeState =
    std::function<void(TObject* Sender, TSocketState OldState, TSocketState NewState)>;
using TDnsLookupDone = std::function<void(TObject* Sender, TWord Error)>;
using TBgExceptionEvent =
    std::function<void(TObject* Sender, const std::exception& E, bool& CanClose)>;

}  // namespace vantorell::transport
