// The updater's fetches against real servers on 127.0.0.1: http.server directly and
// through tinyproxy, pyftpdlib directly, and an FTP proxy that learns the server from the
// user name.
#include <gtest/gtest.h>

#include "engine/tqmh01/FetchUrl.h"
#include "platform/FileSystem.h"
#include "tests/servers/FtpServer.h"
#include "tests/servers/HttpServers.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/FtpThreadPeer.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

class FetchUrlPeer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.start()) << site.failure(); }

    // The files of the program folder.
    std::size_t filesInFolder() const { return findEntries(local.path() + "*").size(); }

    test::MakerSite site;
    test::TempFolder local;
    TransferSettings held;
};

TEST_F(FetchUrlPeer, HttpFetchReplacesTheTargetWithTheWholeDocument) {
    const std::string bytes = test::componentBytes("instage.exe", 300000);
    const std::string target = local.write("instage.exe", "old");
    ASSERT_TRUE(FetchUrl(site.put("pub/instage.exe", bytes), target, held));
    EXPECT_TRUE(local.read("instage.exe") == bytes);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(FetchUrlPeer, ShortOrMissingDocumentsFailAndLeaveTheTargetAsItWas) {
    const std::string target = local.write("remove.dat", std::string(200, 'o'));
    struct Case {
        std::string address;
        const char* what;
    } cases[] = {
        {site.put("short.exe", std::string(100, 's')), "an error message of 100 bytes"},
        {site.put("just-short.exe", std::string(127, 's')), "127 bytes"},
        {site.url("missing.exe"), "a missing file"},
        {"http://127.0.0.1:1/x.exe", "a refused connection"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(FetchUrl(c.address, target, held)) << c.what;
        EXPECT_EQ(local.read("remove.dat"), std::string(200, 'o')) << c.what;
        EXPECT_EQ(filesInFolder(), 1u) << c.what;
    }
    EXPECT_TRUE(FetchUrl(site.put("enough.exe", std::string(128, 'e')), target, held));
    EXPECT_EQ(local.read("remove.dat"), std::string(128, 'e'));
}

TEST_F(FetchUrlPeer, HttpGoesThroughTheProxyWhateverTheProxyFlag) {
    std::string failure;
    const auto proxy = test::startTinyproxy(failure);
    ASSERT_TRUE(proxy) << failure;
    held.proxyHost = "127.0.0.1";
    held.proxyPort = proxy->portText();
    held.useProxy = false;
    const std::string bytes = test::componentBytes("sqstage.exe");
    ASSERT_TRUE(FetchUrl(site.put("sqstage.exe", bytes), local.file("sqstage.exe"), held));
    EXPECT_EQ(local.read("sqstage.exe"), bytes);
    EXPECT_NE(proxy->folder().read("output.txt").find("/sqstage.exe"), std::string::npos);

    // Through a proxy that is not there, nothing arrives.
    held.proxyPort = "1";
    EXPECT_FALSE(FetchUrl(site.url("sqstage.exe"), local.file("other.exe"), held));
}

TEST_F(FetchUrlPeer, FtpFetchChangesIntoTheFolderOfTheAddress) {
    test::TempFolder served;
    const std::string bytes = test::componentBytes("file.exe", 70000);
    served.write("dir/sub/file.exe", bytes);
    served.write("dir/sub/tiny.exe", "tiny");
    std::string failure;
    const auto server = test::startFtpServer(failure, served.path());
    ASSERT_TRUE(server) << failure;
    held.ftpUser = test::kFtpUser;
    held.ftpPassword = test::kFtpPassword;
    const std::string base = "ftp://127.0.0.1:" + server->portText() + "/";
    const std::string target = local.write("eistage.exe", std::string(200, 'o'));

    EXPECT_FALSE(FetchUrl(base + "dir/sub/missing.exe", target, held));
    EXPECT_FALSE(FetchUrl(base + "dir/sub/tiny.exe", target, held));
    EXPECT_FALSE(FetchUrl(base + "nodir/file.exe", target, held));
    held.ftpPassword = "wrong";
    EXPECT_FALSE(FetchUrl(base + "dir/sub/file.exe", target, held));
    EXPECT_EQ(local.read("eistage.exe"), std::string(200, 'o'));
    EXPECT_EQ(filesInFolder(), 1u);

    held.ftpPassword = test::kFtpPassword;
    // A file longer or shorter than promised is refused.
    EXPECT_FALSE(FetchUrl(base + "dir/sub/file.exe", target, held, {69999, std::nullopt}));
    EXPECT_FALSE(FetchUrl(base + "dir/sub/file.exe", target, held, {70001, std::nullopt}));
    EXPECT_EQ(local.read("eistage.exe"), std::string(200, 'o'));
    EXPECT_EQ(filesInFolder(), 1u);

    ASSERT_TRUE(FetchUrl(base + "dir/sub/file.exe", target, held, {70000, std::nullopt}));
    EXPECT_TRUE(local.read("eistage.exe") == bytes);
}

TEST(FetchUrlProxyTest, TheFtpProxyLearnsTheServerFromTheUserName) {
    test::FtpThreadPeer proxy;
    const std::string bytes = test::componentBytes("file.exe", 1000);
    proxy.run([&](test::FtpThreadPeer& s) {
        if (!s.accept() || !s.answer("USER analyst@files.example:21", "331 pass\r\n") ||
            !s.answer("PASS s3cret", "230 in\r\n") || !s.answer("TYPE I", "200 binary\r\n") ||
            !s.answer("CWD pub/engine", "250 there\r\n")) {
            return;
        }
        std::string port;
        if (!s.command(port) || !s.dataConnect(port) || !s.send("200 ok\r\n") ||
            !s.answer("RETR file.exe", "150 opening\r\n") || !s.dataSend(bytes)) {
            s.fail("no transfer");
            return;
        }
        s.dataClose();
        if (s.send("226 done\r\n")) {
            s.answer("QUIT", "221 bye\r\n");
        }
    });
    test::TempFolder local;
    TransferSettings held;
    held.useProxy = true;
    held.ftpProxyHost = "127.0.0.1";
    held.ftpProxyPort = proxy.portText();
    held.ftpUser = "analyst";
    held.ftpPassword = "s3cret";
    EXPECT_TRUE(
        FetchUrl("ftp://files.example/pub/engine/file.exe", local.file("remove.dat"), held));
    EXPECT_EQ(proxy.join(), "");
    EXPECT_EQ(local.read("remove.dat"), bytes);
}

}  // namespace
}  // namespace vantorell::engine
