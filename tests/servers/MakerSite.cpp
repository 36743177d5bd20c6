#include "tests/servers/MakerSite.h"

#include "tests/servers/HttpServers.h"

namespace vantorell::test {

bool MakerSite::start(const std::string& cubeHost) {
    setPage("<html><body>Cube server: [FTP]" + cubeHost + "[/FTP]</body></html>\r\n");
    server_ = startHttpServer(failure_, root_.path());
    return server_ != nullptr;
}

void MakerSite::setPage(const std::string& body) const {
    root_.write("vantorellftp.htm", body);
}

std::string MakerSite::lookupUrl() const {
    return "http://127.0.0.1:" + server_->portText() + "/vantorellftp.htm";
}

std::string cubeServerSettings(const std::string& lookupUrl, int cubePort) {
    return "[File Transfer]\r\nCubeServerLookupURL=" + lookupUrl +
           "\r\nCubeServerPort=" + std::to_string(cubePort) + "\r\n";
}

}  // namespace vantorell::test
