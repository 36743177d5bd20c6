// The HTTP client's response side as a blocking GET meets it: status lines, header fields,
// bodies by length, to the close or in chunks, interim answers and redirections, each
// received in pieces the input chooses. The input holds the answers of successive
// connections, separated by "@NEXT@"; "@PORT@" stands for the server's port, so that a
// redirection can lead back to it.
#include <sys/socket.h>

#include <sstream>

#include "tests/fuzz/FuzzNetwork.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LoopbackServer.h"
#include "tests/fuzz/Replies.h"
#include "transport/HttpProt/HttpCli.h"

using namespace vantorell;
using namespace std::chrono_literals;

namespace {
fuzz::LoopbackNetwork* network = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::useApplication();
    network = new fuzz::LoopbackNetwork;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    const std::vector<std::string> answers = fuzz::splitAt(input, "@NEXT@");
    fuzz::LoopbackServer server([&](fuzz::LoopbackServer& s, int connection, int index) {
        std::string request;
        if (s.readUntil(connection, request, "\r\n\r\n", 2s) &&
            index < static_cast<int>(answers.size())) {
            s.sendAll(connection,
                      fuzz::replaced(answers[index], "@PORT@", std::to_string(s.port())));
        }
        ::shutdown(connection, SHUT_WR);
        s.waitForClose(connection, 3s);
    });
    network->allow(server.port());
    network->cutReceives(input);

    transport::THttpCli client;
    std::ostringstream document;
    client.SetURL("http://127.0.0.1:" + std::to_string(server.port()) + "/doc");
    client.SetRcvdStream(&document);
    client.SetTimeout(2);
    bool succeeded = true;
    try {
        client.Get();
    } catch (const transport::EHttpException& e) {
        succeeded = false;
        fuzz::require(e.ErrorCode >= 400, "a raised request carries a failure status");
    }
    network->forbid(server.port());

    const auto received = static_cast<std::int64_t>(document.str().size());
    fuzz::require(client.RcvdCount() == received, "the count received is what was stored");
    if (succeeded) {
        fuzz::require(client.StatusCode() < 400, "a request that raised nothing did not fail");
        const bool bodyExpected = client.StatusCode() != 204 && client.StatusCode() != 304;
        if (bodyExpected && client.ContentLength() >= 0) {
            fuzz::require(received == client.ContentLength(),
                          "a successful document has its announced length");
        }
    }
    return 0;
}
