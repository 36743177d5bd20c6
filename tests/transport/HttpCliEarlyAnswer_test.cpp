// A server that answers a POST before it has read the body, and closes with the body
// unread: the client's next send meets the reset, and what the server said before it
// still ends the request.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/support/HttpRecorder.h"
#include "tests/support/HttpTestCalls.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/ScriptedHttpPeer.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell::transport {
namespace {

using test::httpAnswer;
using test::HttpRaised;
using test::kSocketDeadline;
using Lines = std::vector<std::string>;

struct Outcome {
    bool answered = false;  // the peer read the header and wrote its answer
    HttpRaised raised;
    int status = 0;
    std::string reason;
    TWord error = 0;
    Lines header;
    std::string document;
    Lines events;
};

// Reads the request header byte by byte, so that nothing behind it is taken.
bool ReadHeader(test::LoopbackPeer& peer, std::string& request) {
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (!peer.read(request, request.size() + 1, kSocketDeadline)) {
            return false;
        }
    }
    return true;
}

// Posts a body of several chunks. Just before the second chunk goes, the peer reads the
// request header and the body's first byte, writes the answer and closes: the rest of the
// first chunk lies unread, so the close is a reset, which the second chunk's send meets.
// The peer acts inside the client's own event, so that none of its answer can have been
// read before that send.
Outcome PostToEarlyAnswer(const std::string& answer, bool blocking) {
    test::LoopbackPeer peer;
    THttpCli client;
    test::HttpRecorder events(client);
    std::istringstream body(std::string(6 * kHttpSendSize, 'b'));
    std::ostringstream document;
    client.SetURL("http://127.0.0.1:" + peer.portText() + "/upload");
    client.SetSendStream(&body);
    client.SetRcvdStream(&document);
    client.SetTimeout(5);
    Outcome outcome;
    int chunks = 0;
    client.OnSendData = [&](TObject*, const void*, int) {
        if (++chunks != 2) {
            return;
        }
        std::string request;
        outcome.answered = peer.accept(kSocketDeadline) && ReadHeader(peer, request) &&
                           peer.read(request, request.size() + 1, kSocketDeadline) &&
                           peer.sendAll(answer);
        peer.closeConnection();
    };
    if (blocking) {
        outcome.raised = test::raisedHttp([&] { client.Post(); });
    } else {
        client.PostASync();
        EXPECT_TRUE(events.waitDone());
    }
    outcome.status = client.StatusCode();
    outcome.reason = client.ReasonPhrase();
    outcome.error = client.RequestDoneError();
    outcome.header = client.RcvdHeader();
    outcome.document = document.str();
    outcome.events = events.withoutStates();
    return outcome;
}

TEST(HttpEarlyAnswer, TheServersAnswerCountsWhenItCameWhole) {
    const std::string reset = "Connection reset by peer (Error #10054)";
    struct Case {
        const char* name;
        std::string answer;
        int status;
        std::string reason;
        TWord error;
        std::string document;
    };
    const Case cases[] = {
        {"refused at once",
         httpAnswer("HTTP/1.1 413 Payload Too Large", {"Content-Type: text/plain"}, "too large"),
         413, "Payload Too Large", 0, ""},
        {"answered whole", httpAnswer("HTTP/1.1 200 OK", {}, "enough"), 200, "OK", 0, "enough"},
        {"header cut short", "HTTP/1.1 413 Payload Too Large\r\nContent-Le", 404, reset, 10054, ""},
        {"document cut short", "HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\npartial", 404, reset,
         10054, "partial"},
        {"no answer", "", 404, reset, 10054, ""},
    };
    for (const auto& c : cases) {
        for (const bool blocking : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (blocking ? ", blocking" : ", event-driven"));
            const Outcome outcome = PostToEarlyAnswer(c.answer, blocking);
            EXPECT_TRUE(outcome.answered);
            EXPECT_EQ(outcome.status, c.status);
            EXPECT_EQ(outcome.reason, c.reason);
            EXPECT_EQ(outcome.error, c.error);
            EXPECT_EQ(outcome.document, c.document);
            if (blocking) {
                const HttpRaised raised = c.status >= 400 ? HttpRaised{c.status, c.reason}
                                                          : HttpRaised{0, "(nothing raised)"};
                EXPECT_EQ(outcome.raised, raised);
            }
            // The body never went whole, and the request ends once.
            EXPECT_EQ(std::count(outcome.events.begin(), outcome.events.end(), "send end"), 0);
            ASSERT_FALSE(outcome.events.empty());
            EXPECT_EQ(outcome.events.back(), "done 2 " + std::to_string(c.error));
            EXPECT_EQ(std::count_if(outcome.events.begin(), outcome.events.end(),
                                    [](const std::string& e) { return e.rfind("done", 0) == 0; }),
                      1);
        }
    }
}

TEST(HttpEarlyAnswer, ARefusalIsReportedLikeAnyErrorAnswer) {
    const Outcome outcome = PostToEarlyAnswer(
        httpAnswer("HTTP/1.1 413 Payload Too Large", {"Content-Type: text/plain"}, "too large"),
        false);
    EXPECT_EQ(outcome.header, (Lines{"HTTP/1.1 413 Payload Too Large", "Content-Type: text/plain",
                                     "Content-Length: 9"}));
    // As for every answer of 400 or more, the error page itself is not read.
    EXPECT_EQ(outcome.events, (Lines{"connected", "send begin", "header begin", "header data",
                                     "header data", "header data", "header end", "done 2 0"}));
}

}  // namespace
}  // namespace vantorell::transport
