#pragma once
// Small helpers of the HTTP client tests: the URL of a scripted server, and what a call
// raised.

#include <functional>
#include <ostream>
#include <string>

#include "tests/support/ScriptedHttpPeer.h"

namespace vantorell::test {

// "http://127.0.0.1:<port>" followed by the path.
std::string urlOf(const ScriptedHttpPeer& Peer, const std::string& Path);

struct HttpRaised {
    int code = 0;
    std::string message;
    bool operator==(const HttpRaised&) const = default;
};

void PrintTo(const HttpRaised& Raised, std::ostream* Os);

// The code and message of the EHttpException the call raises; {0, "(nothing raised)"}
// when it raises nothing.
HttpRaised raisedHttp(const std::function<void()>& Call);

}  // namespace vantorell::test
