// The Retrieve Cube dialog on the designer's real windows, with the test's cube server and
// maker's site on loopback: the listed cubes, their selection, the save-to folder and the
// delete button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <filesystem>

#include "platform/FileSystem.h"
#include "tests/support/CubeDialogWindows.h"

namespace vantorell {
namespace {

using test::kCubeUser;

class RetrieveCubeDialog : public ::testing::Test, public test::CubeDialogWindows {
protected:
    void SetUp() override {
        ASSERT_TRUE(start(test::accountFile("enabled", 0),
                          "[Retrieve Cube Form]\r\nLastSaveToDir=" + saveTo.path() + "\r\n"))
            << failure;
        for (const char* name : {"east.mdc", "west.mdc"}) {
            models.write(name, "cube");
            std::filesystem::copy_file(models.file(name),
                                       sites.cube.home(kCubeUser) + "output/" + name);
        }
        dialog = windows->Form3.get();
        main->tbnFileReceiveCube->trigger();
        dialog->activateWindow();
        logIn(*dialog->stages);
    }

    test::TempFolder saveTo;
    TForm3* dialog = nullptr;
};

TEST_F(RetrieveCubeDialog, ListsTheCubesAndContinuesOnceOneIsSelected) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Retrieve Cube"));
    EXPECT_EQ(dialog->lblAvailabilityProgress->text(), QStringLiteral("Availability completed."));
    ASSERT_EQ(dialog->lbxSelectionFiles->count(), 2);
    EXPECT_EQ(dialog->lbxSelectionFiles->item(0)->text(), QStringLiteral("east.mdc"));
    EXPECT_TRUE(dialog->lbxSelectionFiles->isEnabled());
    EXPECT_EQ(dialog->edtSelectionSaveToDir->text().toStdString(), saveTo.path());
    EXPECT_TRUE(dialog->btnSelectionDeleteFiles->isEnabled());
    EXPECT_FALSE(dialog->btnSelection->isEnabled());
    EXPECT_TRUE(dialog->stages->btnClose->isEnabled());

    dialog->lbxSelectionFiles->item(1)->setSelected(true);
    EXPECT_EQ(dialog->session.lbxSelected, (std::vector<bool>{false, true}));
    EXPECT_TRUE(dialog->btnSelection->isEnabled());

    // The folder is not lower-cased: on this system names differ by case.
    dialog->edtSelectionSaveToDir->setFocus();
    dialog->edtSelectionSaveToDir->clear();
    QTest::keyClicks(dialog->edtSelectionSaveToDir, QStringLiteral("/Nowhere/At/All"));
    EXPECT_EQ(dialog->edtSelectionSaveToDir->text(), QStringLiteral("/Nowhere/At/All"));
    EXPECT_FALSE(dialog->btnSelection->isEnabled());
    // Leaving the field refuses the folder and brings the old one back.
    messages.expect("The folder /Nowhere/At/All is invalid.");
    dialog->lbxSelectionFiles->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(messages.shown().at(0).caption, "Save to Directory");
    EXPECT_EQ(dialog->edtSelectionSaveToDir->text().toStdString(), saveTo.path());
    EXPECT_TRUE(dialog->btnSelection->isEnabled());

    dialogs.queue(program.path());
    QTest::mouseClick(dialog->sbnSelectionSaveToDir, Qt::LeftButton);
    EXPECT_EQ(dialog->edtSelectionSaveToDir->text().toStdString(), program.path());
}

TEST_F(RetrieveCubeDialog, DeleteRemovesTheSelectedCubesAndKeepsTheList) {
    ASSERT_EQ(dialog->lbxSelectionFiles->count(), 2);
    dialog->lbxSelectionFiles->item(0)->setSelected(true);
    QTest::mouseClick(dialog->btnSelectionDeleteFiles, Qt::LeftButton);
    EXPECT_FALSE(fileExists(sites.cube.home(kCubeUser) + "output/east.mdc"));
    EXPECT_TRUE(fileExists(sites.cube.home(kCubeUser) + "output/west.mdc"));
    EXPECT_EQ(dialog->lbxSelectionFiles->count(), 2);
    EXPECT_TRUE(dialog->lbxSelectionFiles->item(0)->isSelected());
    EXPECT_TRUE(dialog->btnSelectionDeleteFiles->isEnabled());
    EXPECT_TRUE(dialog->stages->btnClose->isEnabled());

    QTest::mouseClick(dialog->stages->btnClose, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(main->iniSettings->readString("Retrieve Cube Form", "LastUserID", ""), kCubeUser);
    EXPECT_EQ(main->iniSettings->readString("Retrieve Cube Form", "LastSaveToDir", ""),
              saveTo.path());
}

}  // namespace
}  // namespace vantorell
