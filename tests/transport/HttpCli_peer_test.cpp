// The HTTP client against Python's http.server on 127.0.0.1, directly, through tinyproxy
// and through the SOCKS servers.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "tests/servers/HttpServers.h"
#include "tests/servers/SocksServers.h"
#include "tests/support/HttpRecorder.h"
#include "tests/support/HttpTestCalls.h"
#include "transport/HttpProt/HttpCli.h"

namespace vantorell::transport {
namespace {

using test::HttpRaised;
using test::raisedHttp;

std::string RandomBytes(std::size_t size) {
    std::mt19937 generator(20261210);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(generator());
    }
    return bytes;
}

class HttpPeer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        files = new test::TempFolder;
        std::filesystem::create_directory(files->file("dir"));
        files->write("dir/inside.txt", "inside");
        files->write("file.bin", Content());
        std::string failure;
        server = test::startHttpServer(failure, files->path()).release();
        if (server == nullptr) {
            startFailure = new std::string(failure);
        }
    }
    static void TearDownTestSuite() {
        delete server;
        delete files;
        delete startFailure;
        server = nullptr;
        files = nullptr;
        startFailure = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(server, nullptr) << *startFailure;
        client.SetTimeout(10);
        client.SetRcvdStream(&document);
    }

    static const std::string& Content() {
        static const std::string bytes = RandomBytes(1 << 20);
        return bytes;
    }
    static std::string Url(const std::string& path, const std::string& host = "127.0.0.1") {
        return "http://" + host + ":" + server->portText() + path;
    }

    static test::TempFolder* files;
    static test::PeerServer* server;
    static std::string* startFailure;
    THttpCli client;
    std::ostringstream document;
};

test::TempFolder* HttpPeer::files = nullptr;
test::PeerServer* HttpPeer::server = nullptr;
std::string* HttpPeer::startFailure = nullptr;

TEST_F(HttpPeer, GetFetchesAFileWhole) {
    client.SetURL(Url("/file.bin", "localhost"));
    client.Get();
    EXPECT_EQ(client.StatusCode(), 200);
    EXPECT_EQ(client.ContentLength(), static_cast<std::int64_t>(Content().size()));
    EXPECT_EQ(client.ContentType(), "application/octet-stream");
    EXPECT_EQ(client.DocName(), "file.bin");
    EXPECT_TRUE(document.str() == Content());
}

TEST_F(HttpPeer, MissingFileRaisesTheServersStatus) {
    client.SetURL(Url("/no-such-file.zip"));
    EXPECT_EQ(raisedHttp([&] { client.Get(); }), (HttpRaised{404, "File not found"}));
    EXPECT_EQ(document.str(), "");
}

TEST_F(HttpPeer, FolderWithoutItsSlashIsRedirectedToItsListing) {
    test::HttpRecorder events(client);
    client.SetURL(Url("/dir"));
    client.Get();
    EXPECT_EQ(events.count("location"), 1);
    EXPECT_EQ(client.Location(), Url("/dir/"));
    EXPECT_EQ(client.DocName(), "document.htm");
    EXPECT_EQ(client.ContentType().rfind("text/html", 0), 0u);
    EXPECT_NE(document.str().find("inside.txt"), std::string::npos);
}

TEST_F(HttpPeer, HeadGivesTheLengthOnly) {
    client.SetURL(Url("/file.bin"));
    client.Head();
    EXPECT_EQ(client.ContentLength(), static_cast<std::int64_t>(Content().size()));
    EXPECT_EQ(client.RcvdCount(), 0);
    EXPECT_EQ(document.str(), "");
}

TEST_F(HttpPeer, EventDrivenGetEndsInRequestDone) {
    test::HttpRecorder events(client);
    client.SetURL(Url("/dir/inside.txt"));
    client.GetASync();
    ASSERT_TRUE(events.waitDone());
    EXPECT_EQ(events.events().back(), "done 1 0");
    EXPECT_EQ(events.document(), "inside");
    EXPECT_EQ(document.str(), "inside");
}

TEST_F(HttpPeer, PostIsSentAndTheRefusalRaised) {
    std::istringstream body("name=value&other=1");
    client.SetSendStream(&body);
    client.SetURL(Url("/form"));
    const HttpRaised raised = raisedHttp([&] { client.Post(); });
    EXPECT_EQ(raised.code, 501);
    EXPECT_EQ(raised.message, "Unsupported method ('POST')");
}

TEST_F(HttpPeer, ThroughTinyproxy) {
    std::string failure;
    const auto proxy = test::startTinyproxy(failure);
    ASSERT_TRUE(proxy) << failure;
    client.SetProxy("127.0.0.1:" + proxy->portText());
    client.SetURL(Url("/file.bin"));
    client.Get();
    EXPECT_EQ(client.StatusCode(), 200);
    EXPECT_TRUE(document.str() == Content());

    document.str("");
    client.SetProxy("127.0.0.1");
    client.SetProxyPort(proxy->portText());
    client.SetURL(Url("/dir"));
    client.Get();
    EXPECT_EQ(client.Location(), Url("/dir/"));
    EXPECT_NE(document.str().find("inside.txt"), std::string::npos);
}

TEST_F(HttpPeer, ThroughTinyproxyWithCredentials) {
    std::string failure;
    const auto proxy = test::startTinyproxy(failure, "analyst", "s3cret");
    ASSERT_TRUE(proxy) << failure;
    client.SetProxy("127.0.0.1:" + proxy->portText());
    client.SetURL(Url("/dir/inside.txt"));
    EXPECT_EQ(raisedHttp([&] { client.Get(); }).code, 407);
    document.str("");
    client.SetProxyUsername("analyst");
    client.SetProxyPassword("s3cret");
    client.Get();
    EXPECT_EQ(document.str(), "inside");
}

TEST_F(HttpPeer, ThroughSocksServersForEveryRequest) {
    // dante takes the address of SOCKS 4A for the target: 4A is left to the unit tests.
    std::string failure;
    const auto microsocks = test::startMicrosocks(failure, "analyst", "s3cret");
    ASSERT_TRUE(microsocks) << failure;
    const auto dante = test::startDante(failure);
    ASSERT_TRUE(dante) << failure;
    struct Case {
        test::PeerServer& server;
        const char* level;
        bool authenticate;
    };
    const Case cases[] = {{*microsocks, "5", true}, {*dante, "4", false}, {*dante, "5", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        THttpCli socks;
        int viaSocks = 0;
        socks.OnSocksConnected = [&](TObject*, TWord Error) {
            EXPECT_EQ(Error, 0);
            ++viaSocks;
        };
        socks.SetSocksServer("127.0.0.1");
        socks.SetSocksPort(c.server.portText());
        socks.SetSocksLevel(c.level);
        socks.SetSocksUsercode("analyst");  // SOCKS 4 sends it as the user id
        if (c.authenticate) {
            socks.SetSocksAuthentication(socksAuthenticateUsercode);
            socks.SetSocksPassword("s3cret");
        }
        // A redirection and a second request: each connection goes through the server.
        std::ostringstream listing;
        socks.SetRcvdStream(&listing);
        socks.SetURL(Url("/dir"));
        socks.Get();
        EXPECT_NE(listing.str().find("inside.txt"), std::string::npos) << c.level;
        std::ostringstream file;
        socks.SetRcvdStream(&file);
        socks.SetURL(Url("/file.bin"));
        socks.Get();
        EXPECT_TRUE(file.str() == Content()) << c.level;
        EXPECT_EQ(viaSocks, 3) << c.level;
        EXPECT_EQ(socks.SocksServer(), "127.0.0.1");
    }
}

}  // namespace
}  // namespace vantorell::transport
