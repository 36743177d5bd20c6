#pragma once
// States, request kinds, encodings, the exception and the event types of the HTTP client.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "transport/WSocket/SocketEvents.h"

namespace vantorell::transport {

enum THttpState {
    httpReady,
    httpNotConnected,
    httpConnected,
    httpDnsLookup,
    httpDnsLookupDone,
    httpWaitingHeader,
    httpWaitingBody,
    httpAborting
};

enum THttpRequest { httpAbort, httpGET, httpPOST, httpHEAD };

enum THttpEncoding { encUUEncode, encBase64, encMime };

// Raised by the request calls (busy, nothing to post) and by the blocking forms for a
// response status of 400 or more; ErrorCode is the code or the status.
class EHttpException : public std::runtime_error {
public:
    EHttpException(const std::string& Msg, std::uint16_t Code)
        : std::runtime_error(Msg), ErrorCode(Code) {}
    std::uint16_t ErrorCode;
};

using TOnCommand = std::function<void(TObject* Sender, std::string& S)>;
using TDocDataEvent = std::function<void(TObject* Sender, const void* Buffer, int Len)>;
using TCookieRcvdEvent =
    std::function<void(TObject* Sender, const std::string& Data, bool& Accept)>;
using THttpRequestDone = std::function<void(TObject* Sender, THttpRequest RqType, TWord Error)>;
using TBeforeHeaderSendEvent = std::function<void(TObject* Sender, const std::string& Method,
                                                  std::vector<std::string>& Headers)>;

}  // namespace vantorell::transport
