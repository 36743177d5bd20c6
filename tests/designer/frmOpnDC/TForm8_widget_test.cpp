// The list conversion dialog on the offscreen platform: its controls, the wait while it is
// shown, and File Open of a list in the designer's own windows as a user goes about it.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "designer/frmMain/StartupSequence.h"
#include "designer/frmOpnDC/TForm8.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/DialogScript.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::DialogScript;
using test::TempFolder;

TEST(TForm8Test, HasItsControlsInAFixedFrame) {
    TForm8 form;
    EXPECT_EQ(form.windowTitle().toStdString(), "Open Dimension/Category List (Continued)");
    EXPECT_EQ(form.Label1->text().toStdString(), "Dimension(s) will be created using:");
    EXPECT_EQ(form.rbnUseSpecifiedDimension->text().toStdString(),
              "Specified name, to create a single parent dimension:");
    EXPECT_EQ(form.lblDimensionName->text().toStdString(), "Dimension Name:");
    EXPECT_EQ(form.rbnUseDimensionsFromFile->text().toStdString(),
              "Top level record(s) from the file, to create one or more parent dimensions");
    EXPECT_EQ(form.btnOk->text().toStdString(), "&Ok");
    EXPECT_EQ(form.btnCancel->text().toStdString(), "&Cancel");
    EXPECT_TRUE(form.rbnUseSpecifiedDimension->isChecked());
    EXPECT_FALSE(form.rbnUseDimensionsFromFile->isChecked());
    EXPECT_EQ(form.edtDimensionName->text().toStdString(), "Dimension 1");
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    form.close();
}

TEST(TForm8Test, WaitsWithTheMainWindowDisabledAndGivesTheTypedName) {
    QWidget mainWindow;
    TForm8 form;
    form.mainWindow = &mainWindow;
    bool disabledWhileShown = false;
    DialogScript script(form, [&] {
        disabledWhileShown = !mainWindow.isEnabled();
        form.edtDimensionName->selectAll();
        QTest::keyClicks(form.edtDimensionName, QStringLiteral("Sales "));
        form.edtDimensionName->insert(QStringLiteral("Größe"));
        QTest::mouseClick(form.btnOk, Qt::LeftButton);
    });
    const std::optional<ListConversionChoice> choice = form.listConversion().ask();
    EXPECT_TRUE(disabledWhileShown);
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.state.flgOkPressed);
    ASSERT_TRUE(choice.has_value());
    EXPECT_TRUE(choice->useSpecifiedDimension);
    EXPECT_EQ(choice->dimensionName, "Sales Größe");
}

// "$$" is the list file's mark for dimensions from the file: as a typed name it is refused,
// and the dialog stays open for another name.
TEST(TForm8Test, TheNameOfTheOtherChoiceIsRefused) {
    test::TestMessages messages;
    QWidget mainWindow;
    TForm8 form;
    form.mainWindow = &mainWindow;
    bool openAfterRefusal = false;
    DialogScript script(form, [&] {
        form.edtDimensionName->selectAll();
        QTest::keyClicks(form.edtDimensionName, QStringLiteral("$$"));
        messages.expect(
            "Sorry, \"$$\" cannot be the name of a dimension: a list converted under that name "
            "takes its dimensions from the top-level records of the file. Please choose another "
            "name.");
        QTest::mouseClick(form.btnOk, Qt::LeftButton);
        openAfterRefusal = form.isVisible() && !form.state.flgOkPressed;
        EXPECT_EQ(form.focusWidget(), form.edtDimensionName);
        QTest::keyClicks(form.edtDimensionName, QStringLiteral("Sales"));
        QTest::keyClick(form.edtDimensionName, Qt::Key_Return);
    });
    const std::optional<ListConversionChoice> choice = form.listConversion().ask();
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Error");
    ASSERT_TRUE(choice.has_value());
    EXPECT_TRUE(choice->useSpecifiedDimension);
    EXPECT_EQ(choice->dimensionName, "Sales");
}

TEST(TForm8Test, EscapeCancelsAndTheNextShowingStartsFromTheDefaultName) {
    QWidget mainWindow;
    TForm8 form;
    form.mainWindow = &mainWindow;
    {
        DialogScript script(form, [&] {
            QTest::mouseClick(form.rbnUseDimensionsFromFile, Qt::LeftButton);
            EXPECT_FALSE(form.edtDimensionName->isEnabled());
            EXPECT_FALSE(form.lblDimensionName->isEnabled());
            QTest::keyClick(&form, Qt::Key_Escape);
        });
        EXPECT_FALSE(form.listConversion().ask().has_value());
    }
    EXPECT_TRUE(mainWindow.isEnabled());
    {
        // The buttons keep their state; a cleared name comes back when Return confirms.
        DialogScript script(form, [&] {
            EXPECT_TRUE(form.rbnUseDimensionsFromFile->isChecked());
            QTest::mouseClick(form.rbnUseSpecifiedDimension, Qt::LeftButton);
            EXPECT_TRUE(form.edtDimensionName->isEnabled());
            EXPECT_TRUE(form.lblDimensionName->isEnabled());
            form.edtDimensionName->setFocus();
            form.edtDimensionName->clear();
            QTest::keyClick(form.edtDimensionName, Qt::Key_Return);
        });
        const std::optional<ListConversionChoice> choice = form.listConversion().ask();
        ASSERT_TRUE(choice.has_value());
        EXPECT_TRUE(choice->useSpecifiedDimension);
        EXPECT_EQ(choice->dimensionName, "Dimension 1");
        EXPECT_EQ(form.edtDimensionName->text().toStdString(), "Dimension 1");
    }
}

TEST(TForm8Test, FileOpenOfAListAsksTheDialogAndOpensTheModelUntitled) {
    TempFolder program;
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService scope(dialogs);
    const auto windows = designerWindowsCreate(program.path());
    TForm1& main = *windows->Form1;
    TForm8& form = *windows->Form8;
    main.mnuFileNewClick();
    main.show();

    const std::string list = program.write("products.vdc", "P1,Phones\nP2,Tablets\n");
    dialogs.queue(list);
    DialogScript script(form, [&] {
        EXPECT_FALSE(main.isEnabled());
        form.edtDimensionName->selectAll();
        QTest::keyClicks(form.edtDimensionName, QStringLiteral("Products"));
        QTest::mouseClick(form.btnOk, Qt::LeftButton);
    });
    main.mnuFileOpen->trigger();
    EXPECT_TRUE(main.isEnabled());
    const TreeNode* dimension = main.editors.tvwDimsCats.getFirstNode();
    ASSERT_NE(dimension, nullptr);
    EXPECT_EQ(dimension->text(), "Products");
    const std::string untitled = program.file("~untitled~.vtm");
    EXPECT_EQ(main.strCurrentFile, untitled);
    EXPECT_EQ(main.windowTitle().toStdString(), "Vantorell - " + untitled);
    ASSERT_FALSE(main.mnuFileReopen->actions().isEmpty());
    EXPECT_NE(main.mnuFileReopen->actions().front()->text().toStdString().find("products.vdc"),
              std::string::npos);

    // Save asks for a name, as for any untitled model, and the list stays as it was.
    const std::string saved = program.file("products.vtm");
    dialogs.queue(saved);
    main.tbnFileSave->trigger();
    EXPECT_EQ(dialogs.asked().size(), 2u);
    EXPECT_TRUE(fileExists(saved));
    EXPECT_EQ(main.strCurrentFile, saved);
    EXPECT_EQ(program.read("products.vdc"), "P1,Phones\nP2,Tablets\n");
}

}  // namespace
}  // namespace vantorell
