// Logging in on the test's cube server (pyftpdlib) found through the maker's page
// (http.server): the account file decides how each dialog's session goes on.
#include <gtest/gtest.h>

#include "tests/support/CubeSessionFolders.h"

namespace vantorell {
namespace {

using test::accountFile;
using test::kCubePassword;
using test::kCubeUser;
using test::PlainCubeSession;

constexpr CubeDialogKind kSend = CubeDialogKind::SendModel;
constexpr CubeDialogKind kRetrieve = CubeDialogKind::RetrieveCube;

class CubeLoginTest : public ::testing::Test {
protected:
    bool startSites(const std::string& statusIni, bool asProxy = false,
                    const std::string& cubeHost = "127.0.0.1") {
        if (!sites.start(statusIni, asProxy, cubeHost)) {
            ADD_FAILURE() << sites.failure;
            return false;
        }
        return true;
    }

    void logIn(PlainCubeSession& session, const std::string& password = kCubePassword) {
        session.pauseUnit = std::chrono::milliseconds(0);
        session.FormCreate();
        session.FormShow();
        session.edtUserIDChange(kCubeUser);
        session.metPasswordChange(password);
        session.btnIdentificationClick();
    }

    CubeSessionContext context() {
        return folders.context(sites.maker.lookupUrl(), sites.cube.port());
    }

    test::CubeSites sites;
    test::CubeSessionFolders folders;
};

TEST_F(CubeLoginTest, SendModelLogsInMarksTheServerBusyAndIsThenRefused) {
    ASSERT_TRUE(startSites(accountFile("Enabled", 3)));
    PlainCubeSession send(kSend, context());
    logIn(send);
    EXPECT_EQ(send.intStage, kStageAcceptance);
    EXPECT_EQ(send.lblProgress[1], "Authenticated.");
    EXPECT_EQ(send.imgStage[1].tag, 21);
    EXPECT_EQ(send.lblProgress[2], "You are allowed to generate up to 3 cubes.");
    EXPECT_TRUE(send.stage2Controls);
    EXPECT_TRUE(send.availabilityRuns.empty());
    EXPECT_FALSE(send.ftpClient.Connected());
    EXPECT_NE(sites.cube.statusIni(kCubeUser).find("ServerStatus=busy"), std::string::npos);
    EXPECT_FALSE(folders.program.read("status.ini").size() > 0);  // the copy is gone

    const std::string port = sites.cube.portText();
    EXPECT_EQ(folders.log("SendModel.log"),
              "! Started...\r\n! - Looking for Server...\r\n \r\n! Authenticating...\r\n"
              "! - Host: 127.0.0.1\r\n! - Port: " +
                  port +
                  "\r\n! - User: analyst\r\n"
                  "! - Passive?: 1\r\n \r\n! - Connecting... \r\n"
                  "! - Connected... Authenticating...\r\n! - Retrieving authentication file\r\n"
                  "! - Updating authentication file\r\n! - Authenticated.\r\n"
                  "! - You are allowed to generate up to 3 cubes.\r\n");

    PlainCubeSession again(kSend, context());
    logIn(again);
    EXPECT_EQ(again.intStage, kStageIdentification);
    EXPECT_EQ(again.lblProgress[1], "Server busy, please try again later.");
    EXPECT_EQ(again.imgStage[1].tag, 31);
    EXPECT_TRUE(again.btnClose.enabled);
    EXPECT_EQ(again.metPassword.text, kCubePassword);  // the fields are kept
}

TEST_F(CubeLoginTest, TheAccountFileDecides) {
    struct Case {
        std::string statusIni;
        const char* sendText;  // nullptr: Send Model goes on to acceptance
        bool retrieveLogsIn;
    };
    const Case cases[] = {
        {accountFile("disabled", 5), "Account expired, contact sales.", false},
        {accountFile("ENABLED", 0, "busy"), "No more cubes available, if desired, purchase more.",
         true},
        {accountFile("enabled", 2, "Busy"), "Server busy, please try again later.", true},
        // A count below 0 leaves no cube either.
        {accountFile("enabled", -5), "No more cubes available, if desired, purchase more.", true},
        {accountFile("enabled", 1), nullptr, true},
    };
    ASSERT_TRUE(startSites(cases[0].statusIni));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statusIni);
        sites.cube.setStatusIni(kCubeUser, c.statusIni);
        PlainCubeSession send(kSend, context());
        logIn(send);
        if (c.sendText == nullptr) {
            EXPECT_EQ(send.intStage, kStageAcceptance);
        } else {
            EXPECT_EQ(send.intStage, kStageIdentification);
            EXPECT_EQ(send.lblProgress[1], c.sendText);
        }

        sites.cube.setStatusIni(kCubeUser, c.statusIni);
        PlainCubeSession retrieve(kRetrieve, context());
        logIn(retrieve);
        if (c.retrieveLogsIn) {
            // The server is looked up again, and the cubes are listed at the first host.
            EXPECT_EQ(retrieve.intStage, kStageAcceptance);
            EXPECT_EQ(retrieve.lblProgress[1], "Authenticated.");
            EXPECT_EQ(retrieve.lblProgress[2], "Retrieving available cubes...");
            EXPECT_EQ(retrieve.imgStage[1].tag, 21);
            EXPECT_FALSE(retrieve.btnClose.enabled);
            EXPECT_EQ(retrieve.strServerHost, "127.0.0.1");
            EXPECT_EQ(retrieve.availabilityRuns,
                      std::vector<std::string>{"127.0.0.1:" + sites.cube.portText()});
        } else {
            EXPECT_EQ(retrieve.intStage, kStageIdentification);
            EXPECT_EQ(retrieve.lblProgress[1], "Account expired, contact sales.");
            EXPECT_TRUE(retrieve.availabilityRuns.empty());
        }
        // Retrieve Cube never marks the server.
        EXPECT_EQ(sites.cube.statusIni(kCubeUser), c.statusIni);
    }
}

TEST_F(CubeLoginTest, ARefusedLoginOrAMissingAccountFileFailsTheAuthentication) {
    ASSERT_TRUE(startSites(accountFile("enabled", 1)));
    PlainCubeSession wrong(kSend, context());
    logIn(wrong, "not it");
    EXPECT_EQ(wrong.intStage, kStageIdentification);
    EXPECT_EQ(wrong.lblProgress[1].rfind("Authentication failed: 530", 0), 0u)
        << wrong.lblProgress[1];
    EXPECT_EQ(wrong.imgStage[1].tag, 31);
    EXPECT_EQ(folders.log("SendModel.log").find("not it"), std::string::npos);

    std::remove(sites.cube.home(kCubeUser).append("status.ini").c_str());
    PlainCubeSession missing(kRetrieve, context());
    logIn(missing);
    EXPECT_EQ(missing.intStage, kStageIdentification);
    EXPECT_EQ(missing.lblProgress[1].rfind("Authentication failed: authentication file, 550", 0),
              0u)
        << missing.lblProgress[1];
    EXPECT_FALSE(missing.ftpClient.Connected());
    EXPECT_EQ(folders.log("RetrieveCube.log").find(kCubePassword), std::string::npos);
}

TEST_F(CubeLoginTest, WithProxyInformationTheClientGoesThroughTheFtpProxy) {
    // The test's server stands in for the FTP proxy; the page names a host nobody resolves.
    ASSERT_TRUE(startSites(accountFile("enabled", 1), true, "cubes.example"));
    folders.transfer.flgUseProxyInfo = true;
    folders.transfer.strFTPProxyAddress = "127.0.0.1";
    folders.transfer.intFTPProxyPort = sites.cube.port();
    PlainCubeSession send(kSend, folders.context(sites.maker.lookupUrl(), 22));
    logIn(send);
    EXPECT_EQ(send.intStage, kStageAcceptance) << send.lblProgress[1];
    EXPECT_EQ(sites.cube.usersSeen(), "analyst@cubes.example:22\n");
    EXPECT_NE(folders.log("SendModel.log")
                  .find("! - Host: 127.0.0.1\r\n! - Port: " + sites.cube.portText() +
                        "\r\n! - User: analyst@cubes.example:22\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace vantorell
