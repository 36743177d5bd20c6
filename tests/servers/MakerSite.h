#pragma once
// The maker's web server of the tests: Python's http.server on 127.0.0.1 serving the page
// "vantorellftp.htm" that names the cube server.

#include <memory>
#include <string>

#include "tests/servers/PeerServer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {

class MakerSite {
public:
    // Serves a page whose body names `cubeHost` between the markers. False when the server
    // did not start; failure() says why.
    bool start(const std::string& cubeHost = "127.0.0.1");
    const std::string& failure() const { return failure_; }

    // Replaces the page's whole body.
    void setPage(const std::string& body) const;
    // The address of the lookup page.
    std::string lookupUrl() const;

private:
    TempFolder root_;
    std::unique_ptr<PeerServer> server_;
    std::string failure_;
};

// The settings file lines of section "File Transfer" that point the designer at the site
// and at a cube server port.
std::string cubeServerSettings(const std::string& lookupUrl, int cubePort);

}  // namespace vantorell::test
