#include "tests/servers/HttpServers.h"

namespace vantorell::test {

std::unique_ptr<PeerServer> startHttpServer(std::string& Failure, const std::string& Folder) {
    return startPeerServer(Failure, [&](PeerServer& server) {
        return std::vector<std::string>{"/usr/bin/python3", "-m",     "http.server",
                                        server.portText(),  "--bind", "127.0.0.1",
                                        "--directory",      Folder};
    });
}

std::unique_ptr<PeerServer> startTinyproxy(std::string& Failure, const std::string& User,
                                           const std::string& Password) {
    return startPeerServer(Failure, [&](PeerServer& server) {
        std::string config = "Port " + server.portText() +
                             "\n"
                             "Listen 127.0.0.1\n"
                             "Allow 127.0.0.1\n"
                             "Timeout 30\n"
                             "MaxClients 20\n"
                             "LogLevel Info\n"
                             "DisableViaHeader Yes\n";
        if (!User.empty()) {
            config += "BasicAuth " + User + " " + Password + "\n";
        }
        const std::string file = server.folder().write("tinyproxy.conf", config);
        return std::vector<std::string>{"/usr/bin/tinyproxy", "-d", "-c", file};
    });
}

}  // namespace vantorell::test
