// The Retrieve Cube dialog on the designer's real windows, with the test's cube server and
// maker's site on loopback: the listed cubes, their selection, the save-to folder and the
// delete button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QScreen>
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

// A cube whose listed name is 240 characters long: the list shows it shortened with the
// whole name in its tool tip, the dialog keeps its size on the screen, also once shown again,
// and fetching it into a folder where the engine cannot be given its path says why.
TEST_F(RetrieveCubeDialog, ALongNameKeepsTheDialogsSizeAndIsRefusedWithItsReason) {
    const QSize size = dialog->size();
    const std::string name = std::string(236, 'n') + ".mdc";
    models.write(name, "cube");
    std::filesystem::copy_file(models.file(name), sites.cube.home(kCubeUser) + "output/" + name);
    QTest::mouseClick(dialog->stages->btnClose, Qt::LeftButton);
    main->tbnFileReceiveCube->trigger();
    logIn(*dialog->stages);
    ASSERT_EQ(dialog->lbxSelectionFiles->count(), 3);

    // Listed in name order: east, the long one, west.
    QListWidgetItem* item = dialog->lbxSelectionFiles->item(1);
    EXPECT_EQ(item->toolTip().toStdString(), name);
    EXPECT_LT(item->text().size(), 120);
    EXPECT_LE(dialog->lbxSelectionFiles->fontMetrics().horizontalAdvance(item->text()),
              dialog->lbxSelectionFiles->viewport()->width());
    const QRect screen = dialog->screen()->availableGeometry();
    const auto onScreen = [&] {
        EXPECT_EQ(dialog->size(), size);
        EXPECT_TRUE(screen.contains(dialog->frameGeometry().topLeft()));
        EXPECT_LE(dialog->width(), screen.width());
    };
    onScreen();

    messages.expect(
        "Fatal error encountered while attempting to prepare file " + name +
        " for transmission.\r\rThe input file name cannot be passed to the engine program: it is "
        "longer than 255 characters.");
    item->setSelected(true);
    QTest::mouseClick(dialog->btnSelection, Qt::LeftButton);
    EXPECT_EQ(messages.shown().at(0).caption, "Prepare File");
    EXPECT_EQ(dialog->session.intStage, kStageFinished);
    EXPECT_EQ(dialog->session.lblProgress[kStageTransfer],
              "Transfer completed; not retrieved: " + name + ".");
    // The message is shortened in the progress text and whole in its tool tip.
    EXPECT_EQ(dialog->stages->lblProgress[kStageTransfer]->toolTip().toStdString(),
              dialog->session.lblProgress[kStageTransfer]);
    onScreen();

    QTest::mouseClick(dialog->stages->btnClose, Qt::LeftButton);
    main->tbnFileReceiveCube->trigger();
    onScreen();
}

}  // namespace
}  // namespace vantorell
