// Transfers of the FTP client against a real FTP server (pyftpdlib) on 127.0.0.1, over
// active and passive data connections, directly and through SOCKS servers.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/servers/FtpServer.h"
#include "tests/servers/SocksServers.h"
#include "tests/support/FtpRecorder.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"
#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::transport {
namespace {

using test::FtpRecorder;

class FtpTransfersPeer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start()) << site.failure;
        test::aimAt(client, site.server->portText());
    }
    // Runs one request to its end; the end as FtpRecorder writes it.
    std::string Run(const std::function<void()>& start) {
        start();
        return events.waitDone(std::chrono::seconds(20));
    }
    std::string Download(const std::string& folder, const std::string& name,
                         const std::string& local) {
        client.SetHostDirName(folder);
        client.SetHostFileName(name);
        client.SetLocalFileName(local);
        return Run([&] { client.ReceiveAsync(); });
    }

    test::FtpSite site;
    test::TempFolder& root = site.root;
    test::TempFolder local;
    TCustomFtpCli client;
    FtpRecorder events{client};
};

TEST_F(FtpTransfersPeer, FilesGoBothWaysOverActiveAndPassiveConnections) {
    const std::string cube = test::randomBytes(300000, 1);
    root.write("output/cube.mdc", cube);
    for (const bool passive : {false, true}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        client.SetPassive(passive);
        ASSERT_EQ(Download("output", "cube.mdc", local.file("cube.mdc")),
                  FtpRecorder::text(ftpReceiveAsync, 0))
            << client.ErrorMessage();
        EXPECT_EQ(local.read("cube.mdc"), cube);
        EXPECT_FALSE(client.Connected());
        EXPECT_EQ(client.ByteCount(), 300000);

        const std::string model = test::randomBytes(100001, passive ? 2 : 3);
        local.write("model.vtm", model);
        client.SetHostDirName("input");
        client.SetHostFileName("model.vtm");
        client.SetLocalFileName(local.file("model.vtm"));
        // A store reports itself, also inside a sequence.
        ASSERT_EQ(Run([&] { client.TransmitAsync(); }), FtpRecorder::text(ftpPutAsync, 0))
            << client.ErrorMessage();
        EXPECT_EQ(root.read("input/model.vtm"), model);

        local.write("tail.vtm", "appended");
        client.SetLocalFileName(local.file("tail.vtm"));
        ASSERT_EQ(Run([&] { client.AppendFileAsync(); }), FtpRecorder::text(ftpAppendAsync, 0));
        EXPECT_EQ(root.read("input/model.vtm"), model + "appended");

        local.write("empty.vtm", "");
        client.SetHostFileName("empty.vtm");
        client.SetLocalFileName(local.file("empty.vtm"));
        ASSERT_EQ(Run([&] { client.TransmitAsync(); }), FtpRecorder::text(ftpPutAsync, 0));
        EXPECT_TRUE(std::filesystem::exists(root.file("input/empty.vtm")));
        EXPECT_EQ(root.read("input/empty.vtm"), "");
    }
}

// Files of many chunks, past the pieces whose disk writes a download starts as it goes,
// arrive whole both ways.
TEST_F(FtpTransfersPeer, LargeFilesArriveWholeBothWays) {
    const std::string big = test::randomBytes(20 << 20, 4);
    root.write("output/big.mdc", big);
    client.SetPassive(true);
    ASSERT_EQ(Download("output", "big.mdc", local.file("big.mdc")),
              FtpRecorder::text(ftpReceiveAsync, 0))
        << client.ErrorMessage();
    EXPECT_TRUE(local.read("big.mdc") == big);
    EXPECT_EQ(client.ByteCount(), 20 << 20);

    client.SetHostDirName("input");
    client.SetHostFileName("big.mdc");
    client.SetLocalFileName(local.file("big.mdc"));
    ASSERT_EQ(Run([&] { client.TransmitAsync(); }), FtpRecorder::text(ftpPutAsync, 0))
        << client.ErrorMessage();
    EXPECT_TRUE(root.read("input/big.mdc") == big);
}

TEST_F(FtpTransfersPeer, ListingsGoToAFileOrLineByLineToTheDisplay) {
    std::set<std::string> names;
    for (int i = 0; i < 300; ++i) {
        const std::string name = "cube" + std::to_string(i) + ".mdc";
        root.write("output/" + name, "x");
        names.insert(name);
    }
    client.SetHostDirName("output");
    client.SetLocalFileName(local.file("RemoteFileList.txt"));
    ASSERT_EQ(Run([&] { client.DirectoryAsync(); }), FtpRecorder::text(ftpDirectoryAsync, 0));
    const std::string listing = local.read("RemoteFileList.txt");
    EXPECT_NE(listing.find("cube299.mdc"), std::string::npos);
    EXPECT_EQ(client.DataCommand(), "LIST");

    client.SetLocalFileName("");
    client.SetDisplayFileFlag(true);
    client.SetPassive(true);
    ASSERT_EQ(Run([&] { client.ListAsync(); }), FtpRecorder::text(ftpListAsync, 0));
    EXPECT_EQ(std::set<std::string>(events.files().begin(), events.files().end()), names);
    EXPECT_EQ(events.files().size(), names.size());
}

TEST_F(FtpTransfersPeer, AFailedDownloadLeavesTheLocalFileAndStillQuits) {
    local.write("cube.mdc", "the old cube");
    EXPECT_EQ(Download("output", "missing.mdc", local.file("cube.mdc")),
              FtpRecorder::text(ftpReceiveAsync, 550));
    EXPECT_EQ(client.ErrorMessage().substr(0, 4), "550 ");
    EXPECT_EQ(local.read("cube.mdc"), "the old cube");
    EXPECT_FALSE(client.Connected());
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(local.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1u);  // no temporary file left behind
}

TEST_F(FtpTransfersPeer, ARestartedDownloadAppendsWhatIsMissing) {
    const std::string cube = test::randomBytes(50000, 4);
    root.write("output/cube.mdc", cube);
    local.write("cube.mdc", cube.substr(0, 12345));
    client.SetHostDirName("output");
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName(local.file("cube.mdc"));
    ASSERT_EQ(Run([&] { client.RestartGetAsync(); }), FtpRecorder::text(ftpRestartGetAsync, 0))
        << client.ErrorMessage();
    EXPECT_EQ(local.read("cube.mdc"), cube);
    const auto& d = events.display();
    EXPECT_NE(std::find(d.begin(), d.end(), "> REST 12345"), d.end());
}

TEST_F(FtpTransfersPeer, ACallersStreamReceivesAndSends) {
    const std::string cube = test::randomBytes(70000, 5);
    root.write("output/cube.mdc", cube);
    ASSERT_EQ(Run([&] { client.ConnectAsync(); }), FtpRecorder::text(ftpConnectAsync, 0));
    ASSERT_EQ(Run([&] { client.TypeBinaryAsync(); }), FtpRecorder::text(ftpTypeSetAsync, 0));
    TFtpMemoryStream stream;
    client.SetLocalStream(&stream);
    client.SetHostFileName("output/cube.mdc");
    ASSERT_EQ(Run([&] { client.GetAsync(); }), FtpRecorder::text(ftpGetAsync, 0));
    EXPECT_EQ(stream.Data, cube);
    stream.Position = 0;
    client.SetHostFileName("input/copy.mdc");
    ASSERT_EQ(Run([&] { client.PutAsync(); }), FtpRecorder::text(ftpPutAsync, 0));
    EXPECT_EQ(root.read("input/copy.mdc"), cube);
    EXPECT_EQ(client.LocalStream(), &stream);  // still the caller's
    EXPECT_TRUE(client.Connected());
}

TEST_F(FtpTransfersPeer, ThroughSocksServers) {
    const std::string cube = test::randomBytes(120000, 6);
    root.write("output/cube.mdc", cube);
    std::string failure;
    const auto withLogin = test::startMicrosocks(failure, "analyst", "socks-pw");
    ASSERT_TRUE(withLogin) << failure;
    const auto noLogin = test::startMicrosocks(failure);
    ASSERT_TRUE(noLogin) << failure;
    const auto dante = test::startDante(failure);  // needs no login either
    ASSERT_TRUE(dante) << failure;
    struct Through {
        const char* name;
        TFtpConnectionType type;
        test::PeerServer& server;
        bool user;  // a user name and password are set
    };
    for (const Through& t : {Through{"microsocks with login", ftpSocks5, *withLogin, true},
                             Through{"microsocks, no login", ftpSocks5, *noLogin, false},
                             Through{"microsocks, no login, user set", ftpSocks5, *noLogin, true},
                             Through{"dante, no login", ftpSocks5, *dante, false},
                             Through{"dante, no login, user set", ftpSocks5, *dante, true},
                             Through{"dante, SOCKS 4", ftpSocks4, *dante, true}}) {
        SCOPED_TRACE(t.name);
        client.SetConnectionType(t.type);
        EXPECT_TRUE(client.Passive());
        client.SetSocksServer("127.0.0.1");
        client.SetSocksPort(t.server.portText());
        client.SetSocksUserCode(t.user ? "analyst" : "");
        client.SetSocksPassword(t.user ? "socks-pw" : "");
        ASSERT_EQ(Download("output", "cube.mdc", local.file("cube.mdc")),
                  FtpRecorder::text(ftpReceiveAsync, 0))
            << client.ErrorMessage();
        EXPECT_EQ(local.read("cube.mdc"), cube);
        client.SetHostDirName("input");
        client.SetHostFileName("up.mdc");
        client.SetLocalFileName(local.file("cube.mdc"));
        ASSERT_EQ(Run([&] { client.TransmitAsync(); }), FtpRecorder::text(ftpPutAsync, 0))
            << client.ErrorMessage();
        EXPECT_EQ(root.read("input/up.mdc"), cube);
        for (const auto& line : events.display()) {
            EXPECT_EQ(line.find("socks-pw"), std::string::npos) << line;
        }
    }
}

}  // namespace
}  // namespace vantorell::transport
