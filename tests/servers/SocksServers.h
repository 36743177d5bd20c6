#pragma once
// The SOCKS servers of the peer tests, from the system's packages, on 127.0.0.1 only and
// letting their clients reach 127.0.0.1 only.

#include <memory>
#include <string>

#include "tests/servers/PeerServer.h"

namespace vantorell::test {

// microsocks (SOCKS 5), asking for a user name and password when User is not empty.
// Nothing when it could not be started; Failure says why.
std::unique_ptr<PeerServer> startMicrosocks(std::string& Failure, const std::string& User = "",
                                            const std::string& Password = "");

// danted (SOCKS 4, 4A and 5) without authentication, run as the current user.
std::unique_ptr<PeerServer> startDante(std::string& Failure);

}  // namespace vantorell::test
