#pragma once
// The maker's web server of the tests: Python's http.server on 127.0.0.1, on a port chosen
// at run time, serving a folder of the test's: the page "vantorellftp.htm" that names the
// cube server, the update description "update.ini" and component files. A file can also be
// served the way a server that is cut off or misconfigured sends it: without a
// Content-Length, or with one that its body does not match.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "tests/servers/PeerServer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {

class MakerSite {
public:
    // Serves the folder with a lookup page whose body names `cubeHost` between the markers.
    // False when the server did not start; failure() says why.
    bool start(const std::string& cubeHost = "127.0.0.1");
    const std::string& failure() const { return failure_; }

    // Replaces the lookup page's whole body.
    void setPage(const std::string& body) const;
    // The address of the lookup page.
    std::string lookupUrl() const { return url("vantorellftp.htm"); }

    // The address of a file of the site ("http://127.0.0.1:<port>/<name>").
    std::string url(const std::string& name) const;
    // Writes a file of the site and returns its address.
    std::string put(const std::string& name, const std::string& bytes) const;
    // Writes a file of the site that is answered with `announcedLength` as its
    // Content-Length, or with none (the body then ends when the server closes), and
    // returns its address.
    std::string putAnswer(const std::string& name, const std::string& body,
                          std::optional<std::size_t> announcedLength) const;
    // Writes the update description and returns its address.
    std::string describe(const std::string& text) const { return put("update.ini", text); }

private:
    TempFolder root_;
    std::unique_ptr<PeerServer> server_;
    std::string failure_;
};

// The settings file lines of section "File Transfer" that point the designer at the site
// and at a cube server port.
std::string cubeServerSettings(const std::string& lookupUrl, int cubePort);

// Bytes that stand for a component file of `size` bytes, different for each name.
std::string componentBytes(const std::string& name, std::size_t size = 4096);

}  // namespace vantorell::test
