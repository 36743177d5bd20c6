// The cube server session's routines: token replacement, the lookup page, the FTP client's
// set-up, the pause before a connection and the account file.
#include <gtest/gtest.h>

#include <chrono>

#include "designer/rtnCubeServer/AccountFile.h"
#include "designer/rtnCubeServer/FtpSessionSetup.h"
#include "designer/rtnCubeServer/ServerLookup.h"
#include "designer/rtnCubeServer/ServerTokens.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/ScriptedHttpPeer.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

struct TokenCase {
    const char* text;
    const char* userId;
    const char* fileName;
    const char* password;
    const char* expected;
};

TEST(ServerTokensTest, ReplacesUserPasswordAndFileNameInThatOrder) {
    const TokenCase cases[] = {
        {"output", "joe", "", "pw", "output"},
        {"${userid}/${filename}.${userid}", "joe", "m.vtm", "pw", "joe/m.vtm.joe"},
        // The user ID as typed keeps working when it is the token itself.
        {"${userid}", "${userid}", "", "pw", "${userid}"},
        // A replacement holding its token does not loop.
        {"a${password}b${password}", "joe", "", "x${password}", "ax${password}bx${password}"},
        // The password goes in after the user ID, so a token in the user ID is replaced too.
        {"${userid}", "${password}", "", "pw", "pw"},
        // The file name comes last: a token in it stays.
        {"${filename}", "joe", "${userid}.vtm", "pw", "${userid}.vtm"},
        {"${USERID}", "joe", "", "pw", "${USERID}"},
    };
    for (const TokenCase& c : cases) {
        EXPECT_EQ(strReplaceTokens(c.text, c.userId, c.fileName, c.password), c.expected) << c.text;
    }
    EXPECT_EQ(strReplaceString("aaa", "", "b"), "aaa");
}

TEST(ServerLookupTest, TakesTheTextBetweenTheMarkers) {
    const std::pair<const char*, const char*> cases[] = {
        {"<p>Server: [FTP] cubes.example.lan [/FTP] here</p>", " cubes.example.lan "},
        {"[FTP]ab[/FTP]", "ab"},
        {"[FTP]a[/FTP]", ""},  // a single character is not a host
        {"[FTP][/FTP]", ""},
        {"only [/FTP] here", ""},
        {"[FTP]no end", ""},
        {"[/FTP] before [FTP]host", ""},
        {"[FTP]first[/FTP][FTP]second[/FTP]", "first"},
        {"", ""},
    };
    for (const auto& [body, host] : cases) {
        EXPECT_EQ(strFtpHostFromLookupPage(body), host) << body;
    }
}

TEST(ServerLookupTest, FetchesThePageDirectlyOrThroughTheHttpProxyWhateverProxyUseSays) {
    const std::string page = "<html>[FTP]cubes.lan[/FTP]</html>";
    {
        test::ScriptedHttpPeer site({test::httpAnswer("HTTP/1.0 200 OK", {}, page)});
        TransferSettings direct;
        EXPECT_EQ(
            strFTPServerUrlGet(direct, "http://127.0.0.1:" + site.portText() + "/vantorellftp.htm"),
            "cubes.lan");
        ASSERT_EQ(site.requests().size(), 1u);
        EXPECT_EQ(test::requestLines(site.requests()[0])[0], "GET /vantorellftp.htm HTTP/1.0");
    }
    {
        test::ScriptedHttpPeer proxy({test::httpAnswer("HTTP/1.0 200 OK", {}, page)});
        TransferSettings viaProxy;
        viaProxy.flgUseProxyInfo = false;
        viaProxy.strHTTPProxyAddress = "127.0.0.1";
        viaProxy.intHTTPProxyPort = proxy.port();
        EXPECT_EQ(strFTPServerUrlGet(viaProxy, "http://maker.example/vantorellftp.htm"),
                  "cubes.lan");
        ASSERT_EQ(proxy.requests().size(), 1u);
        EXPECT_EQ(test::requestLines(proxy.requests()[0])[0],
                  "GET http://maker.example/vantorellftp.htm HTTP/1.0");
    }
}

TEST(ServerLookupTest, EveryFailureGivesNoHost) {
    TransferSettings direct;
    {
        test::ScriptedHttpPeer site(
            {test::httpAnswer("HTTP/1.0 404 Not Found", {}, "[FTP]h1[/FTP]")});
        EXPECT_EQ(strFTPServerUrlGet(direct, "http://127.0.0.1:" + site.portText() + "/x.htm"), "");
    }
    {
        test::ScriptedHttpPeer site({test::httpAnswer("HTTP/1.0 200 OK", {}, "no markers")});
        EXPECT_EQ(strFTPServerUrlGet(direct, "http://127.0.0.1:" + site.portText() + "/x.htm"), "");
    }
    const std::string nobody =
        "http://127.0.0.1:" + std::to_string(test::freeLoopbackPort()) + "/vantorellftp.htm";
    EXPECT_EQ(strFTPServerUrlGet(direct, nobody), "");
    EXPECT_EQ(strFTPServerUrlGet(direct, "not an address"), "");
}

// A hostile lookup page: one that never ends, and one that trickles forever. Each lookup
// ends with no host, the first at the page's size limit, the second at the deadline; the
// endless page is read no further than the socket buffers hold.
TEST(ServerLookupTest, APageThatNeverEndsOrNeverFinishesEndsTheLookupInTime) {
    using namespace std::chrono;
    const std::string header = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";
    struct Case {
        const char* what;
        test::ScriptedAnswer answer;
        milliseconds deadline;
        milliseconds atLeast;
        milliseconds atMost;
    } cases[] = {
        {"endless",
         test::ScriptedAnswer(header + "[FTP]cubes.lan[/FTP]", test::ScriptedAnswer::End::Repeat)
             .then(std::string(16384, 'x'), milliseconds(0)),
         milliseconds(20000), milliseconds(0), milliseconds(5000)},
        {"trickling",
         test::ScriptedAnswer(header + "[FTP]cubes.lan[/FTP]", test::ScriptedAnswer::End::Repeat)
             .then("x", milliseconds(50)),
         milliseconds(1500), milliseconds(1500), milliseconds(6000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScriptedHttpPeer site({c.answer});
        const auto start = steady_clock::now();
        EXPECT_EQ(strFTPServerUrlGet(TransferSettings{},
                                     "http://127.0.0.1:" + site.portText() + "/vantorellftp.htm",
                                     c.deadline),
                  "");
        const auto took = duration_cast<milliseconds>(steady_clock::now() - start);
        EXPECT_GE(took, c.atLeast);
        EXPECT_LT(took, c.atMost);
        EXPECT_TRUE(site.waitFinished(1, milliseconds(10000)));  // the client closed
        EXPECT_LT(site.sent(), std::size_t{16} << 20);
    }
}

TEST(FtpSessionSetupTest, AimsAtTheServerOrAtTheProxyWithTheServerInTheUserName) {
    transport::TFtpClient client;
    nulFtpClientPrepare(client);
    EXPECT_EQ(client.Timeout(), 15);
    EXPECT_TRUE(client.Binary());
    EXPECT_EQ(client.Options(), transport::TFtpOptions{transport::ftpAcceptLF});
    EXPECT_EQ(client.ConnectionType(), transport::ftpDirect);
    EXPECT_EQ(client.LocalAddr(), "0.0.0.0");

    TransferSettings transfer;
    transfer.strFTPProxyAddress = "proxy.lan";
    transfer.intFTPProxyPort = 2121;
    transfer.flgUsePassiveTransfer = false;
    nulFtpClientConfigure(client, transfer, "cubes.lan", "pw", "joe", 22,
                          std::chrono::milliseconds(0));
    EXPECT_EQ(client.HostName(), "cubes.lan");
    EXPECT_EQ(client.Port(), "22");
    EXPECT_EQ(client.UserName(), "joe");
    EXPECT_EQ(client.PassWord(), "pw");
    EXPECT_FALSE(client.Passive());

    transfer.flgUseProxyInfo = true;
    transfer.flgUsePassiveTransfer = true;
    nulFtpClientConfigure(client, transfer, "cubes.lan", "pw", "joe", 22,
                          std::chrono::milliseconds(0));
    EXPECT_EQ(client.HostName(), "proxy.lan");
    EXPECT_EQ(client.Port(), "2121");
    EXPECT_EQ(client.UserName(), "joe@cubes.lan:22");
    EXPECT_TRUE(client.Passive());
    EXPECT_EQ(strFtpClientSettingsLines(client),
              (std::vector<std::string>{"! - Host: proxy.lan", "! - Port: 2121",
                                        "! - User: joe@cubes.lan:22", "! - Passive?: 1"}));

    // A user name that took the password in through its token never shows it.
    nulFtpClientConfigure(client, transfer, "cubes.lan", "pw9", "joe-pw9", 22,
                          std::chrono::milliseconds(0));
    EXPECT_EQ(strFtpClientSettingsLines(client)[2], "! - User: joe-********@cubes.lan:22");
}

TEST(FtpSessionSetupTest, ThePauseLastsItsUnitsAndLetsNoEventRun) {
    using std::chrono::milliseconds;
    const auto start = std::chrono::steady_clock::now();
    nulPause(2, milliseconds(40));
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(80));
    EXPECT_EQ(kPauseUnit, milliseconds(1440));  // 1/60000 of a day
}

TEST(AccountFileTest, ReadsTheStatusesLowerCasedAndMarksTheServerBusy) {
    test::TempFolder folder;
    const std::string file = folder.write(
        "status.ini", "; kept\r\n[User]\r\nAccountStatus=EnAbled\r\nCubesAvailable=3\r\n");
    AccountFileValues values = accountFileRead(file);
    EXPECT_EQ(values.strAccountStatus, "enabled");
    EXPECT_EQ(values.intCubesAvailable, 3);
    EXPECT_EQ(values.strServerStatus, "");

    nulAccountFileMarkBusy(file);
    values = accountFileRead(file);
    EXPECT_EQ(values.strServerStatus, "busy");
    EXPECT_EQ(values.intCubesAvailable, 3);
    EXPECT_EQ(folder.read("status.ini"),
              "; kept\r\n[User]\r\nAccountStatus=EnAbled\r\nCubesAvailable=3\r\n"
              "[Server]\r\nServerStatus=busy\r\n");

    EXPECT_EQ(accountFileRead(folder.write("empty.ini", "")).intCubesAvailable, 0);
}

}  // namespace
}  // namespace vantorell
