#include "tests/servers/UpdateSite.h"

#include "tests/servers/HttpServers.h"

namespace vantorell::test {

bool UpdateSite::start() {
    server = startHttpServer(failure, root.path());
    return server != nullptr;
}

std::string UpdateSite::url(const std::string& name) const {
    return "http://127.0.0.1:" + (server ? server->portText() : std::string("0")) + "/" + name;
}

std::string UpdateSite::put(const std::string& name, const std::string& bytes) const {
    root.write(name, bytes);
    return url(name);
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
