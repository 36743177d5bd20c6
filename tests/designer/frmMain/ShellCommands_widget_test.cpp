// The main window's menu tool bar and its shell commands in the designer's own windows:
// Help Contents, About and Check for Vantorell Updates.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "designer/MenuBar.h"
#include "designer/frmMain/StartupSequence.h"
#include "platform/HelpService.h"
#include "platform/QtHelpService.h"
#include "platform/RecordingHelpService.h"
#include "tests/support/Popups.h"
#include "tests/support/StandInPrograms.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"
#include "tests/support/VersionedFiles.h"

namespace vantorell {
namespace {

using test::TempFolder;

class ShellCommandsTest : public ::testing::Test {
protected:
    TempFolder program;
    test::TestMessages messages;
    RecordingHelpService help;
    ScopedHelpService installed{help};
};

TEST_F(ShellCommandsTest, TheMenuShowsAsAToolBarOfItsFileAndHelpMenus) {
    TForm1 form(program.path());
    form.show();
    ASSERT_NE(form.mbrMainMenus, nullptr);
    EXPECT_EQ(form.mbrMainMenus->Menu(), form.mnuMain);
    EXPECT_FALSE(form.mnuMain->isVisible());
    const std::vector<QToolButton*> buttons = form.mbrMainMenus->buttons();
    ASSERT_EQ(buttons.size(), 2U);
    EXPECT_EQ(buttons[0]->text(), "&File");
    EXPECT_EQ(buttons[0]->menu(), form.mnuFile);
    EXPECT_EQ(buttons[0]->toolTip(), "Application & file actions");
    EXPECT_EQ(buttons[1]->text(), "&Help");
    EXPECT_EQ(buttons[1]->menu(), form.mnuHelp);
    EXPECT_EQ(buttons[1]->toolTip(), "Assistance actions");
    EXPECT_TRUE(buttons[0]->isVisible() && buttons[1]->isVisible());
    EXPECT_FALSE(form.mbrMainMenus->toggleViewAction()->isVisible());
    // The menus sit above the main tool bar.
    EXPECT_LT(form.mbrMainMenus->geometry().bottom(), form.tbrMainButtons->geometry().top());

    // The caption's mnemonic drops its menu down, as from a menu bar, and so does a click.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(test::poppedBy([&] { QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier); }),
              form.mnuFile);
    EXPECT_EQ(test::poppedBy([&] { QTest::mouseClick(buttons[1], Qt::LeftButton); }), form.mnuHelp);
}

TEST_F(ShellCommandsTest, HelpContentsOpensTheHelpPagesOrAnOriginalHelpFileOrSaysTheyAreMissing) {
    {
        TForm1 form(program.path());
        messages.expect("Could not find help file \"" + program.file("help/index.html") + "\".");
        form.mnuHelpHelp->trigger();
        EXPECT_TRUE(help.shown.empty());
        ASSERT_EQ(messages.shown().size(), 1U);
        EXPECT_EQ(messages.shown()[0].caption, "Loading Main Help File");
    }
    // A help file of the original kind serves where the pages are missing, and not beside them.
    program.write("Vantorell.chm", "help");
    TForm1(program.path()).mnuHelpHelp->trigger();
    program.write("help/index.html", "<html></html>");
    TForm1(program.path()).mnuHelpHelp->trigger();
    EXPECT_EQ(help.shown, (std::vector<std::string>{program.file("Vantorell.chm"),
                                                    program.file("help/index.html")}));
}

// The designer's own help pages in the help window, opened from the Help menu with the keys.
TEST_F(ShellCommandsTest, HelpContentsShowsTheHelpPagesInTheHelpWindow) {
    std::filesystem::copy(test::sourcePath("help"), program.file("help"));
    QtHelpService pages;
    ScopedHelpService shownInWindows{pages};
    {
        TForm1 form(program.path());
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        // Alt+H drops the Help menu down, H chooses Help Contents in it.
        QTimer::singleShot(0, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                QTest::keyClick(menu, Qt::Key_H);
            }
        });
        QTest::keyClick(&form, Qt::Key_H, Qt::AltModifier);
        ASSERT_NE(pages.window(), nullptr);
        EXPECT_TRUE(pages.window()->isVisible());
        EXPECT_EQ(pages.window()->windowTitle(), "Vantorell Help");
        EXPECT_EQ(pages.window()->browser()->source().toLocalFile().toStdString(),
                  program.file("help/index.html"));
        EXPECT_TRUE(messages.shown().empty());
    }
    // The designer's end closes it.
    EXPECT_EQ(pages.window(), nullptr);
}

TEST_F(ShellCommandsTest, TheDesignersEndClosesTheHelpWindows) {
    {
        TForm1 form(program.path());
        EXPECT_EQ(help.closeAllCount, 0);
    }
    EXPECT_EQ(help.closeAllCount, 1);
}

TEST_F(ShellCommandsTest, AboutShowsTheBuildsOverADisabledMainWindow) {
    program.write("tqmx01", test::programBytesWithVersion("2.0.0.43"));
    const auto windows = designerWindowsCreate(program.path());
    TForm1& main = *windows->Form1;
    TForm6& about = *windows->Form6;
    main.show();
    EXPECT_EQ(about.lblAboutGUIBuild->text(), "GUI Build: ??");

    main.mnuHelpAbout->trigger();
    EXPECT_TRUE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    EXPECT_FALSE(main.isEnabled());
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.sttProductName->text(), "Vantorell");
    EXPECT_EQ(about.lblAboutCompany->text(), "by Orvane Dovozerodi Ltd.");
    EXPECT_EQ(about.lblAboutVersion->text(), "Version 2");
    EXPECT_EQ(about.lblAboutGUIBuild->text(),
              QStringLiteral("GUI Build: ") + QStringLiteral(VANTORELL_VERSION_TEXT));
    EXPECT_EQ(about.lblAboutPointsEngineBuild->text(), "Points Engine Build: 2.0.0.43");
    EXPECT_EQ(about.lblAboutSQLInterfaceBuild->text(), "SQL Interface Build: 0.0.0.0");
    EXPECT_FALSE(about.Image1->pixmap().isNull());
    EXPECT_TRUE(about.btnOk->isDefault());
    EXPECT_EQ(about.btnOk->text(), "&Ok");

    about.btnOk->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(main.isEnabled());

    // Shown again, it reads the programs again.
    program.write("tqmx03", test::programBytesWithVersion("1.1.0.5"));
    main.mnuHelpAbout->trigger();
    EXPECT_EQ(about.lblAboutSQLInterfaceBuild->text(), "SQL Interface Build: 1.1.0.5");
    about.close();
    EXPECT_TRUE(main.isEnabled());
}

TEST_F(ShellCommandsTest, CheckForUpdatesWaitsForTheUpdaterWithTheWindowDisabled) {
    TempFolder record;
    test::ProgramGate gate(record);
    test::installRecordingProgram(program, "update", record, 0, &gate);
    TForm1 main(program.path());
    main.show();
    bool disabledWhileRunning = false;
    QTimer::singleShot(0, &main, [&] {
        disabledWhileRunning = !main.isEnabled();
        gate.release();
    });
    main.mnuFileCheckVantorellUpdates->trigger();
    EXPECT_TRUE(disabledWhileRunning);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(record.read("args.txt"), "-U\n");
    EXPECT_EQ(record.read("cwd.txt"), test::recordedFolder(program) + "\n");
}

TEST_F(ShellCommandsTest, AnUpdaterThatCannotStartIsReported) {
    TForm1 main(program.path());
    main.show();
    messages.expect("The updater " + program.path() +
                    "update could not be started: No such file or directory.");
    main.mnuFileCheckVantorellUpdates->trigger();
    EXPECT_TRUE(main.isEnabled());
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_EQ(messages.shown()[0].caption, "Check for Vantorell Updates");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace vantorell
