// The blocking requests' time-out, aborting, and requests that never reach a server.

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <future>

#include "tests/support/HttpRecorder.h"
#include "tests/support/HttpTestCalls.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/ScriptedHttpPeer.h"
#include "tests/support/WinsockFaults.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell::transport {
namespace {

using namespace std::chrono_literals;
using test::httpAnswer;
using test::HttpRaised;
using test::raisedHttp;
using test::ScriptedAnswer;
using test::ScriptedHttpPeer;
using Clock = std::chrono::steady_clock;
using End = ScriptedAnswer::End;

TEST(HttpWait, AServerThatStallsEndsTheRequestAfterTheTimeout) {
    const ScriptedAnswer stalls[] = {
        ScriptedAnswer("", End::Hold),  // never answers
        ScriptedAnswer("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nabc", End::Hold),
    };
    for (const auto& answer : stalls) {
        ScriptedHttpPeer peer({answer});
        THttpCli client;
        client.SetURL(test::urlOf(peer, "/slow"));
        client.SetTimeout(1);
        const auto start = Clock::now();
        EXPECT_EQ(raisedHttp([&] { client.Get(); }), (HttpRaised{404, "Timeout"}));
        const auto waited = Clock::now() - start;
        EXPECT_GE(waited, 1s);
        EXPECT_LT(waited, 4s);
        EXPECT_EQ(client.RequestDoneError(), httpErrTimeout);
        EXPECT_EQ(client.State(), httpReady);
        // The connection is closed: the server sees its end.
        EXPECT_TRUE(peer.waitFinished(1, test::kSocketDeadline));
    }
}

TEST(HttpWait, ADocumentThatKeepsComingOutlastsTheTimeout) {
    ScriptedAnswer answer("HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\n");
    for (const char* piece : {"a", "b", "c", "d", "e", "f"}) {
        answer.then(piece, 400ms);
    }
    ScriptedHttpPeer peer({answer});
    THttpCli client;
    test::HttpRecorder events(client);
    client.SetURL(test::urlOf(peer, "/trickle"));
    client.SetTimeout(1);
    const auto start = Clock::now();
    EXPECT_EQ(raisedHttp([&] { client.Get(); }).code, 0);
    EXPECT_GE(Clock::now() - start, 2s);
    EXPECT_EQ(events.document(), "abcdef");
}

// Shows the deadline a request's progress sets.
class DeadlineOfHttpCli : public THttpCli {
public:
    using THttpCli::FDeadline;
};

TEST(HttpWait, ATimeoutOfZeroOrLessStillEndsAStalledRequest) {
    // As long as the FTP client waits without progress when no time-out is set; waiting
    // it out would take a minute, so the deadline the request sets is what is checked.
    for (const int timeout : {0, -5}) {
        ScriptedHttpPeer peer({ScriptedAnswer("", End::Hold)});
        DeadlineOfHttpCli client;
        client.SetURL(test::urlOf(peer, "/slow"));
        client.SetTimeout(timeout);
        const auto start = Clock::now();
        client.GetASync();
        EXPECT_GE(client.FDeadline, start + 59s) << timeout;
        EXPECT_LE(client.FDeadline, Clock::now() + 60s) << timeout;
        client.Abort();
    }
}

TEST(HttpWait, AbortEndsTheRequestAndTheClientServesTheNext) {
    ScriptedHttpPeer peer(
        {ScriptedAnswer("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nabc", End::Hold),
         httpAnswer("HTTP/1.0 200 OK", {}, "next")});
    THttpCli client;
    test::HttpRecorder events(client);
    client.SetURL(test::urlOf(peer, "/a"));
    client.GetASync();
    ASSERT_TRUE(test::waitUntil([&] { return events.has("doc begin"); }));
    client.Abort();
    EXPECT_EQ(client.State(), httpReady);
    EXPECT_EQ(client.StatusCode(), 404);
    EXPECT_EQ(client.ReasonPhrase(), "Connection aborted on request");
    EXPECT_EQ(client.RequestDoneError(), httpErrAborted);
    // A new request at once: what the aborted one had posted must not touch it.
    client.GetASync();
    ASSERT_TRUE(events.waitDone(2));
    EXPECT_EQ(events.count("done 1 3"), 1);
    EXPECT_EQ(events.count("done 1 0"), 1);
    EXPECT_EQ(events.count("doc end"), 2);
    EXPECT_EQ(events.document(), "abcnext");
    EXPECT_EQ(client.StatusCode(), 200);
}

// A look-up that answers only once released.
class HeldLookup {
public:
    explicit HeldLookup(test::ApiOverride& faults) {
        faults.api().gethostbyname = [gate = gate_, answered = answered_](const std::string& name) {
            gate.wait();
            answered->set_value();
            THostEnt entry;
            entry.h_name = name;
            entry.h_addr_list = {htonl(INADDR_LOOPBACK)};
            return std::optional<THostEnt>(entry);
        };
    }
    // Lets it answer; true once it has.
    bool release() {
        release_.set_value();
        return answeredFuture_.wait_for(test::kSocketDeadline) == std::future_status::ready;
    }

private:
    std::promise<void> release_;
    std::shared_future<void> gate_ = release_.get_future().share();
    std::shared_ptr<std::promise<void>> answered_ = std::make_shared<std::promise<void>>();
    std::future<void> answeredFuture_ = answered_->get_future();
};

TEST(HttpWait, AbortDuringTheLookupDropsItsResult) {
    test::ApiOverride faults;
    HeldLookup lookup(faults);
    THttpCli client;
    test::HttpRecorder events(client);
    client.SetURL("http://slow.test/");
    client.GetASync();
    EXPECT_EQ(client.State(), httpDnsLookup);
    client.Abort();
    ASSERT_TRUE(events.waitDone());
    ASSERT_TRUE(lookup.release());
    EXPECT_FALSE(test::waitUntil([&] { return events.has("state 4"); }, 200ms));
    EXPECT_EQ(events.count("done 1 3"), 1);
}

TEST(HttpWait, ALookupThatNeverEndsTimesOut) {
    test::ApiOverride faults;
    HeldLookup lookup(faults);
    THttpCli client;
    client.SetURL("http://slow.test/");
    client.SetTimeout(1);
    EXPECT_EQ(raisedHttp([&] { client.Get(); }), (HttpRaised{404, "Timeout"}));
    EXPECT_EQ(client.RequestDoneError(), httpErrTimeout);
    ASSERT_TRUE(lookup.release());
}

TEST(HttpWait, ServersThatCannotBeReached) {
    test::ApiOverride faults;
    faults.api().gethostbyname = [](const std::string&) -> std::optional<THostEnt> {
        WinsockApi().WSASetLastError(WSAHOST_NOT_FOUND);
        return std::nullopt;
    };
    int closedPort = 0;
    {
        test::LoopbackPeer gone;
        closedPort = gone.port();
    }
    struct Case {
        std::string url;
        HttpRaised raised;
        TWord error;
    };
    const Case cases[] = {
        {"http://127.0.0.1:" + std::to_string(closedPort) + "/",
         {404, "Connection refused (Error #10061)"},
         10061},
        {"http://nowhere.test/", {404, "can't resolve hostname to IP address"}, 11001},
        {"http:///no-host", {404, "DNS lookup: invalid host name."}, httpErrLocal},
    };
    for (const auto& c : cases) {
        THttpCli client;
        int socketErrors = 0;
        client.OnSocketError = [&](TObject*) { ++socketErrors; };
        client.SetURL(c.url);
        EXPECT_EQ(raisedHttp([&] { client.Get(); }), c.raised) << c.url;
        EXPECT_EQ(client.RequestDoneError(), c.error) << c.url;
        EXPECT_EQ(client.State(), httpReady) << c.url;
        EXPECT_EQ(socketErrors, c.error == httpErrLocal ? 1 : 0) << c.url;
    }
}

}  // namespace
}  // namespace vantorell::transport
