// The FTP client's commands against a real FTP server (pyftpdlib) on 127.0.0.1.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/servers/FtpServer.h"
#include "tests/support/FtpRecorder.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/TempFolder.h"
#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::transport {
namespace {

using test::FtpRecorder;

class FtpCommandsPeer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start()) << site.failure;
        test::aimAt(client, site.server->portText());
    }
    // Runs one request to its end; the error it ended with.
    int Run(const std::function<void()>& start) {
        start();
        const std::string done = events.waitDone(std::chrono::seconds(10));
        EXPECT_NE(done, "") << "the request did not end";
        return done.empty() ? -1 : std::stoi(done.substr(done.rfind(' ') + 1));
    }

    test::FtpSite site;
    test::TempFolder& root = site.root;
    TCustomFtpCli client;
    FtpRecorder events{client};
};

TEST_F(FtpCommandsPeer, FolderAndFileCommandsOnARealServer) {
    root.write("status.ini", "[Status]\r\nServer=idle\r\n");
    ASSERT_EQ(Run([&] { client.ConnectAsync(); }), 0) << client.ErrorMessage();
    EXPECT_EQ(Run([&] { client.PwdAsync(); }), 0);
    EXPECT_EQ(client.DirResult(), "/");
    client.SetHostFileName("models");
    EXPECT_EQ(Run([&] { client.MkdAsync(); }), 0);
    EXPECT_EQ(client.DirResult(), "/models");
    EXPECT_TRUE(std::filesystem::is_directory(root.file("models")));
    client.SetHostDirName("models");
    EXPECT_EQ(Run([&] { client.CwdAsync(); }), 0);
    EXPECT_EQ(Run([&] { client.CDupAsync(); }), 0);
    EXPECT_EQ(Run([&] { client.TypeBinaryAsync(); }), 0);
    client.SetHostFileName("status.ini");
    EXPECT_EQ(Run([&] { client.SizeAsync(); }), 0);
    EXPECT_EQ(client.SizeResult(), 23);
    client.SetLocalFileName("status.old");
    EXPECT_EQ(Run([&] { client.RenAsync(); }), 0);
    EXPECT_TRUE(std::filesystem::exists(root.file("status.old")));
    client.SetHostFileName("status.old");
    EXPECT_EQ(Run([&] { client.DeleAsync(); }), 0);
    EXPECT_FALSE(std::filesystem::exists(root.file("status.old")));
    client.SetHostFileName("models");
    EXPECT_EQ(Run([&] { client.RmdAsync(); }), 0);
    EXPECT_EQ(Run([&] { client.SystAsync(); }), 0);
    EXPECT_EQ(client.LastResponse().substr(0, 4), "215 ");
    client.SetHostFileName("missing.ini");
    EXPECT_EQ(Run([&] { client.DeleAsync(); }), 550);
    EXPECT_EQ(client.ErrorMessage().substr(0, 4), "550 ");
    EXPECT_EQ(Run([&] { client.QuitAsync(); }), 0);
    EXPECT_FALSE(client.Connected());
}

TEST_F(FtpCommandsPeer, HighLevelRequestsLogInDoTheirStepAndQuit) {
    root.write("output/cube.mdc", std::string(1000, 'c'));
    client.SetHostDirName("output");
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName("cube1.mdc");
    EXPECT_EQ(Run([&] { client.RenameAsync(); }), 0) << client.ErrorMessage();
    EXPECT_FALSE(client.Connected());
    EXPECT_TRUE(std::filesystem::exists(root.file("output/cube1.mdc")));
    client.SetHostFileName("cube1.mdc");
    EXPECT_EQ(Run([&] { client.DeleteAsync(); }), 0) << client.ErrorMessage();
    EXPECT_FALSE(std::filesystem::exists(root.file("output/cube1.mdc")));
    client.SetHostDirName("missing");
    EXPECT_EQ(Run([&] { client.MkdirAsync(); }), 550);
    EXPECT_FALSE(client.Connected());
    client.SetHostDirName("");
    client.SetHostFileName("made");
    EXPECT_EQ(Run([&] { client.MkdirAsync(); }), 0);
    EXPECT_TRUE(std::filesystem::is_directory(root.file("made")));
    // The server tells a size only in binary mode: the request switches to it first.
    client.SetHostDirName("output");
    client.SetHostFileName("cube1.mdc");
    root.write("output/cube1.mdc", std::string(1234, 'c'));
    EXPECT_EQ(Run([&] { client.FileSizeAsync(); }), 0) << client.ErrorMessage();
    EXPECT_EQ(client.SizeResult(), 1234);
    EXPECT_NE(std::find(events.display().begin(), events.display().end(), "> TYPE I"),
              events.display().end());
}

TEST_F(FtpCommandsPeer, AWrongPasswordIsRefused) {
    client.SetPassWord("wrong");
    EXPECT_EQ(Run([&] { client.ConnectAsync(); }), 530);
    EXPECT_EQ(client.ErrorMessage().substr(0, 4), "530 ");
    for (const auto& line : events.display()) {
        EXPECT_EQ(line.find("wrong"), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace vantorell::transport
