#pragma once
// A real server program started for a test on 127.0.0.1: it gets a port of its own chosen at
// run time (held against the other tests running at once) and a temporary folder for its
// configuration and log, counts as ready once a connection to its port succeeds, and is
// stopped by its process id (with the processes it forked, which share its process group).
// Nothing is left running when the object goes, nor when the test process dies: the server
// is killed with the thread that started it. It starts with the default signal dispositions
// and no blocked signals.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {

inline constexpr std::chrono::milliseconds kServerStartDeadline{15000};

class PeerServer {
public:
    PeerServer();  // chooses the port; starts nothing
    ~PeerServer();
    PeerServer(const PeerServer&) = delete;
    PeerServer& operator=(const PeerServer&) = delete;

    int port() const { return port_; }
    pid_t pid() const { return pid_; }
    std::string portText() const { return std::to_string(port_); }
    const TempFolder& folder() const { return folder_; }

    // Starts the program (arguments[0], a full path) with its output in the folder's
    // "output.txt"; false when it ended or did not accept a connection before the
    // deadline (then failure() says why, and nothing is left running).
    bool start(const std::vector<std::string>& arguments,
               std::chrono::milliseconds deadline = kServerStartDeadline);
    const std::string& failure() const { return failure_; }

    // Ends the server and everything it started; waits for that with a deadline.
    void stop();

private:
    bool waitReady(std::chrono::milliseconds deadline);

    TempFolder folder_;
    int portLock_ = -1;
    int port_ = 0;
    pid_t pid_ = -1;
    int pidfd_ = -1;
    std::string failure_;
};

// Starts a server whose arguments `prepare` makes for the port and folder it is given. A
// port chosen free may be taken before the server binds it: a few tries, each on a new
// port. Nothing when it could not be started; Failure says why.
std::unique_ptr<PeerServer> startPeerServer(
    std::string& Failure, const std::function<std::vector<std::string>(PeerServer&)>& prepare);

}  // namespace vantorell::test
