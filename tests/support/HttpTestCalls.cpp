#include "tests/support/HttpTestCalls.h"

#include "transport/HttpProt/HttpTypes.h"

namespace vantorell::test {

std::string urlOf(const ScriptedHttpPeer& Peer, const std::string& Path) {
    return "http://127.0.0.1:" + Peer.portText() + Path;
}

void PrintTo(const HttpRaised& Raised, std::ostream* Os) {
    *Os << "{" << Raised.code << ", \"" << Raised.message << "\"}";
}

HttpRaised raisedHttp(const std::function<void()>& Call) {
    try {
        Call();
    } catch (const transport::EHttpException& E) {
        return {E.ErrorCode, E.what()};
    }
    return {0, "(nothing raised)"};
}

}  // namespace vantorell::test
