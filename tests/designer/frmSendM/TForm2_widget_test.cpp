// The Send Model dialog on the designer's real windows: opened by the main window's command,
// showing its session's stages, and taking the user's input, with the test's cube server and
// maker's site on loopback.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <algorithm>

#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "tests/support/CubeDialogWindows.h"

namespace vantorell {
namespace {

using test::kCubePassword;

class SendModelDialog : public ::testing::Test, public test::CubeDialogWindows {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            start(test::accountFile("enabled", 1), "[Send Model Form]\r\nLastUserID=ann\r\n"))
            << failure;
        dialog = windows->Form2.get();
    }

    void logIn() {
        main->tbnFileSendModel->trigger();
        CubeDialogWindows::logIn(*dialog->stages);
    }

    TForm2* dialog = nullptr;
};

TEST_F(SendModelDialog, TheCommandShowsIdentificationAndCloseKeepsTheUserId) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Send Model"));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    main->mnuFileSendModel->trigger();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_FALSE(main->isEnabled());
    CubeStagesView& s = *dialog->stages;
    EXPECT_EQ(s.edtUserID->text(), QStringLiteral("ann"));
    EXPECT_EQ(s.metPassword->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(s.btnIdentification->isEnabled());
    EXPECT_EQ(s.lblProgress[1]->text(), QStringLiteral("Waiting for identification."));
    EXPECT_EQ(dialog->lblAcceptanceProgress->text(), QStringLiteral("Waiting for authentication."));
    EXPECT_FALSE(dialog->btnAcceptanceYes->isEnabled());
    EXPECT_FALSE(dialog->sgdSelectionFiles->isEnabled());
    EXPECT_EQ(s.tmrStageImageTimer->interval(), 500);
    EXPECT_TRUE(s.tmrStageImageTimer->isActive());

    // The identification image blinks.
    const QImage lit = s.imgStage[0]->pixmap().toImage();
    EXPECT_EQ(lit, s.imgTemplates[1]->pixmap().toImage());
    EXPECT_TRUE(waitForMessages(
        [&] { return s.imgStage[0]->pixmap().toImage() == s.imgTemplates[0]->pixmap().toImage(); },
        std::chrono::seconds(5)));

    QTest::keyClicks(s.edtUserID, QStringLiteral("X"));
    EXPECT_EQ(s.edtUserID->text(), QStringLiteral("annx"));  // typed in lower case
    QTest::keyClicks(s.metPassword, QStringLiteral("pw"));
    EXPECT_TRUE(s.btnIdentification->isEnabled());

    // Escape closes only while Close may be used.
    dialog->session.nulAuthenticationStateSet(true, 11);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    dialog->session.nulIdentificationStateSet(true, 11);
    QTest::mouseClick(s.btnClose, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(s.tmrStageImageTimer->isActive());
    EXPECT_EQ(main->iniSettings->readString("Send Model Form", "LastUserID", ""), "annx");

    // Showing again starts over with the password cleared.
    main->mnuFileSendModel->trigger();
    EXPECT_EQ(s.metPassword->text(), QString());
    EXPECT_FALSE(s.btnIdentification->isEnabled());
}

TEST_F(SendModelDialog, LogsInAsksAndListsTheModelsToSend) {
    logIn();
    CubeStagesView& s = *dialog->stages;
    EXPECT_EQ(s.lblProgress[1]->text(), QStringLiteral("Authenticated."));
    EXPECT_EQ(dialog->lblAcceptanceProgress->text(),
              QStringLiteral("You are allowed to generate up to 1 cubes."));
    EXPECT_TRUE(dialog->btnAcceptanceYes->isEnabled());
    EXPECT_TRUE(s.btnClose->isEnabled());
    EXPECT_FALSE(s.edtUserID->isEnabled());
    EXPECT_EQ(s.imgStage[1]->pixmap().toImage(), s.imgTemplates[3]->pixmap().toImage());

    // Untitled model: Yes opens the file dialog at once.
    const std::string model = models.write(
        "m.vtm", readWholeFile(test::sourcePath("tests/designer/data/small_model.vtm")));
    dialogs.queueFiles(std::vector<std::string>{model});
    QTest::mouseClick(dialog->btnAcceptanceYes, Qt::LeftButton);
    EXPECT_FALSE(dialog->btnAcceptanceYes->isEnabled());
    EXPECT_TRUE(dialog->sgdSelectionFiles->isEnabled());
    EXPECT_TRUE(dialog->btnSelection->isEnabled());
    const GridModel& rows = dialog->sgdSelectionFiles->gridModel();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.data(rows.index(0, 0), Qt::DisplayRole).toString().toStdString(), model);
    EXPECT_EQ(rows.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Requested Points"));

    // Letters typed into the requested points have no effect.
    StringGrid& grid = dialog->session.sgdSelectionFiles;
    dialog->sgdSelectionFiles->setFocus();
    ASSERT_TRUE(grid.setCurrentCell(3, 1));
    grid.setEditorMode(true);
    QApplication::processEvents();
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    for (const char c : std::string("7x")) {
        QTest::keyClick(editor, c);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grid.cell(3, 1), "40967");

    // One cube left and one row listed: adding warns.
    messages.expect("Sorry, you have reached you maximum number of allowed cubes.");
    QTest::mouseClick(dialog->bbnSelectionFileAdd, Qt::LeftButton);
    EXPECT_EQ(dialogs.asked().size(), 1u);

    QTest::mouseClick(dialog->bbnSelectionFileDel, Qt::LeftButton);
    EXPECT_EQ(grid.dataRowCount(), 0);
    EXPECT_FALSE(dialog->btnSelection->isEnabled());
}

TEST_F(SendModelDialog, NoAtAcceptanceGoesBackToIdentification) {
    logIn();
    QTest::mouseClick(dialog->btnAcceptanceNo, Qt::LeftButton);
    CubeStagesView& s = *dialog->stages;
    EXPECT_EQ(dialog->lblAcceptanceProgress->text(),
              QStringLiteral("Responded \"No\" to acceptance."));
    EXPECT_EQ(s.imgStage[2]->pixmap().toImage(), s.imgTemplates[5]->pixmap().toImage());
    EXPECT_TRUE(s.edtUserID->isEnabled());
    EXPECT_TRUE(s.btnIdentification->isEnabled());
    EXPECT_EQ(s.metPassword->text().toStdString(), kCubePassword);
    // The server keeps the busy mark, so the next login is refused.
    QTest::mouseClick(s.btnIdentification, Qt::LeftButton);
    EXPECT_EQ(s.lblProgress[1]->text(), QStringLiteral("Server busy, please try again later."));
    EXPECT_TRUE(s.btnClose->isEnabled());
}

// A model whose protected copy cannot carry its names is marked on its row as it is added:
// its text in red and the writer's reason as the row's tip.
TEST_F(SendModelDialog, AModelThatCannotBeSentIsMarkedOnItsRow) {
    logIn();
    const std::string accented =
        models.write("sales.vtm", readWholeFile(test::sourcePath("examples/sales.vtm")));
    dialogs.queueFiles(std::vector<std::string>{accented});
    QTest::mouseClick(dialog->btnAcceptanceYes, Qt::LeftButton);
    GridView& view = *dialog->sgdSelectionFiles;
    const GridModel& rows = view.gridModel();
    ASSERT_EQ(rows.rowCount(), 1);
    const std::string tip = rows.data(rows.index(0, 0), Qt::ToolTipRole).toString().toStdString();
    EXPECT_NE(tip.find("cannot be carried by a protected copy"), std::string::npos) << tip;

    const auto reddish = [&](const Rect& cell) {
        const QImage image = view.grab().toImage();
        int count = 0;
        for (int y = std::max(cell.top, 0); y <= std::min(cell.bottom, image.height() - 1); ++y) {
            for (int x = std::max(cell.left, 0); x <= std::min(cell.right, image.width() - 1);
                 ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 120 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(reddish(view.cellRect(0, 1)), 0);
    EXPECT_EQ(reddish(view.cellRect(0, 0)), 0);
}

}  // namespace
}  // namespace vantorell
