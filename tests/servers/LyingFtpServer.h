#pragma once
// FTP servers of ours that lie about the data connection, for the client's tests: each is
// a script for FtpThreadPeer that logs the client in (kFtpUser, kFtpPassword), takes one
// transfer of "data.bin" and the QUIT. Every step waits with a deadline, so the script
// stops by itself whatever the client does. Only loopback addresses are used: the third
// party sits on 127.0.0.2.

#include <string>

#include "tests/support/FtpThreadPeer.h"

namespace vantorell::test {

enum class FtpDataLie {
    PassiveOtherHost,    // PASV names 127.0.0.2, where a third party listens on the same port
    ActiveIntruder,      // before the server's own data connection, one comes from 127.0.0.2
    ActiveIntruderOnly,  // only the one from 127.0.0.2 comes; the transfer never completes
};

// What the script saw; read it after the peer's join().
struct FtpDataLieOutcome {
    int thirdPartyConnections = 0;  // connections that reached the third party
    bool intruderShutOut = false;   // the client closed the connection from 127.0.0.2
    std::string intruderGot;        // what the client sent to the third party or intruder
    std::string uploaded;           // what the server's own data connection got
};

// What the third party or intruder offers as the file.
inline constexpr const char* kForeignBytes = "bytes of a third party";

// Serves File for "RETR data.bin", or takes "STOR data.bin" when Upload.
FtpThreadPeer::Script lyingFtpServer(FtpDataLie Lie, bool Upload, const std::string& File,
                                     FtpDataLieOutcome& Outcome);

}  // namespace vantorell::test
