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

std::string MakerSite::url(const std::string& name) const {
    return "http://127.0.0.1:" + (server_ ? server_->portText() : std::string("0")) + "/" + name;
}

std::string MakerSite::put(const std::string& name, const std::string& bytes) const {
    root_.write(name, bytes);
    return url(name);
}

std::string cubeServerSettings(const std::string& lookupUrl, int cubePort) {
    return "[File Transfer]\r\nCubeServerLookupURL=" + lookupUrl +
           "\r\nCubeServerPort=" + std::to_string(cubePort) + "\r\n";
}

std::string componentBytes(const std::string& name, std::size_t size) {
    std::string bytes;
    bytes.reserve(size);
    for (std::size_t i = 0; bytes.size() < size; ++i) {
        bytes += static_cast<char>((name.empty() ? 0 : name[i % name.size()]) ^ (i * 31));
    }
    return bytes;
}

}  // namespace vantorell::test
