// The stage machinery of the cube server sessions, without servers: showing, the stage
// setters, messages, blinking, and the identification when the server cannot be found.
#include <gtest/gtest.h>

#include "tests/support/CubeSessionFolders.h"

namespace vantorell {
namespace {

using test::CubeSessionFolders;
using test::PlainCubeSession;

std::array<int, 5> tags(const CubeSession& s) {
    std::array<int, 5> t{};
    for (std::size_t i = 0; i < 5; ++i) {
        t[i] = s.imgStage[i].tag;
    }
    return t;
}

class CubeSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folders.settings->writeString("Send Model Form", "LastUserID", "joe");
        send.FormCreate();
        send.FormShow();
    }

    CubeSessionFolders folders;
    PlainCubeSession send{CubeDialogKind::SendModel, folders.unreachableContext()};
};

TEST_F(CubeSessionTest, ShowingStartsAtIdentificationWithTheLastUserId) {
    EXPECT_EQ(send.edtUserID.text, "joe");
    EXPECT_EQ(send.metPassword.text, "");
    EXPECT_EQ(send.intStage, kStageIdentification);
    EXPECT_EQ(tags(send), (std::array<int, 5>{11, 11, 11, 11, 11}));
    EXPECT_TRUE(send.imgStage[0].enabled);
    EXPECT_FALSE(send.imgStage[1].enabled);
    EXPECT_EQ(send.lblProgress[1], "Waiting for identification.");
    EXPECT_EQ(send.lblProgress[2], "Waiting for authentication.");
    EXPECT_EQ(send.lblProgress[4], "Waiting for selection.");
    EXPECT_TRUE(send.tmrStageImageTimer);
    EXPECT_TRUE(send.btnClose.enabled);
    EXPECT_FALSE(send.stage2Controls);
    EXPECT_FALSE(send.selectionControls);

    // Continue needs both fields.
    EXPECT_FALSE(send.btnIdentification.enabled);
    send.metPasswordChange("pw");
    EXPECT_TRUE(send.btnIdentification.enabled);
    send.edtUserIDChange("");
    EXPECT_FALSE(send.btnIdentification.enabled);

    send.edtUserIDChange("ann");
    send.FormHide();
    EXPECT_FALSE(send.tmrStageImageTimer);
    EXPECT_EQ(folders.settings->readString("Send Model Form", "LastUserID", ""), "ann");
}

TEST_F(CubeSessionTest, TheCurrentStageBlinksAndAMessageShowsInItsTextAndPicture) {
    send.tmrStageImageBlinker();
    EXPECT_EQ(send.imgStage[0].tag, 10);
    EXPECT_EQ(send.imgStage[0].picture, 10);
    send.tmrStageImageBlinker();
    EXPECT_EQ(send.imgStage[0].picture, 11);
    EXPECT_EQ(send.imgStage[1].picture, 11);  // only the current stage

    send.intStage = kStageAuthentication;
    send.nulStageMessageSet("Connecting... ", true);
    EXPECT_EQ(send.lblProgress[1], "Connecting... ");
    EXPECT_EQ(send.imgStage[1].picture, 31);
    EXPECT_EQ(send.imgStage[1].tag, 11);  // the next tick shows the state again
    send.tmrStageImageBlinker();
    EXPECT_EQ(send.imgStage[1].picture, 10);

    send.intStage = kStageSelection;
    send.nulStageMessageSet("picked", false);
    EXPECT_EQ(send.imgStage[3].picture, 21);

    send.intStage = kStageFinished;
    const std::array<int, 5> before = tags(send);
    send.nulStageMessageSet("ignored", true);
    send.tmrStageImageBlinker();
    EXPECT_EQ(tags(send), before);
    EXPECT_EQ(folders.log("SendModel.log"), "! - Connecting... \r\n! - picked\r\n! - ignored\r\n");
}

TEST_F(CubeSessionTest, ContinueWithoutTheServerReportsTheHostNotFound) {
    send.metPasswordChange("pw");
    send.btnIdentificationClick();

    EXPECT_EQ(send.intStage, kStageIdentification);
    EXPECT_EQ(send.lblProgress[1], "Host not found, check your internet connection and try again.");
    EXPECT_EQ(send.imgStage[1].tag, 31);
    EXPECT_FALSE(send.imgStage[1].enabled);
    EXPECT_EQ(send.imgStage[0].tag, 11);
    EXPECT_TRUE(send.btnIdentification.enabled);
    EXPECT_TRUE(send.btnClose.enabled);
    EXPECT_EQ(send.edtUserID.text, "joe");
    EXPECT_EQ(send.metPassword.text, "pw");
    EXPECT_TRUE(send.tmrStageImageTimer);
    EXPECT_EQ(folders.log("SendModel.log"),
              "! Started...\r\n! - Looking for Server...\r\n \r\n"
              "! - Host not found, check your internet connection and try again.\r\n");
}

TEST_F(CubeSessionTest, StageSettersFollowTheirStage) {
    send.intStage = kStageAuthentication;
    send.nulAuthenticationStateSet(true, 11);
    EXPECT_FALSE(send.btnClose.enabled);
    send.nulSetCloseState(false);  // only ever enables
    EXPECT_FALSE(send.btnClose.enabled);
    send.nulIdentificationStateSet(false, 21);
    EXPECT_FALSE(send.edtUserID.enabled);
    EXPECT_FALSE(send.btnIdentification.enabled);

    send.intStage = kStageSelection;
    send.nulSelectionStateSet(true, 11);
    EXPECT_TRUE(send.selectionControls);
    EXPECT_TRUE(send.btnClose.enabled);
    send.nulTransferStateSet(true, 11);
    EXPECT_FALSE(send.btnClose.enabled);
    EXPECT_EQ(send.lblProgress[4], "Waiting for selection.");
    send.nulStage2StateSet(false, 21);
    EXPECT_FALSE(send.stage2Controls);
    EXPECT_EQ(send.imgStage[2].picture, 21);

    // A failure that escaped a step leaves a usable dialog at identification.
    send.nulStageRecover();
    EXPECT_EQ(send.intStage, kStageIdentification);
    EXPECT_TRUE(send.btnClose.enabled);
    EXPECT_TRUE(send.edtUserID.enabled);
    EXPECT_FALSE(send.selectionControls);
    EXPECT_EQ(tags(send), (std::array<int, 5>{11, 11, 11, 11, 11}));
}

}  // namespace
}  // namespace vantorell
