#include "tests/servers/MakerSite.h"

namespace vantorell::test {
namespace {

// http.server's file handler, except for a file "<name>" beside which "<name>.length"
// lies: its body goes out whole with that file's text as the Content-Length, or none for
// "none", and the connection closes after it.
constexpr const char* kSiteScript = R"(
import functools, http.server, sys

class Site(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        path = self.translate_path(self.path)
        try:
            with open(path + '.length') as f:
                length = f.read().strip()
            with open(path, 'rb') as f:
                body = f.read()
        except OSError:
            return super().do_GET()
        self.send_response(200)
        self.send_header('Content-Type', 'application/octet-stream')
        if length != 'none':
            self.send_header('Content-Length', length)
        self.end_headers()
        self.wfile.write(body)
        self.close_connection = True

handler = functools.partial(Site, directory=sys.argv[2])
http.server.ThreadingHTTPServer(('127.0.0.1', int(sys.argv[1])), handler).serve_forever()
)";

}  // namespace

bool MakerSite::start(const std::string& cubeHost) {
    setPage("<html><body>Cube server: [FTP]" + cubeHost + "[/FTP]</body></html>\r\n");
    server_ = startPeerServer(failure_, [&](PeerServer& server) {
        return std::vector<std::string>{"/usr/bin/python3", "-c", kSiteScript, server.portText(),
                                        root_.path()};
    });
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

std::string MakerSite::putAnswer(const std::string& name, const std::string& body,
                                 std::optional<std::size_t> announcedLength) const {
    root_.write(name + ".length", announcedLength ? std::to_string(*announcedLength) : "none");
    return put(name, body);
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
