// Host lookups of the socket: at once for dotted addresses, else on a worker whose result
// comes back through the socket's window. Only localhost and 127.0.0.1 reach the system's
// resolver; every other name goes to a fake look-up.

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <atomic>
#include <future>

#include "tests/support/SocketRecorder.h"
#include "tests/support/WinsockFaults.h"
#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/HostLookups.h"

namespace vantorell::transport {
namespace {

using test::SocketRecorder;
using test::waitUntil;

THostEnt Loopback(const std::string& name) {
    THostEnt entry;
    entry.h_name = name;
    entry.h_addr_list = {htonl(INADDR_LOOPBACK), htonl(0x7F000002)};
    return entry;
}

// A fake look-up that answers only once released, and tells when it has answered.
struct HeldLookup {
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    std::shared_ptr<std::promise<void>> answered = std::make_shared<std::promise<void>>();
    std::future<void> answeredFuture = answered->get_future();

    std::function<std::optional<THostEnt>(const std::string&)> lookup() {
        return [gate = gate, answered = answered](const std::string& name) {
            gate.wait();
            answered->set_value();
            return std::optional<THostEnt>(Loopback(name));
        };
    }
    // Lets the fake answer and waits for it; then lets posted messages run.
    void finish() {
        release.set_value();
        ASSERT_EQ(answeredFuture.wait_for(test::kSocketDeadline), std::future_status::ready);
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::sendPostedEvents();
    }
};

TEST(HostLookup, DottedAddressCompletesBeforeReturning) {
    TCustomWSocket socket;
    SocketRecorder events(socket);
    socket.DnsLookup("127.0.0.1");
    EXPECT_EQ(events.events(), (std::vector<std::string>{"dns 0"}));
    EXPECT_EQ(socket.DnsResult(), "127.0.0.1");
    EXPECT_EQ(socket.DnsResultList(), (std::vector<std::string>{"127.0.0.1"}));
}

TEST(HostLookup, NameIsLookedUpWithoutBlocking) {
    TCustomWSocket socket;
    SocketRecorder events(socket);
    socket.DnsLookup("localhost");
    EXPECT_TRUE(events.events().empty());
    ASSERT_TRUE(events.waitFor("dns 0"));
    EXPECT_EQ(socket.DnsResult(), "127.0.0.1");
    ASSERT_FALSE(socket.DnsResultList().empty());
    EXPECT_EQ(socket.DnsResultList().front(), socket.DnsResult());
}

TEST(HostLookup, EveryAddressOfTheEntryIsListed) {
    test::ApiOverride faults;
    std::vector<std::string> asked;
    faults.api().gethostbyname = [&asked](const std::string& name) {
        asked.push_back(name);  // the test thread waits before reading it
        return std::optional<THostEnt>(Loopback(name));
    };
    TCustomWSocket socket;
    SocketRecorder events(socket);
    socket.DnsLookup("255.255.255.255");  // all ones is no address: it is looked up
    ASSERT_TRUE(events.waitFor("dns 0"));
    EXPECT_EQ(asked, (std::vector<std::string>{"255.255.255.255"}));
    EXPECT_EQ(socket.DnsResultList(), (std::vector<std::string>{"127.0.0.1", "127.0.0.2"}));
}

TEST(HostLookup, UnknownNameEndsWithItsError) {
    test::ApiOverride faults;
    faults.api().gethostbyname = [](const std::string&) -> std::optional<THostEnt> {
        WinsockApi().WSASetLastError(WSAHOST_NOT_FOUND);
        return std::nullopt;
    };
    TCustomWSocket socket;
    SocketRecorder events(socket);
    socket.DnsLookup("nonexistent.invalid");
    ASSERT_TRUE(events.waitFor("dns 11001"));
    EXPECT_EQ(socket.DnsResult(), "");
    EXPECT_TRUE(socket.DnsResultList().empty());
}

TEST(HostLookup, EmptyNamesAreRefused) {
    TCustomWSocket socket;
    EXPECT_EQ(test::raisedMessage([&] { socket.DnsLookup(""); }), "DNS lookup: invalid host name.");
    EXPECT_EQ(test::raisedMessage([&] { socket.ReverseDnsLookup(""); }),
              "ReverseDnsLookup: Invalid host name.");
    SocketRecorder events(socket);
    socket.OnError = [](TObject*) {};
    socket.DnsLookup("");
    socket.ReverseDnsLookup(std::string(257, '1'));
    EXPECT_EQ(events.events(), (std::vector<std::string>{"dns 10022", "dns 10022"}));
}

TEST(HostLookup, CancelReportsInterruptedAndDropsTheLateResult) {
    test::ApiOverride faults;
    HeldLookup held;
    faults.api().gethostbyname = held.lookup();
    TCustomWSocket socket;
    SocketRecorder events(socket);
    socket.DnsLookup("somewhere.example");
    socket.CancelDnsLookup();
    EXPECT_EQ(events.events(), (std::vector<std::string>{"dns 10004"}));
    held.finish();
    EXPECT_EQ(events.events(), (std::vector<std::string>{"dns 10004"}));
    EXPECT_TRUE(socket.DnsResultList().empty());
}

TEST(HostLookup, DestroyingTheSocketDropsItsLookupSilently) {
    test::ApiOverride faults;
    HeldLookup held;
    faults.api().gethostbyname = held.lookup();
    int events = 0;
    {
        TCustomWSocket socket;
        socket.OnDnsLookupDone = [&](TObject*, TWord) { ++events; };
        socket.DnsLookup("somewhere.example");
    }
    held.finish();
    EXPECT_EQ(events, 0);
}

TEST(HostLookup, ANewLookupReplacesThePendingOne) {
    test::ApiOverride faults;
    HeldLookup held;
    faults.api().gethostbyname = held.lookup();
    TCustomWSocket socket;
    SocketRecorder events(socket);
    socket.DnsLookup("first.example");
    // A completion for another handle changes nothing.
    PostMessage(socket.Handle(), WM_ASYNCGETHOSTBYNAME, 987654, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(events.events().empty());
    socket.DnsLookup("127.0.0.1");
    held.finish();
    EXPECT_EQ(events.events(), (std::vector<std::string>{"dns 0"}));
    EXPECT_EQ(socket.DnsResult(), "127.0.0.1");
}

TEST(HostLookup, ReverseLookupOfLoopback) {
    TCustomWSocket socket;
    SocketRecorder events(socket);
    socket.ReverseDnsLookup("127.0.0.1");
    ASSERT_TRUE(events.waitFor("dns 0"));
    EXPECT_EQ(socket.DnsResult(), "localhost");
    EXPECT_EQ(socket.DnsResultList(), (std::vector<std::string>{"localhost"}));
}

TEST(HostLookup, BlockingRoutines) {
    const auto entry = WSocketGetHostByName("localhost");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->h_addr_list.front(), htonl(INADDR_LOOPBACK));
    EXPECT_EQ(WSocketResolveIp("127.0.0.1"), "localhost");
    EXPECT_THROW(WSocketGetHostByName(""), ESocketException);
    EXPECT_THROW(WSocketGetHostByAddr(std::string(257, '1')), ESocketException);

    test::ApiOverride faults;
    faults.api().gethostname = [](char* name, int size) {
        std::snprintf(name, static_cast<std::size_t>(size), "localhost");
        return 0;
    };
    EXPECT_EQ(LocalHostName(), "localhost");
    EXPECT_EQ(LocalIPList(), (std::vector<std::string>{"127.0.0.1"}));
    faults.api().gethostname = [](char*, int) { return SOCKET_ERROR; };
    EXPECT_EQ(test::raisedMessage([&] { LocalHostName(); }), "Winsock.GetHostName failed");
}

}  // namespace
}  // namespace vantorell::transport
