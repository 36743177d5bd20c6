// Retrieving cubes end to end: the session logs in on the test's cube server, lists the
// cubes in "output", deletes and downloads the chosen ones, and the real engine program
// deciphers them into the chosen folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "designer/frmRetrC/RetrieveCubeSession.h"
#include "platform/FileSystem.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/CubeSessionFolders.h"
#include "tests/support/RealEngine.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::kCubePassword;
using test::kCubeUser;

class RetrieveCubeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sites.start(test::accountFile("enabled", 0, "busy"))) << sites.failure;
        session = std::make_unique<RetrieveCubeSession>(
            folders.context(sites.maker.lookupUrl(), sites.cube.port()));
        session->pauseUnit = std::chrono::milliseconds(0);
        session->FormCreate();
    }

    std::string output(const std::string& name) const {
        return sites.cube.home(kCubeUser) + "output/" + name;
    }

    // A cube as the server leaves it: enciphered by the engine with the account's password.
    std::string cube(const std::string& name, const std::string& bytes) {
        const std::string plain = work.write(name + ".plain", bytes);
        EXPECT_TRUE(test::encipherAsTheEngine(plain, output(name), kCubePassword, ""));
        return bytes;
    }

    void logIn() {
        session->FormShow();
        session->edtUserIDChange(kCubeUser);
        session->metPasswordChange(kCubePassword);
        session->btnIdentificationClick();
    }

    void select(std::initializer_list<bool> flags) { session->lbxSelectionFilesClick(flags); }

    test::CubeSites sites;
    test::CubeSessionFolders folders;
    test::TempFolder work;
    test::TempFolder target;
    test::TestMessages messages;
    std::unique_ptr<RetrieveCubeSession> session;
};

TEST_F(RetrieveCubeTest, ListsTheCubesAndDeciphersTheChosenOnesIntoTheFolder) {
    test::installRealEngine(folders.program.path());
    const std::string north = cube("north.mdc", test::randomBytes(30'000, 1));
    cube("south.mdc", test::randomBytes(1'000, 2));
    const std::string west = cube("west.mdc", test::randomBytes(5'000, 3));
    work.write("notes.txt", "");
    std::filesystem::copy_file(work.file("notes.txt"), output("notes.txt"));

    logIn();
    ASSERT_EQ(session->intStage, kStageSelection) << session->lblProgress[2];
    EXPECT_EQ(session->lbxItems, (std::vector<std::string>{"north.mdc", "south.mdc", "west.mdc"}));
    EXPECT_EQ(session->lblProgress[2], "Availability completed.");
    EXPECT_EQ(session->imgStage[2].tag, 21);
    EXPECT_TRUE(session->lbxSelectionFiles.enabled);
    EXPECT_TRUE(session->btnClose.enabled);
    EXPECT_FALSE(session->btnSelection.enabled);
    EXPECT_FALSE(fileExists(folders.program.file("RemoteFileList.txt")));

    select({true, false, true});
    EXPECT_TRUE(session->btnSelection.enabled);  // the program folder is the default
    // Without its trailing "/", the folder gets one.
    std::string folder = target.path();
    folder.pop_back();
    session->edtSelectionSaveToDirChange(folder);
    session->btnSelectionClick();
    EXPECT_EQ(session->intStage, kStageFinished) << session->lblProgress[4];
    EXPECT_EQ(session->lblProgress[4], "Transfer completed.");
    EXPECT_EQ(session->edtSelectionSaveToDir.text, target.path());
    EXPECT_EQ(target.read("north.mdc"), north);
    EXPECT_EQ(target.read("west.mdc"), west);
    EXPECT_FALSE(fileExists(target.file("south.mdc")));
    EXPECT_TRUE(fileExists(folders.program.file("Temp/north.mdc")));

    session->FormHide();
    EXPECT_EQ(folders.settings->readString("Retrieve Cube Form", "LastSaveToDir", ""),
              target.path());
    EXPECT_EQ(folders.log("RetrieveCube.log").find(kCubePassword), std::string::npos);
}

TEST_F(RetrieveCubeTest, ACubeThatDoesNotDecipherIsSkippedAndTheOthersStillCome) {
    test::installRealEngine(folders.program.path());
    // An enciphered header that breaks off: the engine refuses it.
    work.write("bad.mdc", "L\n120\nT\n");
    std::filesystem::copy_file(work.file("bad.mdc"), output("bad.mdc"));
    const std::string good = cube("good.mdc", test::randomBytes(2'000, 4));
    logIn();
    select({true, true});
    session->edtSelectionSaveToDirChange(target.path());
    session->btnSelectionClick();
    EXPECT_EQ(session->intStage, kStageFinished);
    EXPECT_EQ(session->lblProgress[4], "Transfer completed; not retrieved: bad.mdc.");
    EXPECT_EQ(session->imgStage[4].tag, 31);
    EXPECT_NE(folders.log("RetrieveCube.log").find("! - Preparation Failed, file bad.mdc skipped."),
              std::string::npos);
    EXPECT_EQ(target.read("good.mdc"), good);
    EXPECT_FALSE(fileExists(target.file("bad.mdc")));
}

TEST_F(RetrieveCubeTest, NoCubesEndAtIdentification) {
    logIn();
    EXPECT_EQ(session->intStage, kStageIdentification);
    EXPECT_EQ(session->lblProgress[2], "No cubes found for retrieval.");
    EXPECT_EQ(session->imgStage[2].tag, 31);
    EXPECT_TRUE(session->lbxItems.empty());
    EXPECT_TRUE(session->btnClose.enabled);

    std::filesystem::remove_all(sites.cube.home(kCubeUser) + "output");
    logIn();
    EXPECT_EQ(session->lblProgress[2].rfind("Availability failed, 550", 0), 0u)
        << session->lblProgress[2];
    EXPECT_EQ(session->intStage, kStageIdentification);
}

TEST_F(RetrieveCubeTest, DeletingKeepsTheStageAndTheListAndReportsARefusal) {
    cube("a.mdc", "a");
    cube("b.mdc", "b");
    cube("c.mdc", "c");
    work.write("lock", "");
    std::filesystem::copy_file(work.file("lock"), output("b.mdc.locked"));
    logIn();
    ASSERT_EQ(session->intStage, kStageSelection);
    select({true, true, false});
    session->btnSelectionDeleteFilesClick();

    EXPECT_EQ(session->intStage, kStageSelection);
    EXPECT_EQ(session->lbxItems, (std::vector<std::string>{"a.mdc", "b.mdc", "c.mdc"}));
    EXPECT_EQ(session->lbxSelected, (std::vector<bool>{true, true, false}));
    EXPECT_FALSE(fileExists(output("a.mdc")));
    EXPECT_TRUE(fileExists(output("b.mdc")));
    EXPECT_TRUE(fileExists(output("c.mdc")));
    EXPECT_TRUE(session->btnClose.enabled);
    EXPECT_TRUE(session->btnSelectionDeleteFiles.enabled);
    EXPECT_EQ(session->imgStage[3].picture, 31);  // a refusal does not end in a success
    const std::string log = folders.log("RetrieveCube.log");
    EXPECT_NE(log.find("! Deleting files from server...\r\n"), std::string::npos);
    EXPECT_NE(log.find("! - Removing file a.mdc from server... \r\n"
                       "! - Removing file b.mdc from server... \r\n"
                       "! - Removal of file b.mdc from server failed.\r\n"
                       "! - Delete(s) completed; not removed: b.mdc.\r\n"),
              std::string::npos)
        << log;
}

TEST_F(RetrieveCubeTest, DeletingThroughTheFtpProxyReachesTheServer) {
    test::CubeSites proxied;
    ASSERT_TRUE(proxied.start(test::accountFile("enabled", 0), true, "cubes.example"))
        << proxied.failure;
    proxied.cube.setStatusIni(kCubeUser, test::accountFile("enabled", 0));
    work.write("x.mdc", "x");
    std::filesystem::copy_file(work.file("x.mdc"), proxied.cube.home(kCubeUser) + "output/x.mdc");
    folders.transfer.flgUseProxyInfo = true;
    folders.transfer.strFTPProxyAddress = "127.0.0.1";
    folders.transfer.intFTPProxyPort = proxied.cube.port();
    session = std::make_unique<RetrieveCubeSession>(folders.context(proxied.maker.lookupUrl(), 22));
    session->pauseUnit = std::chrono::milliseconds(0);
    logIn();
    ASSERT_EQ(session->intStage, kStageSelection) << session->lblProgress[2];
    select({true});
    session->btnSelectionDeleteFilesClick();
    EXPECT_FALSE(fileExists(proxied.cube.home(kCubeUser) + "output/x.mdc"));
    EXPECT_EQ(proxied.cube.usersSeen(),
              "analyst@cubes.example:22\nanalyst@cubes.example:22\nanalyst@cubes.example:22\n");
}

}  // namespace
}  // namespace vantorell
