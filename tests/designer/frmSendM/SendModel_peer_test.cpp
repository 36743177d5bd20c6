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

    messages.expect(
        "Fatal error encountered while attempting to prepare file broken.vtm for "
        "transmission.");
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
