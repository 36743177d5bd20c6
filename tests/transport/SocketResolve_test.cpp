// Address, port and protocol texts, and the error numbers and texts.

#include "transport/WSocket/SocketResolve.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "tests/support/SocketRecorder.h"
#include "tests/support/WinsockFaults.h"
#include "transport/WSocket/ESocketException.h"
#include "transport/WSocket/SocketErrors.h"
#include "transport/WSocket/WinsockErrors.h"

namespace vantorell::transport {
namespace {

using test::raisedMessage;

TEST(SocketResolve, DottedForm) {
    const std::pair<const char*, bool> cases[] = {
        {"10.0.0.1", true},   {"10.0.0.1   ", true}, {"  192.168.255.0", true},
        {".10.0.0.1", false}, {"10.0.1", false},     {"1.2.3.4.5", false},
        {"10.0.0.", false},   {"10.0.0.256", false}, {"10.300.0.1", false},
        {"10.0.0.1x", false}, {"10.0.0.1 x", false}, {"", false},
        {"10..0.1", false},   {"localhost", false},  {"99999999999.0.0.1", false},
    };
    for (const auto& [text, dotted] : cases) {
        EXPECT_EQ(WSocketIsDottedIP(text), dotted) << '"' << text << '"';
    }
}

TEST(SocketResolve, PortsAreNumbersOrServiceNames) {
    test::ApiOverride faults;
    std::vector<std::string> asked;
    faults.api().getservbyname = [&](const std::string& name,
                                     const std::string* proto) -> std::optional<TServEnt> {
        asked.push_back(name + "/" + (proto != nullptr ? *proto : "-"));
        if (name != "ftp") {
            WinsockApi().WSASetLastError(WSANO_DATA);
            return std::nullopt;
        }
        return TServEnt{"ftp", {}, htons(21), "tcp"};
    };
    EXPECT_EQ(WSocketResolvePort("8080", "tcp"), 8080);
    EXPECT_EQ(WSocketResolvePort("65535 ", "tcp"), 65535);
    EXPECT_EQ(WSocketResolvePort("0", "tcp"), 0);  // a listener's "any port"
    EXPECT_EQ(WSocketResolvePort(" ftp ", " tcp"), 21);
    // A text that begins like a number names a port only when it is a whole number of the
    // port range: cut or misread, it would name another port.
    for (const std::string text : {"21abc", "65536", "67657", "4294967317", "21 21", "2121x"}) {
        EXPECT_EQ(raisedMessage([&] { WSocketResolvePort(text, "tcp"); }),
                  "WSocketResolvePort: Cannot convert port '" + text + "', Error #11004");
    }
    // A connection needs a real port.
    EXPECT_EQ(WSocketResolveRemotePort("21", "tcp"), 21);
    EXPECT_EQ(raisedMessage([] { WSocketResolveRemotePort("0", "tcp"); }),
              "WSocketResolvePort: Cannot convert port '0', Error #11004");
    // A text beginning with a blank is a service name, however it goes on.
    EXPECT_EQ(raisedMessage([] { WSocketResolvePort(" 21", "tcp"); }),
              "WSocketResolvePort: Cannot convert port ' 21', Error #11004");
    EXPECT_EQ(asked, (std::vector<std::string>{"ftp/tcp", "21/tcp"}));
    EXPECT_EQ(raisedMessage([] { WSocketResolvePort("", "tcp"); }),
              "WSocketResolvePort: Invalid Port.");
    EXPECT_EQ(raisedMessage([] { WSocketResolvePort(std::string(32, '1'), "tcp"); }),
              "WSocketResolvePort: Invalid Port.");
    EXPECT_EQ(raisedMessage([] { WSocketResolvePort("80", ""); }),
              "WSocketResolvePort: Invalid Proto.");
}

TEST(SocketResolve, RealServiceAndProtocolDatabases) {
    EXPECT_EQ(WSocketResolvePort("ftp", "tcp"), 21);
    EXPECT_EQ(WSocketResolveProto("tcp"), 6);
    EXPECT_EQ(WSocketResolveProto(" udp"), 17);
    EXPECT_EQ(WSocketResolveProto("17"), 17);
    EXPECT_EQ(raisedMessage([] { WSocketResolveProto(""); }),
              "WSocketResolveProto: Invalid Protocol.");
    EXPECT_EQ(raisedMessage([] { WSocketResolveProto("nosuchproto"); }),
              "WSocketResolveProto: Cannot convert protocol 'nosuchproto', Error #11004");
}

TEST(SocketResolve, Hosts) {
    EXPECT_EQ(WSocketResolveHost("127.0.0.1"), htonl(INADDR_LOOPBACK));
    EXPECT_EQ(WSocketResolveHost(" 127.0.0.1 "), htonl(INADDR_LOOPBACK));
    EXPECT_EQ(WSocketResolveHost("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(WSocketResolveHost("localhost"), htonl(INADDR_LOOPBACK));
    EXPECT_EQ(raisedMessage([] { WSocketResolveHost(""); }),
              "WSocketResolveHost: '' Invalid Hostname.");
    EXPECT_EQ(raisedMessage([] { WSocketResolveHost(std::string(257, 'a')); }),
              "WSocketResolveHost: '" + std::string(257, 'a') + "' Invalid Hostname.");
    // Dotted, but a leading zero makes it octal and 08 is no octal number.
    EXPECT_EQ(raisedMessage([] { WSocketResolveHost("08.0.0.1"); }),
              "WSocketResolveHost: '08.0.0.1' Invalid IP address.");

    test::ApiOverride faults;
    faults.api().gethostbyname = [](const std::string&) -> std::optional<THostEnt> {
        WinsockApi().WSASetLastError(WSAHOST_NOT_FOUND);
        return std::nullopt;
    };
    EXPECT_EQ(raisedMessage([] { WSocketResolveHost("nonexistent.invalid"); }),
              "WSocketResolveHost: Cannot convert host address 'nonexistent.invalid', "
              "Error #11001");
}

TEST(SocketResolve, DecimalReading) {
    EXPECT_EQ(WSocketAtoi("  123abc"), 123);
    EXPECT_EQ(WSocketAtoi("-5"), 0);
    EXPECT_EQ(WSocketAtoi(""), 0);
    EXPECT_EQ(WSocketAtoi("4294967297"), 1);
}

TEST(SocketErrors, SystemErrorsBecomeWinsockNumbersWithTheirTexts) {
    const std::tuple<int, int, const char*> cases[] = {
        {EAGAIN, 10035, "Operation would block"},
        {ECONNREFUSED, 10061, "Connection refused"},
        {ECONNRESET, 10054, "Connection reset by peer"},
        {EPIPE, 10054, "Connection reset by peer"},
        {ENOTCONN, 10057, "Socket is not connected"},
        {EADDRINUSE, 10048, "Address already in use"},
        {EBADF, 10038, "Socket operation on non-socket"},
        {ETIMEDOUT, 10060, "Connection timed out"},
        {EIO, 10005, "Not a WinSock error"},
    };
    for (const auto& [system, winsock, text] : cases) {
        EXPECT_EQ(WinsockErrorFromErrno(system), winsock) << system;
        EXPECT_EQ(WSocketErrorDesc(winsock), text) << winsock;
    }
    EXPECT_EQ(WSocketErrorDesc(0), "No Error");
    EXPECT_EQ(WSocketErrorDesc(11001), "Host not found");
    EXPECT_EQ(WSocketErrorDesc(11004), "No Data");
}

}  // namespace
}  // namespace vantorell::transport
