#pragma once
// The HTTP servers of the peer tests, from the system's packages, on 127.0.0.1 only.

#include <memory>
#include <string>

#include "tests/servers/PeerServer.h"

namespace vantorell::test {

// Python's http.server (through /usr/bin/python3) serving the files of Folder.
// Nothing when it could not be started; Failure says why.
std::unique_ptr<PeerServer> startHttpServer(std::string& Failure, const std::string& Folder);

// tinyproxy, letting only 127.0.0.1 in; with User not empty it asks for Basic credentials.
std::unique_ptr<PeerServer> startTinyproxy(std::string& Failure, const std::string& User = "",
                                           const std::string& Password = "");

}  // namespace vantorell::test
