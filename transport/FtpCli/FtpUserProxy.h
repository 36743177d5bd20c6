#pragma once
// Aiming a client at an FTP server directly, or through an FTP proxy that learns the server
// from the user name ("user@host:port", the port always named).

#include <string>

#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::transport {

// Sets the client's host, port and user name: the server's own, or with ThroughProxy the
// proxy's host and port and the server in the user name.
void FtpAimAtServer(TCustomFtpCli& Client, const std::string& Host, const std::string& Port,
                    const std::string& User, bool ThroughProxy, const std::string& ProxyHost,
                    const std::string& ProxyPort);

}  // namespace vantorell::transport
