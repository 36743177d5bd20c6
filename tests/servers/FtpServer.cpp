#include "tests/servers/FtpServer.h"

#include <filesystem>

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

bool FtpSite::start() {
    std::filesystem::create_directory(root.file("input"));
    std::filesystem::create_directory(root.file("output"));
    server = startFtpServer(failure, root.path());
    return server != nullptr;
}

}  // namespace vantorell::test
