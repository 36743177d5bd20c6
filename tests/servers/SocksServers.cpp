#include "tests/servers/SocksServers.h"

#include <pwd.h>
#include <unistd.h>

namespace vantorell::test {
namespace {

std::string currentUser() {
    const passwd* entry = ::getpwuid(::geteuid());
    return entry != nullptr ? entry->pw_name : "root";
}

}  // namespace

std::unique_ptr<PeerServer> startMicrosocks(std::string& Failure, const std::string& User,
                                            const std::string& Password) {
    return startPeerServer(Failure, [&](PeerServer& server) {
        std::vector<std::string> arguments{"/usr/bin/microsocks", "-i", "127.0.0.1", "-p",
                                           server.portText(),     "-b", "127.0.0.1"};
        if (!User.empty()) {
            arguments.insert(arguments.end(), {"-u", User, "-P", Password});
        }
        return arguments;
    });
}

std::unique_ptr<PeerServer> startDante(std::string& Failure) {
    return startPeerServer(Failure, [](PeerServer& server) {
        // Run as the current user: it needs no privilege for a port above 1023, and it
        // works the same with or without root.
        const std::string user = currentUser();
        const std::string config = server.folder().write(
            "danted.conf", "logoutput: " + server.folder().file("danted.log") + "\n" +
                               "internal: 127.0.0.1 port = " + server.portText() + "\n" +
                               "external: 127.0.0.1\n"
                               "socksmethod: none\n"
                               "clientmethod: none\n"
                               "user.privileged: " +
                               user + "\n" + "user.unprivileged: " + user + "\n" +
                               "client pass {\n"
                               "    from: 127.0.0.1/32 to: 127.0.0.1/32\n"
                               "}\n"
                               "socks pass {\n"
                               "    from: 127.0.0.1/32 to: 127.0.0.1/32\n"
                               "    command: connect\n"
                               "    protocol: tcp\n"
                               "}\n");
        return std::vector<std::string>{
            "/usr/sbin/danted", "-f", config, "-p", server.folder().file("danted.pid"), "-N", "1"};
    });
}

}  // namespace vantorell::test
