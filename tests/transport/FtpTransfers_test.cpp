// The FTP client's data side against a scripted server on 127.0.0.1: the order of the
// final reply and the data connection's close, listings shown line by line, local files,
// cancelled and aborted transfers, connection types and proxies.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/FtpRecorder.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/TempFolder.h"
#include "transport/FtpCli/CustomFtpCli.h"
#include "transport/FtpCli/FtpServerNames.h"

namespace vantorell::transport {
namespace {

using namespace std::chrono_literals;
using test::FtpRecorder;

class FtpData : public ::testing::Test {
protected:
    void SetUp() override {
        test::aimAt(client, server.portText());
        client.OpenAsync();
        ASSERT_TRUE(server.accept());
        ASSERT_EQ(events.waitDone(), FtpRecorder::text(ftpOpenAsync, 0));
    }
    // The client's PORT or PASV, answered; the data connection is up (active) or
    // listening (passive).
    void Announce() {
        std::string line;
        ASSERT_TRUE(server.command(line));
        if (client.Passive()) {
            ASSERT_EQ(line, "PASV");
            ASSERT_TRUE(server.send(server.passiveReply()));
        } else {
            ASSERT_TRUE(server.dataConnect(line)) << line;
            ASSERT_TRUE(server.send("200 PORT ok\r\n"));
        }
    }
    void NoFurtherEnd() { EXPECT_EQ(events.waitDone(100ms), ""); }

    test::FtpScriptPeer server;
    test::TempFolder local;
    TCustomFtpCli client;
    FtpRecorder events{client};
};

TEST_F(FtpData, ADownloadEndsOnceWhicheverComesFirstReplyOrClose) {
    for (const bool replyFirst : {true, false}) {
        SCOPED_TRACE(replyFirst ? "226 first" : "close first");
        client.SetHostFileName("cube.mdc");
        client.SetLocalFileName(local.file("cube.mdc"));
        client.GetAsync();
        Announce();
        ASSERT_TRUE(server.answer("RETR cube.mdc", "150 opening\r\n"));
        ASSERT_TRUE(server.dataSend(std::string(10000, 'c')));
        if (replyFirst) {
            ASSERT_TRUE(server.send("226 done\r\n"));
            NoFurtherEnd();
            server.dataClose();
        } else {
            server.dataClose();
            NoFurtherEnd();
            ASSERT_TRUE(server.send("226 done\r\n"));
        }
        EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpGetAsync, 0));
        NoFurtherEnd();
        EXPECT_EQ(local.read("cube.mdc"), std::string(10000, 'c'));
        EXPECT_EQ(client.State(), ftpReady);
        EXPECT_TRUE(client.Connected());
    }
}

TEST_F(FtpData, AListingShownLineByLineKeepsLinesThatChunksCut) {
    client.SetPassive(true);
    client.SetDisplayFileFlag(true);
    client.LsAsync();
    Announce();
    ASSERT_TRUE(server.answer("NLST", "150 here it comes\r\n"));
    ASSERT_TRUE(server.dataAccept());
    ASSERT_TRUE(server.dataSend("a.mdc\r\nb.m"));
    ASSERT_TRUE(test::waitUntil([&] { return events.files().size() == 1; }));
    ASSERT_TRUE(server.dataSend("dc\r\n\r\n\nc.mdc"));
    server.dataClose();
    ASSERT_TRUE(server.send("226 done\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpLsAsync, 0));
    EXPECT_EQ(events.files(), (std::vector<std::string>{"a.mdc", "b.mdc", "c.mdc"}));
    EXPECT_EQ(client.DataCommand(), "NLST");

    // Binary display mode hands over each chunk as it comes.
    client.SetDisplayFileMode(ftpBinary);
    client.DirAsync();
    Announce();
    ASSERT_TRUE(server.answer("LIST", "125 open\r\n"));
    ASSERT_TRUE(server.dataAccept());
    ASSERT_TRUE(server.dataSend("x\r\ny"));
    server.dataClose();
    ASSERT_TRUE(server.send("226 done\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpDirAsync, 0));
    EXPECT_EQ(events.files().back(), "x\r\ny");
}

TEST_F(FtpData, ARefusedOrBrokenDownloadLeavesTheOldFile) {
    local.write("cube.mdc", "old");
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName(local.file("cube.mdc"));
    client.GetAsync();
    Announce();
    ASSERT_TRUE(server.answer("RETR cube.mdc", "550 not there\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpGetAsync, 550));
    EXPECT_EQ(client.ErrorMessage(), "550 not there");

    client.GetAsync();
    Announce();
    ASSERT_TRUE(server.answer("RETR cube.mdc", "150 opening\r\n"));
    ASSERT_TRUE(server.dataSend("half a cu"));
    server.dataClose();
    ASSERT_TRUE(server.send("426 transfer broken\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpGetAsync, 426));
    const auto& d = events.display();
    EXPECT_NE(std::find(d.begin(), d.end(), "! RETR/LIST/NLST Failed"), d.end());
    EXPECT_EQ(local.read("cube.mdc"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(local.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(FtpData, APassiveDownloadWithoutItsDataConnectionAlsoDropsTheControlConnection) {
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName(local.file("cube.mdc"));
    client.SetPassive(true);
    client.GetAsync();
    std::string line;
    ASSERT_TRUE(server.command(line));
    ASSERT_EQ(line, "PASV");
    const int closedPort = test::freeLoopbackPort();
    ASSERT_TRUE(server.send("227 Entering Passive Mode (127,0,0,1," +
                            std::to_string(closedPort / 256) + "," +
                            std::to_string(closedPort % 256) + ").\r\n"));
    ASSERT_TRUE(server.command(line));
    EXPECT_EQ(line, "RETR cube.mdc");
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpGetAsync, 550));
    EXPECT_EQ(client.ErrorMessage(), "Unable to establish data connection, error #10061");
    EXPECT_FALSE(std::filesystem::exists(local.file("cube.mdc")));
    // The reply to RETR is still due; the next command must not take it for its own.
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.State(), ftpReady);
    EXPECT_THROW(client.PwdAsync(), FtpException);
    EXPECT_EQ(server.unread(), "");
}

TEST_F(FtpData, AnAbortFromTheProgressHandlerFailsTheTransfer) {
    local.write("cube.mdc", "old");
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName(local.file("cube.mdc"));
    std::int64_t seen = -1;
    client.OnProgress = [&](TObject*, std::int64_t count, bool& abort) {
        seen = count;
        abort = count > 0;
    };
    client.GetAsync();
    Announce();
    ASSERT_TRUE(server.answer("RETR cube.mdc", "150 opening\r\n"));
    ASSERT_TRUE(server.dataSend(std::string(5000, 'c')));
    ASSERT_TRUE(test::waitUntil([&] { return seen > 0; }));
    ASSERT_TRUE(server.send("226 done anyway\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpGetAsync, 426));
    EXPECT_EQ(client.ErrorMessage(), "426 Abort requested");
    EXPECT_EQ(local.read("cube.mdc"), "old");
}

TEST_F(FtpData, LocalFilesThatCannotBeOpenedFailBeforeTheCommand) {
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName(local.file("no/such/folder/cube.mdc"));
    client.GetAsync();
    Announce();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpGetAsync, 550));
    EXPECT_EQ(client.ErrorMessage(),
              "Unable to open local file " + local.file("no/such/folder/cube.mdc"));

    client.SetLocalFileName(local.file("missing.vtm"));
    client.PutAsync();
    Announce();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpPutAsync, 426));
    EXPECT_EQ(client.ErrorMessage(), "426 Unable to open local file " + local.file("missing.vtm"));
    EXPECT_EQ(server.unread(), "");
}

TEST_F(FtpData, ADownloadIntoAPipeIsRefusedBeforeTheCommand) {
    // A pipe, and one reached through a link. (A device takes the same path; none is used,
    // as a mistake here could replace one of the system's.)
    ASSERT_EQ(::mkfifo(local.file("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("pipe", local.file("link").c_str()), 0);
    for (const char* name : {"pipe", "link"}) {
        for (const bool resume : {false, true}) {
            SCOPED_TRACE(std::string(name) + (resume ? ", resumed" : ""));
            client.SetHostFileName("cube.mdc");
            client.SetLocalFileName(local.file(name));
            if (resume) {
                // Written in place from a position: opening a pipe must not wait either.
                client.SetOptions({ftpAcceptLF, ftpNoAutoResumeAt});
                client.SetResumeAt(10);
                client.RestGetAsync();
                Announce();
                ASSERT_TRUE(server.answer("REST 10", "350 restarting\r\n"));
            } else {
                client.GetAsync();
                Announce();
            }
            EXPECT_EQ(events.waitDone(),
                      FtpRecorder::text(resume ? ftpRestGetAsync : ftpGetAsync, 550));
            EXPECT_EQ(client.ErrorMessage(), "Unable to open local file " + local.file(name));
            EXPECT_EQ(server.unread(), "");  // no RETR
        }
    }
    struct stat st {};
    ASSERT_EQ(::lstat(local.file("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat(local.file("link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(FtpData, AnUploadTheApplicationCancelsIsNotSent) {
    local.write("model.vtm", "model");
    client.SetLocalFileName(local.file("model.vtm"));
    client.SetHostFileName("model.vtm");
    client.OnReadyToTransmit = [](TObject*, bool& cancel) { cancel = true; };
    client.PutAsync();
    Announce();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpPutAsync, 426));
    EXPECT_EQ(client.ErrorMessage(), "426 Transmit cancelled by application");
    EXPECT_EQ(server.unread(), "");
}

TEST_F(FtpData, AnUploadInPassiveModeWaitsForItsConnection) {
    const std::string model(70000, 'm');
    local.write("model.vtm", model);
    client.SetLocalFileName(local.file("model.vtm"));
    client.SetHostFileName("model.vtm");
    client.SetPassive(true);
    client.AppendAsync();
    Announce();
    ASSERT_TRUE(server.dataAccept());
    ASSERT_TRUE(server.answer("APPE model.vtm", "150 go\r\n"));
    std::string got;
    ASSERT_TRUE(server.dataReadToEnd(got));
    EXPECT_EQ(got, model);
    ASSERT_TRUE(server.send("226 stored\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpAppendAsync, 0));
    EXPECT_EQ(client.ByteCount(), 70000);
}

TEST_F(FtpData, ARefusedRestartStillQuits) {
    server.close();
    ASSERT_EQ(events.waitDone(100ms), "");  // idle: the close ends nothing
    test::FtpScriptPeer second;
    client.SetPort(second.portText());
    local.write("cube.mdc", "part");
    client.SetHostFileName("cube.mdc");
    client.SetLocalFileName(local.file("cube.mdc"));
    client.RestartGetAsync();
    ASSERT_TRUE(second.accept());
    ASSERT_TRUE(second.answer("USER analyst", "230 in\r\n"));
    ASSERT_TRUE(second.answer("TYPE I", "200 binary\r\n"));
    std::string line;
    ASSERT_TRUE(second.command(line));
    ASSERT_TRUE(second.dataConnect(line));
    ASSERT_TRUE(second.send("200 ok\r\n"));
    ASSERT_TRUE(second.answer("REST 4", "502 no restarts here\r\n"));
    ASSERT_TRUE(second.answer("QUIT", "221 bye\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpRestartGetAsync, 502));
    EXPECT_EQ(local.read("cube.mdc"), "part");
}

TEST(FtpConnectionTypes, ProxiesAndSocksForcePassiveMode) {
    TCustomFtpCli client;
    client.SetConnectionType(ftpSocks5);
    EXPECT_TRUE(client.Passive());
    client.SetPassive(false);
    EXPECT_TRUE(client.Passive());
    client.SetConnectionType(ftpDirect);
    client.SetPassive(false);
    EXPECT_FALSE(client.Passive());
    client.SetConnectionType(static_cast<TFtpConnectionType>(9));
    EXPECT_EQ(client.ConnectionType(), ftpDirect);
    client.SetShareMode(ftpShareDenyWrite);
    EXPECT_EQ(client.ShareMode(), ftpShareDenyWrite);
    client.SetDisplayFileMode(7);
    EXPECT_EQ(client.DisplayFileMode(), ftpLineByLine);
}

TEST(FtpConnectionTypes, TheProxyLearnsTheServerFromTheUserName) {
    for (const auto& [port, user] : std::vector<std::pair<std::string, std::string>>{
             {"ftp", "USER analyst@ftp.example.test"},
             {"21", "USER analyst@ftp.example.test"},
             {"2121", "USER analyst@ftp.example.test:2121"}}) {
        SCOPED_TRACE(port);
        test::FtpScriptPeer proxy;
        TCustomFtpCli client;
        FtpRecorder events(client);
        client.SetConnectionType(ftpProxy);
        client.SetProxyServer("127.0.0.1");
        client.SetProxyPort(proxy.portText());
        client.SetHostName("ftp.example.test");  // only the proxy is looked up
        client.SetPort(port);
        client.SetUserName("analyst");
        client.SetPassWord("s3cret");
        client.ConnectAsync();
        ASSERT_TRUE(proxy.accept());
        ASSERT_TRUE(proxy.answer(user, "331 pass\r\n"));
        ASSERT_TRUE(proxy.answer("PASS s3cret", "230 in\r\n"));
        EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpConnectAsync, 0));
        std::string failure;
        try {
            client.SetConnectionType(ftpDirect);
        } catch (const FtpException& e) {
            failure = e.what();
        }
        EXPECT_EQ(failure, "FTP component connected");
    }
}

TEST(FtpServerNames, NamesFromAServerStayInTheirFolder) {
    const std::vector<std::pair<std::string, std::string>> cases{{"cube.mdc", "cube.mdc"},
                                                                 {"output/cube.mdc", "cube.mdc"},
                                                                 {"../../etc/passwd", "passwd"},
                                                                 {"..\\..\\x.dll", "x.dll"},
                                                                 {"/abs/cube.mdc", "cube.mdc"},
                                                                 {"..", ""},
                                                                 {".", ""},
                                                                 {"output/", ""},
                                                                 {"bad\rname", ""},
                                                                 {"", ""}};
    for (const auto& [name, base] : cases) {
        EXPECT_EQ(FtpServerBaseName(name), base) << name;
        std::string path;
        EXPECT_EQ(FtpLocalPathFor("/work/Temp/", name, path), !base.empty()) << name;
        EXPECT_EQ(path, base.empty() ? "" : "/work/Temp/" + base);
    }
}

}  // namespace
}  // namespace vantorell::transport
