// Blocking FTP requests against a real FTP server (pyftpdlib) on 127.0.0.1, as the cube
// server dialogs and the updater use them.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/servers/FtpServer.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"
#include "transport/FtpCli/FtpClient.h"

namespace vantorell::transport {
namespace {

class FtpClientPeer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start()) << site.failure;
        test::aimAt(client, site.server->portText());
    }

    test::FtpSite site;
    test::TempFolder& root = site.root;
    test::TempFolder local;
    TFtpClient client;
};

TEST_F(FtpClientPeer, ASessionOfBlockingRequests) {
    const std::string status = "[Status]\r\nServer=idle\r\n";
    root.write("status.ini", status);
    ASSERT_TRUE(client.Connect()) << client.ErrorMessage();
    EXPECT_FALSE(client.Connect());  // already connected
    ASSERT_TRUE(client.TypeBinary());
    client.SetHostFileName("status.ini");
    client.SetLocalFileName(local.file("status.ini"));
    ASSERT_TRUE(client.Get()) << client.ErrorMessage();
    EXPECT_EQ(local.read("status.ini"), status);

    local.write("status.ini", "[Status]\r\nServer=busy\r\n");
    ASSERT_TRUE(client.Put()) << client.ErrorMessage();
    EXPECT_EQ(root.read("status.ini"), "[Status]\r\nServer=busy\r\n");
    ASSERT_TRUE(client.Size());
    EXPECT_EQ(client.SizeResult(), 23);

    const std::string model = test::randomBytes(200000, 7);
    local.write("model.vtm", model);
    client.SetHostDirName("input");
    ASSERT_TRUE(client.Cwd());
    client.SetHostFileName("model.vtm");
    client.SetLocalFileName(local.file("model.vtm"));
    client.SetPassive(true);
    ASSERT_TRUE(client.Put()) << client.ErrorMessage();
    EXPECT_EQ(root.read("input/model.vtm"), model);
    client.SetLocalFileName(local.file("RemoteFileList.txt"));
    ASSERT_TRUE(client.Dir());
    EXPECT_NE(local.read("RemoteFileList.txt").find("model.vtm"), std::string::npos);
    ASSERT_TRUE(client.Dele());
    EXPECT_FALSE(std::filesystem::exists(root.file("input/model.vtm")));
    ASSERT_TRUE(client.Quit());
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.Pwd());  // not connected any more
}

TEST_F(FtpClientPeer, AFailingStepFailsTheWholeRequest) {
    root.write("output/cube.mdc", "cube");
    client.SetHostDirName("no-such-folder");
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName(local.file("cube.mdc"));
    EXPECT_FALSE(client.Receive());
    EXPECT_EQ(client.StatusCode(), 550);
    EXPECT_EQ(client.ErrorMessage().substr(0, 4), "550 ");
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(std::filesystem::exists(local.file("cube.mdc")));

    client.SetHostDirName("output");
    EXPECT_TRUE(client.Receive()) << client.ErrorMessage();
    EXPECT_EQ(local.read("cube.mdc"), "cube");
}

TEST_F(FtpClientPeer, ASecondBlockingRequestFromAHandlerIsRefused) {
    ASSERT_TRUE(client.Connect());
    bool inner = true;
    bool asked = false;
    client.OnDisplay = [&](TObject*, std::string& line) {
        if (!asked && line == "> PWD") {
            asked = true;
            inner = client.Syst();
        }
    };
    EXPECT_TRUE(client.Pwd()) << client.ErrorMessage();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(inner);
    EXPECT_EQ(client.DirResult(), "/");
}

}  // namespace
}  // namespace vantorell::transport
