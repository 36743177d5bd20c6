#include "tests/servers/FtpServer.h"

namespace vantorell::test {

std::unique_ptr<PeerServer> startFtpServer(std::string& Failure, const std::string& Root) {
    return startPeerServer(Failure, [&](PeerServer& server) {
        return std::vector<std::string>{"/usr/bin/python3",
                                        "-m",
                                        "pyftpdlib",
                                        "-i",
                                        "127.0.0.1",
                                        "-p",
                                        server.portText(),
                                        "-w",
                                        "-d",
                                        Root,
                                        "-u",
                                        kFtpUser,
                                        "-P",
                                        kFtpPassword};
    });
}

}  // namespace vantorell::test
