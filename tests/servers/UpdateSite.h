#pragma once
// The maker's update server of the tests: Python's http.server on 127.0.0.1, on a port
// chosen at run time, serving the update description "update.ini" and component files from
// a folder of the test's.

#include <memory>
#include <string>

#include "tests/servers/PeerServer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {

struct UpdateSite {
    // False when the server did not start; failure says why.
    bool start();

    // The address of a file of the site ("http://127.0.0.1:<port>/<name>").
    std::string url(const std::string& name) const;
    // Writes a file of the site and returns its address.
    std::string put(const std::string& name, const std::string& bytes) const;
    // Writes the update description and returns its address.
    std::string describe(const std::string& text) const { return put("update.ini", text); }

    TempFolder root;
    std::unique_ptr<PeerServer> server;
    std::string failure;
};

// Bytes that stand for a component file of `size` bytes, different for each name.
std::string componentBytes(const std::string& name, std::size_t size = 4096);

}  // namespace vantorell::test
