// The FTP client's control connection against a scripted server on 127.0.0.1: opening,
// sending commands, judging replies, misuse and failures.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/FtpRecorder.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/WinsockFaults.h"
#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::transport {
namespace {

using test::FtpRecorder;

// The message of the FtpException the call raises; "(nothing raised)" when none.
std::string Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const FtpException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

class FtpControl : public ::testing::Test {
protected:
    void SetUp() override { test::aimAt(client, server.portText()); }
    void Open(const std::string& banner = "220 ready\r\n") {
        client.OpenAsync();
        ASSERT_TRUE(server.accept(banner));
        ASSERT_EQ(events.waitDone(), FtpRecorder::text(ftpOpenAsync, 0));
    }
    bool Shown(const std::string& line) const {
        const auto& d = events.display();
        return std::find(d.begin(), d.end(), line) != d.end();
    }

    test::FtpScriptPeer server;
    TCustomFtpCli client;
    FtpRecorder events{client};
};

TEST_F(FtpControl, OpenReadsAMultiLineBannerAndReportsAfterTheCall) {
    client.OpenAsync();
    EXPECT_TRUE(events.done().empty());  // never from inside the call
    EXPECT_EQ(client.State(), ftpWaitingBanner);
    ASSERT_TRUE(server.accept("220-Welcome\r\n to the server\r\n220 ready\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpOpenAsync, 0));
    EXPECT_EQ(events.display(),
              (std::vector<std::string>{"< 220-Welcome", "<  to the server", "< 220 ready"}));
    EXPECT_EQ(client.State(), ftpReady);
    EXPECT_TRUE(client.Connected());
    EXPECT_EQ(client.DnsResult(), "127.0.0.1");
    EXPECT_EQ(Raised([&] { client.OpenAsync(); }), "FTP component already connected");
}

TEST_F(FtpControl, ABannerOtherThan220ClosesTheConnection) {
    client.OpenAsync();
    ASSERT_TRUE(server.accept("421 too many users\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpOpenAsync, 421));
    EXPECT_EQ(client.ErrorMessage(), "421 too many users");
    EXPECT_EQ(client.RequestResult(), 421);
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.State(), ftpReady);
}

TEST_F(FtpControl, ConnectLogsInAndNeverShowsThePassword) {
    client.ConnectAsync();
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(server.answer("USER analyst", "331 password please\r\n"));
    ASSERT_TRUE(server.answer("PASS s3cret", "230 logged in\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpConnectAsync, 0));
    EXPECT_TRUE(Shown("> PASS ********"));
    for (const auto& line : events.display()) {
        EXPECT_EQ(line.find("s3cret"), std::string::npos) << line;
    }
    EXPECT_EQ(client.LastResponse(), "230 logged in");
}

TEST_F(FtpControl, A230ToUserNeedsNoPassword) {
    client.ConnectAsync();
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(server.answer("USER analyst", "230 no password needed\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpConnectAsync, 0));
    EXPECT_EQ(server.unread(), "");
}

TEST_F(FtpControl, RepliesInOneReceiveAreJudgedOneAfterTheOther) {
    // The USER reply is there before USER is sent: it is judged once USER has gone.
    client.ConnectAsync();
    ASSERT_TRUE(server.accept("220 ready\r\n331 go on\r\n"));
    std::string line;
    ASSERT_TRUE(server.command(line));
    EXPECT_EQ(line, "USER analyst");
    ASSERT_TRUE(server.answer("PASS s3cret", "230 in\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpConnectAsync, 0));
}

TEST_F(FtpControl, AMultiLineReplyIsShownLineByLineAndJudgedOnItsLastLine) {
    Open();
    client.PwdAsync();
    ASSERT_TRUE(server.answer("PWD", "257-first\r\n250-other code\r\n and text\r\n257 \"/in\"\""));
    // The last line has not ended yet.
    EXPECT_EQ(events.waitDone(std::chrono::milliseconds(100)), "");
    ASSERT_TRUE(server.send("out\" is current\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpPwdAsync, 0));
    EXPECT_EQ(client.DirResult(), "/in\"out");
    const std::vector<std::string> tail(events.display().end() - 5, events.display().end());
    EXPECT_EQ(tail, (std::vector<std::string>{"> PWD", "< 257-first", "< 250-other code",
                                              "<  and text", "< 257 \"/in\"\"out\" is current"}));
}

TEST_F(FtpControl, AMultiLineReplyEndsOnlyAtALineWithItsFirstLinesCode) {
    // Lines between may begin with numbers of their own, a banner's too.
    client.OpenAsync();
    ASSERT_TRUE(server.accept("220-start\r\n230 not my end\r\n220-still\r\n220 ready\r\n"));
    ASSERT_EQ(events.waitDone(), FtpRecorder::text(ftpOpenAsync, 0));
    EXPECT_EQ(client.LastResponse(), "220 ready");
    client.PwdAsync();
    ASSERT_TRUE(server.answer("PWD", "257-first\r\n250 not the end\r\n257 \"/in\" is current\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpPwdAsync, 0));
    EXPECT_EQ(client.DirResult(), "/in");
    // A refusal inside a reply that ends well is no refusal.
    client.SetHostDirName("/out");
    client.CwdAsync();
    ASSERT_TRUE(server.answer("CWD /out", "250-moving\r\n550 not this one\r\n250 done\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpCwdAsync, 0));
    EXPECT_EQ(client.ErrorMessage(), "");
}

TEST_F(FtpControl, EachCommandAcceptsItsOwnCodes) {
    Open();
    struct Case {
        std::function<void()> start;
        TFtpRequest request;
        std::string command;
        std::string reply;
        int error;
    };
    const std::vector<Case> cases{
        {[&] {
             client.SetHostDirName("/in");
             client.CwdAsync();
         },
         ftpCwdAsync, "CWD /in", "250 ok", 0},
        {[&] { client.CwdAsync(); }, ftpCwdAsync, "CWD /in", "200 ok", 0},
        {[&] { client.CwdAsync(); }, ftpCwdAsync, "CWD /in", "550 no such folder", 550},
        {[&] { client.CwdAsync(); }, ftpCwdAsync, "CWD /in", "331 odd", 331},
        {[&] {
             client.SetHostFileName("a.mdc");
             client.SizeAsync();
         },
         ftpSizeAsync, "SIZE a.mdc", "213 5368709120", 0},
        {[&] { client.MkdAsync(); }, ftpMkdAsync, "MKD a.mdc", "257 \"/a.mdc\" created", 0},
        {[&] { client.RmdAsync(); }, ftpRmdAsync, "RMD a.mdc", "250 gone", 0},
        {[&] { client.DeleAsync(); }, ftpDeleAsync, "DELE a.mdc", "550 denied", 550},
        {[&] { client.RenFromAsync(); }, ftpRenFromAsync, "RNFR a.mdc", "350 go on", 0},
        {[&] {
             client.SetLocalFileName("b.mdc");
             client.RenToAsync();
         },
         ftpRenToAsync, "RNTO b.mdc", "250 renamed", 0},
        {[&] { client.SystAsync(); }, ftpSystAsync, "SYST", "215 UNIX Type: L8", 0},
        {[&] { client.TypeAsciiAsync(); }, ftpTypeSetAsync, "TYPE A", "200 ascii", 0},
        {[&] { client.TypeBinaryAsync(); }, ftpTypeSetAsync, "TYPE I", "504 no", 504},
        {[&] {
             client.SetLocalFileName("NOOP");
             client.QuoteAsync();
         },
         ftpQuoteAsync, "NOOP", "499 anything below 500", 0},
        {[&] { client.QuoteAsync(); }, ftpQuoteAsync, "NOOP", "502 not implemented", 502},
        {[&] { client.AbortXferAsync(); }, ftpAbortXferAsync, "ABOR", "225 nothing", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + " / " + c.reply);
        c.start();
        ASSERT_TRUE(server.answer(c.command, c.reply + "\r\n"));
        ASSERT_EQ(events.waitDone(), FtpRecorder::text(c.request, c.error));
        EXPECT_EQ(client.StatusCode(), std::stoi(c.reply.substr(0, 3)));
        EXPECT_EQ(client.ErrorMessage(), c.error == 0 ? "" : c.reply);
    }
    EXPECT_TRUE(client.Binary());  // set even though TYPE I was refused
    client.SizeAsync();
    ASSERT_TRUE(server.answer("SIZE a.mdc", "213 4096\r\n"));
    ASSERT_EQ(events.waitDone(), FtpRecorder::text(ftpSizeAsync, 0));
    EXPECT_EQ(client.SizeResult(), 4096);
}

TEST_F(FtpControl, WithoutAcceptLFOnlyCarriageReturnLineFeedEndsAReply) {
    client.SetOptions({});
    Open();
    client.PwdAsync();
    ASSERT_TRUE(server.answer("PWD", "257 \"/\"\n"));
    EXPECT_EQ(events.waitDone(std::chrono::milliseconds(100)), "");
    ASSERT_TRUE(server.send("\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpPwdAsync, 0));
}

TEST_F(FtpControl, MisuseIsRefusedBeforeAnythingIsSent) {
    EXPECT_EQ(Raised([&] { client.PwdAsync(); }), "FTP component not connected");
    Open();
    EXPECT_EQ(Raised([&] { client.CwdAsync(); }), "HostDirName emtpy");
    client.SetUserName("");
    EXPECT_EQ(Raised([&] { client.UserAsync(); }), "UserName emtpy");
    client.SetPassWord("");
    EXPECT_EQ(Raised([&] { client.PassAsync(); }), "Password emtpy");
    client.SetHostFileName("a");
    client.SizeAsync();
    EXPECT_EQ(Raised([&] { client.PwdAsync(); }), "FTP component not ready");
    std::string reported;
    client.OnError = [&](TObject*, std::string& msg) { reported = msg; };
    client.SystAsync();
    EXPECT_EQ(reported, "FTP component not ready");
    ASSERT_TRUE(server.answer("SIZE a", "213 7\r\n"));
    // The refused requests left the running one as it was.
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpSizeAsync, 0));
    EXPECT_EQ(client.SizeResult(), 7);
    EXPECT_EQ(server.unread(), "");
}

TEST_F(FtpControl, ACommandThatWouldCarryALineBreakIsNeverSent) {
    Open();
    for (const std::string& folder :
         std::vector<std::string>{"in\r\nDELE status.ini", "in\nx", std::string("in\0x", 4)}) {
        client.SetHostDirName(folder);
        client.CwdAsync();
        EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpCwdAsync, 500));
        EXPECT_EQ(client.ErrorMessage(),
                  "500 Command refused: it holds a line break or NUL character");
        EXPECT_EQ(client.State(), ftpReady);
    }
    EXPECT_EQ(server.unread(), "");
    // The same through the command hook.
    client.OnCommand = [](TObject*, std::string& cmd) { cmd += "\r\nDELE x"; };
    client.PwdAsync();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpPwdAsync, 500));
    EXPECT_EQ(server.unread(), "");
}

TEST_F(FtpControl, AFailingStepStillQuitsAndTheRequestEndsWithItsCode) {
    client.SetHostDirName("/nope");
    client.SetHostFileName("status.ini");
    client.DeleteAsync();
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(server.answer("USER analyst", "331 pass\r\n"));
    ASSERT_TRUE(server.answer("PASS s3cret", "230 in\r\n"));
    ASSERT_TRUE(server.answer("CWD /nope", "550 no such folder\r\n"));
    ASSERT_TRUE(server.answer("QUIT", "221 bye\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpDeleteAsync, 550));
    EXPECT_EQ(client.RequestResult(), 550);
    EXPECT_EQ(client.ErrorMessage(), "550 no such folder");
    EXPECT_EQ(client.LastResponse(), "550 no such folder");
    EXPECT_EQ(client.StatusCode(), 550);
    EXPECT_FALSE(client.Connected());
}

TEST_F(FtpControl, ALaterStepThatCannotStartEndsTheSequenceAsFailed) {
    client.SetPassWord("");
    client.ConnectAsync();
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(server.answer("USER analyst", "331 pass\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpConnectAsync, 500));
    EXPECT_EQ(client.ErrorMessage(), "500 Password emtpy");
    EXPECT_EQ(client.State(), ftpReady);
}

TEST_F(FtpControl, QuitEndsWhenTheConnectionHasClosed) {
    Open();
    client.QuitAsync();
    ASSERT_TRUE(server.answer("QUIT", "221 bye\r\n"));
    server.close();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpQuitAsync, 0));
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.State(), ftpReady);
}

TEST_F(FtpControl, AConnectionDroppedWhileACommandWaitsIsAFailure) {
    Open();
    client.SetHostDirName("/in");
    client.CwdAsync();
    std::string line;
    ASSERT_TRUE(server.command(line));
    server.close();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpCwdAsync, 500));
    EXPECT_EQ(client.ErrorMessage().rfind("500 Control connection closed.", 0), 0u)
        << client.ErrorMessage();
    EXPECT_FALSE(client.Connected());
}

TEST_F(FtpControl, LookupAndConnectionFailuresCarryTheSocketError) {
    test::ApiOverride faults;
    test::failHostLookups(faults);
    client.SetHostName("ftp.example.invalid");
    client.ConnectAsync();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpConnectAsync, 11001));
    EXPECT_EQ(client.RequestResult(), 500);
    EXPECT_EQ(client.ErrorMessage().substr(0, 4), "500 ");
    EXPECT_NE(client.ErrorMessage().find("(Winsock error #11001)"), std::string::npos);

    client.SetHostName("127.0.0.1");
    client.SetPort(std::to_string(test::freeLoopbackPort()));
    client.OpenAsync();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpOpenAsync, 10061));
    EXPECT_NE(client.ErrorMessage().find("(Winsock error #10061)"), std::string::npos);
    EXPECT_EQ(client.State(), ftpReady);

    client.SetHostName("");
    client.OpenAsync();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpOpenAsync, 500));
    EXPECT_EQ(client.State(), ftpReady);
}

TEST_F(FtpControl, AnAbortEndsTheRunningRequestAsFailed) {
    Open();
    client.SetHostDirName("/in");
    client.CwdAsync();
    std::string line;
    ASSERT_TRUE(server.command(line));
    client.AbortAsync();
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpCwdAsync, 426));
    EXPECT_EQ(client.ErrorMessage(), "426 Operation aborted.");
    EXPECT_EQ(client.State(), ftpReady);
    EXPECT_FALSE(client.Connected());
    client.AbortAsync();  // idle: nothing to report
    EXPECT_EQ(events.waitDone(std::chrono::milliseconds(100)), "");
}

TEST_F(FtpControl, AnExceptionInAHandlerAbortsTheRequest) {
    Open();
    std::string caught;
    client.OnBgException = [&](TObject*, const std::exception& e, bool&) { caught = e.what(); };
    client.OnResponse = [](TObject*) { throw std::runtime_error("handler failed"); };
    client.PwdAsync();
    ASSERT_TRUE(server.answer("PWD", "257 \"/\"\r\n"));
    EXPECT_EQ(events.waitDone(), FtpRecorder::text(ftpPwdAsync, 426));
    EXPECT_EQ(caught, "handler failed");
    EXPECT_EQ(client.ErrorMessage(), "426 Exception: handler failed");
    EXPECT_FALSE(client.Connected());
}

}  // namespace
}  // namespace vantorell::transport
