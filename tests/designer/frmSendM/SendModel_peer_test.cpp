// Sending models end to end: the session logs in on the test's cube server, the models are
// prepared as protected copies by the real engine program and uploaded into "input", where
// the engine reads them back with the password.
#include <gtest/gtest.h>

#include <filesystem>

#include "designer/frmSendM/SendModelSession.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/CubeSessionFolders.h"
#include "tests/support/FtpThreadPeer.h"
#include "tests/support/ModelDump.h"
#include "tests/support/RealEngine.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::kCubePassword;
using test::kCubeUser;

const std::string kGolden = "tests/designer/data/small_model.vtm";

class SendModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sites.start(test::accountFile("enabled", 3))) << sites.failure;
        test::installRealEngine(folders.program.path());
        session = std::make_unique<SendModelSession>(
            folders.context(sites.maker.lookupUrl(), sites.cube.port()));
        session->pauseUnit = std::chrono::milliseconds(0);
        session->FormCreate();
        session->FormShow();
        session->edtUserIDChange(kCubeUser);
        session->metPasswordChange(kCubePassword);
        session->btnIdentificationClick();
        ASSERT_EQ(session->intStage, kStageAcceptance) << session->lblProgress[1];
    }

    std::string model(const std::string& name) {
        return models.write(name, readWholeFile(test::sourcePath(kGolden)));
    }

    // The protected copy on the server, read through the engine with the password.
    ModelArrays uploaded(const std::string& name, std::int32_t& points) {
        ModelArrays read;
        EXPECT_TRUE(flgReadFile(folders.program.path(),
                                sites.cube.home(kCubeUser) + "input/" + name, kCubePassword, "", 0,
                                true, points, read));
        return read;
    }

    test::CubeSites sites;
    test::CubeSessionFolders folders;
    test::TempFolder models;
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogsInstalled{dialogs};
    std::unique_ptr<SendModelSession> session;
};

TEST_F(SendModelTest, TheCurrentModelGoesAsAProtectedCopyWithTheRequestedPoints) {
    const std::string current = model("sales.vtm");
    session->fneCurrentModel = [&] { return current; };
    session->btnAcceptanceYesClick();
    ASSERT_EQ(session->intStage, kStageSelection);
    ASSERT_EQ(session->sgdSelectionFiles.dataRowCount(), 1);
    EXPECT_EQ(session->sgdSelectionFiles.cell(0, 1), current);
    EXPECT_EQ(session->sgdSelectionFiles.cell(3, 1), std::to_string(test::kSmallModelPoints));
    EXPECT_EQ(dialogs.asked().size(), 0u);  // a titled model needs no file dialog
    EXPECT_TRUE(session->btnSelection.enabled);

    // Choosing the same file again adds no second row.
    dialogs.queueFiles(std::vector<std::string>{current});
    session->bbnSelectionFileAddClick();
    EXPECT_EQ(session->sgdSelectionFiles.dataRowCount(), 1);

    session->sgdSelectionFiles.setCell(3, 1, "5000");
    session->btnSelectionClick();
    EXPECT_EQ(session->intStage, kStageFinished) << session->lblProgress[4];
    EXPECT_EQ(session->lblProgress[4], "Transfer completed.");
    EXPECT_EQ(session->imgStage[4].tag, 21);
    EXPECT_TRUE(session->btnClose.enabled);

    std::int32_t points = 0;
    const ModelArrays sent = uploaded("sales.vtm", points);
    EXPECT_EQ(points, 5000);
    // The analyst's file now carries the requested points and the same model; the work
    // folder holds the copy that went.
    ModelArrays source;
    ASSERT_TRUE(flgReadFile(current, points, source));
    EXPECT_EQ(points, 5000);
    EXPECT_EQ(test::dumpModel(sent), test::dumpModel(source));
    ModelArrays golden;
    ASSERT_TRUE(flgReadFile(test::sourcePath(kGolden), points, golden));
    EXPECT_EQ(test::dumpModel(source), test::dumpModel(golden));
    EXPECT_TRUE(fileExists(folders.program.file("Temp/sales.vtm")));
    EXPECT_EQ(readWholeFile(folders.program.file("Temp/sales.vtm")),
              readWholeFile(sites.cube.home(kCubeUser) + "input/sales.vtm"));
    EXPECT_EQ(folders.log("SendModel.log").find(kCubePassword), std::string::npos);
}

TEST_F(SendModelTest, AModelThatCannotBePreparedIsSkippedAndLeftAsItWas) {
    // Untitled: the file dialog opens at once.
    const std::string good = model("good.vtm");
    const std::string broken = models.write("broken.vtm", "VT0200\r\nINFO\r\nNCAT\r\n");
    dialogs.queueFiles(std::vector<std::string>{broken, good});
    session->btnAcceptanceYesClick();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].initialFolder, folders.program.path());
    ASSERT_EQ(session->sgdSelectionFiles.dataRowCount(), 2);
    session->sgdSelectionFiles.setCell(3, 2, "");  // no digits: 0 points

    messages.expectContaining(
        "Fatal error encountered while attempting to prepare file broken.vtm for "
        "transmission.\r\r");
    session->btnSelectionClick();
    EXPECT_EQ(messages.shown().at(0).caption, "Prepare File");
    EXPECT_EQ(session->intStage, kStageFinished);
    EXPECT_EQ(session->lblProgress[4], "Transfer completed; not sent: broken.vtm.");
    EXPECT_EQ(session->imgStage[4].tag, 31);
    EXPECT_NE(folders.log("SendModel.log").find("! - Error Preparing broken.vtm file skipped.\r\n"),
              std::string::npos);

    EXPECT_EQ(models.read("broken.vtm"), "VT0200\r\nINFO\r\nNCAT\r\n");
    EXPECT_FALSE(fileExists(sites.cube.home(kCubeUser) + "input/broken.vtm"));
    std::int32_t points = -1;
    uploaded("good.vtm", points);
    EXPECT_EQ(points, 0);
}

// The shipped example with accented names: the writer's reason is shown, the analyst's file
// is left byte for byte, and nothing of it reaches the server or stays in the work folder;
// the example in plain names goes.
TEST_F(SendModelTest, TheAccentedExampleIsRefusedWithItsReasonAndLeftAsItWas) {
    const std::string accented = test::sourcePath("examples/sales.vtm");
    const std::string accentedCopy = models.write("sales.vtm", readWholeFile(accented));
    const std::string plain = models.write(
        "sales-ascii.vtm", readWholeFile(test::sourcePath("examples/sales-ascii.vtm")));
    dialogs.queueFiles(std::vector<std::string>{accentedCopy, plain});
    session->btnAcceptanceYesClick();
    ASSERT_EQ(session->sgdSelectionFiles.dataRowCount(), 2);

    messages.expect(
        "Fatal error encountered while attempting to prepare file sales.vtm for transmission."
        "\r\rThe text \"Pralin\xC3\xA9s\" cannot be carried by a protected copy: it holds "
        "\"\xC3\xA9\", and a protected copy holds only the characters from the blank to "
        "\"~\".");
    session->btnSelectionClick();
    EXPECT_EQ(messages.shown().at(0).caption, "Prepare File");
    EXPECT_EQ(session->lblProgress[4], "Transfer completed; not sent: sales.vtm.");
    EXPECT_EQ(models.read("sales.vtm"), readWholeFile(accented));
    EXPECT_FALSE(fileExists(sites.cube.home(kCubeUser) + "input/sales.vtm"));
    EXPECT_FALSE(fileExists(folders.program.file("Temp/sales.vtm")));

    std::int32_t points = 0;
    ModelArrays sentModel = uploaded("sales-ascii.vtm", points);
    ModelArrays plainModel;
    ASSERT_TRUE(flgReadFile(plain, points, plainModel));
    EXPECT_EQ(test::dumpModel(sentModel), test::dumpModel(plainModel));
}

// Two models of one name from two folders: the second is refused when added, so the first
// reaches the server whole and the transfer reports only what happened.
TEST_F(SendModelTest, TwoModelsOfOneNameNeverReplaceEachOtherOnTheServer) {
    test::TempFolder other;
    const std::string first = model("m.vtm");
    const std::string second =
        other.write("m.vtm", readWholeFile(test::sourcePath("examples/sales-ascii.vtm")));
    session->fneCurrentModel = [&] { return first; };
    session->btnAcceptanceYesClick();
    messages.expectContaining("Sorry, " + second + " cannot be added: ");
    dialogs.queueFiles(std::vector<std::string>{second});
    session->bbnSelectionFileAddClick();
    ASSERT_EQ(session->sgdSelectionFiles.dataRowCount(), 1);

    session->btnSelectionClick();
    EXPECT_EQ(session->lblProgress[4], "Transfer completed.");
    std::int32_t points = 0;
    ModelArrays golden;
    ASSERT_TRUE(flgReadFile(test::sourcePath(kGolden), points, golden));
    EXPECT_EQ(test::dumpModel(uploaded("m.vtm", points)), test::dumpModel(golden));
}

// A server that drops the connection: its reply ends the message with one period.
TEST_F(SendModelTest, AClosedConnectionEndsTheMessageWithOnePeriod) {
    test::FtpThreadPeer peer;
    peer.run([](test::FtpThreadPeer& p) {
        std::string line;
        if (p.accept() && p.command(line)) {
            p.close();
        }
    });
    session->context.address.intServerPort = std::stoi(peer.portText());
    session->fneCurrentModel = [this] { return model("sales.vtm"); };
    session->btnAcceptanceYesClick();
    session->btnSelectionClick();
    EXPECT_EQ(peer.join(), "");
    EXPECT_EQ(session->intStage, kStageIdentification);
    EXPECT_EQ(session->lblProgress[4], "Transfer failed, 500 Control connection closed.");
}

TEST_F(SendModelTest, AServerWithoutAnInputFolderFailsTheTransfer) {
    std::filesystem::remove_all(sites.cube.home(kCubeUser) + "input");
    session->fneCurrentModel = [this] { return model("sales.vtm"); };
    session->btnAcceptanceYesClick();
    session->btnSelectionClick();
    EXPECT_EQ(session->intStage, kStageIdentification);
    EXPECT_EQ(session->lblProgress[4].rfind("Transfer failed, 550", 0), 0u)
        << session->lblProgress[4];
    EXPECT_EQ(session->imgStage[4].tag, 31);
    EXPECT_TRUE(session->btnIdentification.enabled);
    EXPECT_FALSE(session->ftpClient.Connected());
}

}  // namespace
}  // namespace vantorell
