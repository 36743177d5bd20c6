#include "tests/servers/CubeServer.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantorell::test {
namespace {

// argv: port root proxy(0/1) users-log user:password...
constexpr const char* kScript = R"PY(
import fnmatch, os, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

port, root, proxy, seen = int(sys.argv[1]), sys.argv[2], sys.argv[3] == "1", sys.argv[4]
authorizer = DummyAuthorizer()
for account in sys.argv[5:]:
    user, password = account.split(":", 1)
    authorizer.add_user(user, password, os.path.join(root, user), perm="elradfmw")

class CubeHandler(FTPHandler):
    def ftp_USER(self, line):
        with open(seen, "a") as out:
            out.write(line + "\n")
        if proxy and "@" in line:
            line = line.rsplit("@", 1)[0]
        return FTPHandler.ftp_USER(self, line)

    def ftp_NLST(self, path):
        folder, pattern = os.path.split(path)
        if not any(c in pattern for c in "*?["):
            return FTPHandler.ftp_NLST(self, path)
        try:
            names = sorted(n for n in os.listdir(folder) if fnmatch.fnmatch(n, pattern))
        except OSError as err:
            self.respond("550 %s." % err.strerror)
            return None
        data = "".join(n + "\r\n" for n in names)
        self.push_dtp_data(data.encode("utf8"), cmd="NLST")
        return path

    def ftp_DELE(self, path):
        if os.path.exists(path + ".locked"):
            self.respond("550 Permission denied.")
            return None
        return FTPHandler.ftp_DELE(self, path)

CubeHandler.authorizer = authorizer
server = FTPServer(("127.0.0.1", port), CubeHandler)
server.serve_forever()
)PY";

}  // namespace

std::string accountFile(const std::string& accountStatus, int cubesAvailable,
                        const std::string& serverStatus) {
    std::string text = "[User]\r\nAccountStatus=" + accountStatus +
                       "\r\nCubesAvailable=" + std::to_string(cubesAvailable) + "\r\n";
    if (!serverStatus.empty()) {
        text += "[Server]\r\nServerStatus=" + serverStatus + "\r\n";
    }
    return text;
}

bool CubeServer::start(const std::vector<CubeAccount>& accounts, const std::string& statusIni,
                       bool asProxy) {
    for (const CubeAccount& account : accounts) {
        std::filesystem::create_directories(home(account.user) + "input");
        std::filesystem::create_directories(home(account.user) + "output");
        setStatusIni(account.user, statusIni);
    }
    server_ = startPeerServer(failure_, [&](PeerServer& server) {
        const std::string script = server.folder().write("cube_server.py", kScript);
        std::vector<std::string> arguments = {
            "/usr/bin/python3",  script,
            server.portText(),   root_.path(),
            asProxy ? "1" : "0", server.folder().file("users.log")};
        for (const CubeAccount& account : accounts) {
            arguments.push_back(account.user + ":" + account.password);
        }
        return arguments;
    });
    return server_ != nullptr;
}

std::string CubeServer::statusIni(const std::string& user) const {
    return root_.read(user + "/status.ini");
}

void CubeServer::setStatusIni(const std::string& user, const std::string& text) const {
    root_.write(user + "/status.ini", text);
}

std::string CubeServer::usersSeen() const {
    std::ifstream in(server_->folder().file("users.log"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace vantorell::test
