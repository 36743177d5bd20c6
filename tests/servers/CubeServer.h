#pragma once
// The cube server of the tests: pyftpdlib through the system's Python on 127.0.0.1, with a
// login folder per account holding "input", "output" and the account file "status.ini", as
// the maker's cube server keeps them. Like that server, it takes wildcards in a name
// listing ("NLST *.mdc"). For the tests it can also stand in for an FTP proxy that takes
// the server in the user name ("user@host:port"), refuse to delete a file that has a
// "<name>.locked" beside it, and it records every user name it was given.

#include <memory>
#include <string>
#include <vector>

#include "tests/servers/PeerServer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {

struct CubeAccount {
    std::string user;
    std::string password;
};

class CubeServer {
public:
    // Starts the server for the accounts, each with its folders and an account file that
    // holds `statusIni`. False when it did not start; failure() says why.
    bool start(const std::vector<CubeAccount>& accounts, const std::string& statusIni,
               bool asProxy = false);
    const std::string& failure() const { return failure_; }

    int port() const { return server_->port(); }
    std::string portText() const { return server_->portText(); }
    // The login folder of an account, ending in "/".
    std::string home(const std::string& user) const { return root_.path() + user + "/"; }
    std::string statusIni(const std::string& user) const;
    void setStatusIni(const std::string& user, const std::string& text) const;
    // The user names given with USER, one per line, in order.
    std::string usersSeen() const;

private:
    TempFolder root_;
    std::unique_ptr<PeerServer> server_;
    std::string failure_;
};

// An account file: "AccountStatus" and "CubesAvailable" of "User", and "ServerStatus" of
// "Server" unless it is empty.
std::string accountFile(const std::string& accountStatus, int cubesAvailable,
                        const std::string& serverStatus = "");

}  // namespace vantorell::test
