#pragma once
// The FTP server of the peer tests: pyftpdlib through the system's Python, on 127.0.0.1
// only, serving a folder of the test's with write access for one user.

#include <memory>
#include <string>

#include "tests/servers/PeerServer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {

inline constexpr const char* kFtpUser = "analyst";
inline constexpr const char* kFtpPassword = "s3cret";

// Serves Root (a folder that exists) to kFtpUser with kFtpPassword. Nothing when it could
// not be started; Failure says why.
std::unique_ptr<PeerServer> startFtpServer(std::string& Failure, const std::string& Root);

// A served folder laid out like the cube server's, with "input" and "output".
struct FtpSite {
    // False when the server did not start; failure says why.
    bool start();

    TempFolder root;
    std::unique_ptr<PeerServer> server;
    std::string failure;
};

}  // namespace vantorell::test
