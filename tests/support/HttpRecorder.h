#pragma once
// Records what an HTTP client reports as short texts, in order: "state 5", "connected",
// "header begin", "header data", "header end", "doc begin", "doc end", "location",
// "cookie <value>", "send begin", "send end", "done <request type> <error>"; the
// document's bytes go to document(). Offers the wait for the end of a request.

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/SocketRecorder.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell::test {

class HttpRecorder {
public:
    // Declare it after the client: its end unbinds the events it bound.
    explicit HttpRecorder(transport::THttpCli& client);
    ~HttpRecorder();
    HttpRecorder(const HttpRecorder&) = delete;
    HttpRecorder& operator=(const HttpRecorder&) = delete;

    const std::vector<std::string>& events() const { return events_; }
    bool has(const std::string& event) const;
    int count(const std::string& event) const;
    const std::string& document() const { return document_; }
    // The events without the state changes.
    std::vector<std::string> withoutStates() const;

    // Waits until OnRequestDone has fired `times` times in all.
    bool waitDone(int times = 1, std::chrono::milliseconds deadline = kSocketDeadline) const;

private:
    transport::THttpCli& client_;
    std::vector<std::string> events_;
    std::string document_;
};

}  // namespace vantorell::test
