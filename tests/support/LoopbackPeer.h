#pragma once
// A plain blocking peer on 127.0.0.1 for socket tests: a listening POSIX socket whose
// accept and reads wait with a deadline, so a test can talk to the component from the
// other end without the component's own code.

#include <netinet/in.h>

#include <chrono>
#include <string>
#include <vector>

namespace vantorell::test {

// The address 127.0.0.1 with this port (0: any port the system chooses).
sockaddr_in loopbackAddress(int port);
// Another loopback address (127.0.0.x) with this port.
sockaddr_in loopbackAddress(const std::string& address, int port);

// A free TCP port on 127.0.0.1 at this moment.
int freeLoopbackPort();

// A socket listening on 127.0.0.1 at a port the system chooses, which goes to `port`;
// receiveBuffer > 0 sets the receive buffer of the connections it accepts. Raises
// std::runtime_error when it cannot listen.
int listenOnLoopback(int& port, int receiveBuffer = 0);
// The same on another loopback address (127.0.0.x), at `port` when it is not 0.
int listenOnLoopback(const std::string& address, int& port, int receiveBuffer = 0);

class LoopbackPeer {
public:
    // Listens on 127.0.0.1 at a port the system chooses; receiveBuffer > 0 sets the
    // receive buffer of the connections it accepts.
    explicit LoopbackPeer(int receiveBuffer = 0);
    // Listens on another loopback address (127.0.0.x), at `port` when it is not 0: a third
    // party beside the peer on 127.0.0.1.
    LoopbackPeer(const std::string& address, int port);
    ~LoopbackPeer();
    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    int port() const { return port_; }
    std::string portText() const { return std::to_string(port_); }

    // Connects to a port on 127.0.0.1 instead of accepting, from the loopback address
    // `from` when it is given; the connection then serves as an accepted one.
    bool connect(int port, const std::string& from = "");
    // A connection waits to be accepted.
    bool acceptReady() const;
    // The first of the peers at which a connection waits to be accepted; none when no
    // connection came before the deadline.
    static LoopbackPeer* firstToConnect(const std::vector<LoopbackPeer*>& peers,
                                        std::chrono::milliseconds deadline);
    // Accepts one connection; false when none came before the deadline.
    bool accept(std::chrono::milliseconds deadline);
    // Reads until the peer closes; false when the deadline passed first or the
    // connection failed (then `error` holds the errno).
    bool readToEnd(std::string& data, std::chrono::milliseconds deadline, int& error);
    // Reads exactly `size` bytes; false when the deadline passed first.
    bool read(std::string& data, std::size_t size, std::chrono::milliseconds deadline);
    // Appends what has arrived so far, without waiting; false once the connection has
    // closed or failed.
    bool readAvailable(std::string& data);
    // Sends all of `data` on the accepted connection.
    bool sendAll(const std::string& data);
    // Closes the accepted connection, abortively when `reset` (the peer sees a reset).
    void closeConnection(bool reset = false);

private:
    int listener_ = -1;
    int connection_ = -1;
    int port_ = 0;
};

}  // namespace vantorell::test
