// The Retrieve Cube session's selection stage without a server: the save-to folder, the
// Continue rule and the names that listing entries give.
#include "designer/frmRetrC/RetrieveCubeSession.h"

#include <gtest/gtest.h>

#include "platform/FileDialogService.h"
#include "tests/support/CubeSessionFolders.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

class RetrieveCubeSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folders.settings->writeString("Retrieve Cube Form", "LastSaveToDir", gone);
        retrieve.FormShow();
        // As an availability with two cubes leaves it.
        retrieve.lbxItems = {"a.mdc", "b.mdc"};
        retrieve.lbxSelected = {false, false};
        retrieve.intStage = kStageSelection;
        retrieve.nulSelectionStateSet(true, 11);
    }

    test::CubeSessionFolders folders;
    test::TempFolder chosen;
    const std::string gone = folders.program.file("gone/");
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogsInstalled{dialogs};
    RetrieveCubeSession retrieve{folders.unreachableContext()};
};

TEST_F(RetrieveCubeSessionTest, ContinueNeedsACubeAndAnExistingFolder) {
    EXPECT_EQ(retrieve.edtSelectionSaveToDir.text, gone);  // shown as it was kept
    retrieve.lbxSelectionFilesClick({false, true});
    EXPECT_FALSE(retrieve.btnSelection.enabled);
    retrieve.edtSelectionSaveToDirChange(chosen.path());
    EXPECT_TRUE(retrieve.btnSelection.enabled);
    retrieve.lbxSelectionFilesClick({false, false});
    EXPECT_FALSE(retrieve.btnSelection.enabled);
}

TEST_F(RetrieveCubeSessionTest, AnInvalidFolderIsRefusedWhenTheFieldIsLeft) {
    retrieve.edtSelectionSaveToDirChange(chosen.path());
    retrieve.edtSelectionSaveToDirEnter();
    retrieve.edtSelectionSaveToDirChange(chosen.path() + "nowhere");
    messages.expect("The folder " + chosen.path() + "nowhere is invalid.");
    retrieve.edtSelectionSaveToDirExit();
    EXPECT_EQ(messages.shown().at(0).caption, "Save to Directory");
    EXPECT_EQ(retrieve.edtSelectionSaveToDir.text, chosen.path());

    // Browsing: a chosen folder is taken, a cancelled browser changes nothing.
    dialogs.queue(folders.program.path());
    retrieve.sbnSelectionSaveToDirClick();
    EXPECT_EQ(retrieve.edtSelectionSaveToDir.text, folders.program.path());
    dialogs.queue(std::nullopt);
    retrieve.sbnSelectionSaveToDirClick();
    EXPECT_EQ(retrieve.edtSelectionSaveToDir.text, folders.program.path());
}

TEST_F(RetrieveCubeSessionTest, TheContinueOfAnEmptyLookupGoesBackToIdentification) {
    retrieve.lbxSelectionFilesClick({true, false});
    retrieve.edtSelectionSaveToDirChange(chosen.path().substr(0, chosen.path().size() - 1));
    retrieve.btnSelectionClick();
    EXPECT_EQ(retrieve.edtSelectionSaveToDir.text, chosen.path());
    EXPECT_EQ(retrieve.intStage, kStageIdentification);
    EXPECT_EQ(retrieve.imgStage[3].tag, 21);
    EXPECT_EQ(retrieve.imgStage[4].tag, 31);
    EXPECT_EQ(retrieve.lblProgress[4],
              "Host not found, check your internet connection and try again.");
    EXPECT_TRUE(retrieve.btnClose.enabled);
}

TEST(CubeEntryNameTest, OnlyTheBaseNameOfAnEntryIsEverUsed) {
    const std::pair<const char*, const char*> cases[] = {
        {"sales.mdc", "sales.mdc"},
        {"output/sales.mdc", "sales.mdc"},
        {"..\\..\\sales.mdc", "sales.mdc"},
        {"C:sales.mdc", "sales.mdc"},
        {"/etc/../x.mdc", "x.mdc"},
        {"..", ""},
        {"out/", ""},
        {"a\tb.mdc", ""},
        {" spaced .mdc", " spaced .mdc"},
    };
    for (const auto& [entry, name] : cases) {
        EXPECT_EQ(strCubeEntryName(entry), name) << entry;
    }
}

}  // namespace
}  // namespace vantorell
