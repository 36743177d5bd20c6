#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <filesystem>

#include "designer/frmMain/PanelSplitter.h"
#include "designer/frmMain/TForm1.h"
#include "designer/views/GridView.h"
#include "designer/views/NodeTreeView.h"
#include "platform/EventLoop.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/FileDates.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::TempFolder;

const char* const kSixLines =
    "Application setup... done.\r\n"
    "Application cleanup... done.\r\n"
    "Create temp directories... done.\r\n"
    "Form setup... done.\r\n"
    "Initial value loading... done.\r\n"
    "Model initialization... done.\r\n";

QRect availableArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The default size, as far as the screen has room for it.
QSize firstStartSize() {
    return QSize(1024, 768).boundedTo(availableArea().size());
}

std::vector<QAction*> optionalGroup(const TForm1& f) {
    return {f.tbnFileConvertModelToCube, f.mnuFileConvertModelToCube,
            f.tbnFileConvertCubeToModel, f.mnuFileConvertCubeToModel,
            f.tbnFileSendModel,          f.mnuFileSendModel,
            f.tbnFileReceiveCube,        f.mnuFileReceiveCube,
            f.tbnConfiguration,          f.ToolButton5,
            f.mnuFileConfiguration,      f.N5};
}

std::vector<std::string> reopenItems(const TForm1& f) {
    std::vector<std::string> paths;
    for (const QAction* item : f.mnuFileReopen->actions()) {
        paths.push_back(item->data().toByteArray().toStdString());
    }
    return paths;
}

class TForm1Test : public ::testing::Test {
protected:
    std::string settingsText() const { return program.read("Vantorell.ini"); }
    IniFile settings() const { return IniFile(program.file("Vantorell.ini")); }
    void writeSettings(const std::string& text) const { program.write("Vantorell.ini", text); }

    TempFolder program;
    test::TestMessages messages;
};

TEST_F(TForm1Test, FirstStartWithoutSettings) {
    {
        TForm1 form(program.path());
        EXPECT_EQ(program.read("startup.log"), kSixLines);
        EXPECT_EQ(form.strProgramFolder, program.path());
        EXPECT_EQ(form.strWorkFolder, program.path() + "Temp/");
        EXPECT_TRUE(directoryExists(form.strWorkFolder));
        EXPECT_EQ(form.strHelpFile, program.path() + "help/index.html");
        EXPECT_EQ(form.iniSettings->fileName(), program.path() + "Vantorell.ini");
        EXPECT_EQ(form.windowTitle().toStdString(),
                  "Vantorell - " + program.path() + "~untitled~.vtm");
        EXPECT_TRUE(form.flgFirstShow);

        for (QAction* optional : optionalGroup(form)) {
            EXPECT_FALSE(optional->isVisible()) << optional->objectName().toStdString();
        }
        for (QAction* always :
             {form.tbnFileNew, form.tbnFileOpen, form.tbnFileSave, form.tbnFileSaveAs,
              form.mnuFileNew, form.mnuFileCheckVantorellUpdates, form.mnuFileExit}) {
            EXPECT_TRUE(always->isVisible() && always->isEnabled())
                << always->objectName().toStdString();
        }
        // Import waits for its dialog.
        EXPECT_FALSE(form.mnuFileImport->isEnabled());
        EXPECT_FALSE(form.tbnFileImport->isEnabled());
        EXPECT_FALSE(form.flgUseProxyInfo);
        EXPECT_TRUE(form.flgUsePassiveTransfer);
        EXPECT_EQ(form.intReaderWriterDebugFlags, 0);

        const QSize size = firstStartSize();
        EXPECT_EQ(form.size(), size);
        EXPECT_EQ(form.x(), availableArea().x() + (availableArea().width() - size.width()) / 2);
        EXPECT_EQ(form.y(), availableArea().y() + (availableArea().height() - size.height()) / 2);
        EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);

        EXPECT_EQ(form.pnlTop->height(), 300);
        EXPECT_EQ(form.pnlDimsCats->width(), 304);
        EXPECT_EQ(form.tvwDimsCats->width(), 216);
        EXPECT_EQ(form.HeaderControl1->sectionSize(0), 216);
        EXPECT_EQ(form.cbxMeasureValuesScale->currentText(), "100");
        for (const char* name :
             {"tvwDimsCats", "lvwDimsCats", "HeaderControl1", "sgdMeasures", "pclValues",
              "sgdMeasureValues", "sgdIrregularities", "pnlDimsCatsSubSub", "sprVertSplitter"}) {
            EXPECT_NE(form.findChild<QWidget*>(name), nullptr) << name;
        }
    }
    EXPECT_FALSE(directoryExists(program.path() + "Temp/"));

    const IniFile written = settings();
    EXPECT_EQ(written.readSections(),
              (std::vector<std::string>{"File Transfer", "Vantorell Form"}));
    EXPECT_EQ(
        written.readSection("File Transfer"),
        (std::vector<std::string>{"UseProxyInfoFlag", "HTTPProxyAddress", "HTTPProxyPort",
                                  "FTPProxyAddress", "FTPProxyPort", "UsePassiveTransferFlag"}));
    EXPECT_EQ(
        written.readSectionValues("Vantorell Form"),
        (std::vector<std::string>{
            "TopPanelHeight=300", "DimsCatsPanelWidth=304", "DimsCatsTreeWidth=216",
            "Top=" + std::to_string(availableArea().y() +
                                    (availableArea().height() - firstStartSize().height()) / 2),
            "Left=" + std::to_string(availableArea().x() +
                                     (availableArea().width() - firstStartSize().width()) / 2),
            "Width=" + std::to_string(firstStartSize().width()),
            "Height=" + std::to_string(firstStartSize().height()), "WindowState=0"}));
    EXPECT_EQ(written.readString("File Transfer", "UsePassiveTransferFlag", ""), "1");
}

TEST_F(TForm1Test, StartDeletesOnlyTheDesignersOwnLogs) {
    for (const char* name : {"startup.log", "SendModel.log", "RetrieveCube.log", "Arrays.log"}) {
        program.write(name, "earlier run\r\n");
    }
    program.write("notes.log", "mine");
    program.write("model.vtm", "");

    TForm1 form(program.path());

    EXPECT_EQ(program.read("startup.log"), kSixLines);
    for (const char* gone : {"SendModel.log", "RetrieveCube.log", "Arrays.log"}) {
        EXPECT_FALSE(fileExists(program.file(gone))) << gone;
    }
    EXPECT_EQ(program.read("notes.log"), "mine");
    EXPECT_TRUE(fileExists(program.file("model.vtm")));
}

TEST_F(TForm1Test, SecondStartRestoresWhatTheFirstLeft) {
    const std::string a = program.write("a.vtm", "");
    const std::string b = program.write("R&D b.vtm", "");
    const QRect area = availableArea();
    {
        TForm1 form(program.path());
        form.resize(600, 420);
        form.move(area.x() + 30, area.y() + 40);
        form.sprHorzSplitter->setPanelSize(250);
        form.sprVertSplitter->setPanelSize(350);
        form.HeaderControl1->resizeSection(0, 180);
        form.flgUseProxyInfo = true;
        form.strHTTPProxyAddress = "proxy.local";
        form.intHTTPProxyPort = 8080;
        form.strFTPProxyAddress = "ftp.local";
        form.intFTPProxyPort = 2121;
        form.flgUsePassiveTransfer = false;
        form.nulMainMenuReopenListAddItem(a);
        form.nulMainMenuReopenListAddItem(b);
    }
    TForm1 form(program.path());
    EXPECT_EQ(form.size(), QSize(600, 420));
    EXPECT_EQ(form.pos(), QPoint(area.x() + 30, area.y() + 40));
    EXPECT_EQ(form.pnlTop->height(), 250);
    EXPECT_EQ(form.pnlDimsCats->width(), 350);
    EXPECT_EQ(form.tvwDimsCats->width(), 180);
    EXPECT_EQ(form.HeaderControl1->sectionSize(0), 180);
    EXPECT_TRUE(form.flgUseProxyInfo);
    EXPECT_EQ(form.strHTTPProxyAddress, "proxy.local");
    EXPECT_EQ(form.intHTTPProxyPort, 8080);
    EXPECT_EQ(form.strFTPProxyAddress, "ftp.local");
    EXPECT_EQ(form.intFTPProxyPort, 2121);
    EXPECT_FALSE(form.flgUsePassiveTransfer);
    EXPECT_EQ(reopenItems(form), (std::vector<std::string>{a, b}));
}

struct ShowCase {
    const char* name;
    bool generate, extract, send, retrieve;
};

class OptionalCommandsTest : public TForm1Test, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(OptionalCommandsTest, FlagsShowTheCommandsAndRetrieveCubeBringsConfiguration) {
    const ShowCase& c = GetParam();
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    writeSettings("[Vantorell Form]\nShowConvertModelToCubeOptionFlag=" + flag(c.generate) +
                  "\nShowConvertCubeToModelOptionFlag=" + flag(c.extract) +
                  "\nShowSendModelOptionFlag=" + flag(c.send) +
                  "\nShowReceiveCubeOptionFlag=" + flag(c.retrieve) + "\n");
    TForm1 form(program.path());
    const std::vector<QAction*> group = optionalGroup(form);
    const bool expected[] = {c.generate, c.generate, c.extract,  c.extract,
                             c.send,     c.send,     c.retrieve, c.retrieve,
                             c.retrieve, c.retrieve, c.retrieve, c.retrieve};
    for (std::size_t i = 0; i < group.size(); ++i) {
        EXPECT_EQ(group[i]->isVisible(), expected[i]) << group[i]->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, OptionalCommandsTest,
                         ::testing::Values(ShowCase{"None", false, false, false, false},
                                           ShowCase{"RetrieveOnly", false, false, false, true},
                                           ShowCase{"SendOnly", false, false, true, false},
                                           ShowCase{"GenerateAndExtract", true, true, false, false},
                                           ShowCase{"All", true, true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TForm1Test, ReopenListKeepsEveryFileWhileRunningAndTwentyOneAfterwards) {
    std::string section = "[File Menu Reopen List]\n";
    std::vector<std::string> files;
    for (int i = 1; i <= 25; ++i) {
        files.push_back(program.write("m" + std::to_string(i) + ".vtm", ""));
        section += "File" + std::to_string(i) + "=" + files.back() + "\n";
        if (i == 3) {
            section += "File3a=" + program.file("deleted.vtm") + "\n";  // dropped
            section += "File3b=" + files.front() + "\n";                // shown once
        }
    }
    writeSettings(section);
    {
        TForm1 form(program.path());
        EXPECT_EQ(reopenItems(form), files);
        const QList<QAction*> items = form.mnuFileReopen->actions();
        EXPECT_EQ(items.front()->objectName(), "mnuFileReopenList1");
        EXPECT_EQ(items.back()->objectName(), "mnuFileReopenList25");

        form.nulMainMenuReopenListAddItem(files[4]);  // already listed: stays in place
        EXPECT_EQ(reopenItems(form), files);
    }
    std::vector<std::string> expected;
    for (int i = 0; i < 21; ++i) {
        expected.push_back("File" + std::to_string(i + 1) + "=" + files[i]);
    }
    EXPECT_EQ(settings().readSectionValues("File Menu Reopen List"), expected);
}

class ReopenRecorder : public TForm1 {
public:
    using TForm1::TForm1;
    std::vector<std::string> opened;

protected:
    void mnuFileReopenNClick(const std::string& path) override { opened.push_back(path); }
};

TEST_F(TForm1Test, AReopenItemShowsAndOpensItsExactPath) {
    const std::string path = program.write("R&D \xC3\xA9t\xC3\xA9.vtm", "");
    ReopenRecorder form(program.path());
    form.nulMainMenuReopenListAddItem(path);

    QAction* item = form.mnuFileReopen->actions().front();
    EXPECT_EQ(item->text().toStdString(), program.path() + "R&&D \xC3\xA9t\xC3\xA9.vtm");
    item->trigger();
    EXPECT_EQ(form.opened, (std::vector<std::string>{path}));
}

TEST_F(TForm1Test, ClosingMaximisedKeepsTheEarlierNormalPlacement) {
    const QRect area = availableArea();
    const std::string top = std::to_string(area.y() + 20);
    const std::string left = std::to_string(area.x() + 10);
    writeSettings("[Vantorell Form]\nTop=" + top + "\nLeft=" + left +
                  "\nWidth=600\nHeight=400\nWindowState=0\n");
    {
        TForm1 form(program.path());
        form.setWindowState(Qt::WindowMaximized);
    }
    const IniFile written = settings();
    EXPECT_EQ(written.readString("Vantorell Form", "WindowState", ""), "2");
    EXPECT_EQ(written.readString("Vantorell Form", "Top", ""), top);
    EXPECT_EQ(written.readString("Vantorell Form", "Left", ""), left);
    EXPECT_EQ(written.readString("Vantorell Form", "Width", ""), "600");
    EXPECT_EQ(written.readString("Vantorell Form", "Height", ""), "400");

    TForm1 again(program.path());
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
}

TEST_F(TForm1Test, AMinimisedStateRestoresAsNormal) {
    writeSettings("[Vantorell Form]\nWindowState=1\n");
    TForm1 form(program.path());
    EXPECT_EQ(form.windowState(), Qt::WindowNoState);
}

TEST_F(TForm1Test, PlacementAndPanelsFromTheFileStayOnTheScreen) {
    writeSettings(
        "[Vantorell Form]\nTop=-300\nLeft=9000\nWidth=9000\nHeight=300\n"
        "TopPanelHeight=9000\nDimsCatsPanelWidth=-20\n");
    TForm1 form(program.path());
    const QRect area = availableArea();
    EXPECT_EQ(form.width(), area.width());
    EXPECT_EQ(form.x(), area.x());
    EXPECT_EQ(form.y(), area.y());
    EXPECT_EQ(form.pnlTop->height(), area.height());
    EXPECT_EQ(form.pnlDimsCats->width(), 0);
}

class CloseQueryScript : public TForm1 {
public:
    using TForm1::TForm1;
    bool answer = true;
    int asked = 0;

protected:
    bool flgCurrentFileCheckForSave() override {
        ++asked;
        return answer;
    }
};

TEST_F(TForm1Test, TheCloseQueryCanStopClosingAndExitTakesTheSamePath) {
    CloseQueryScript form(program.path());
    QSignalSpy closed(&form, &TForm1::formClosed);
    form.show();
    form.asked = 0;  // File New at the first showing asked too

    form.answer = false;
    EXPECT_FALSE(form.close());
    form.mnuFileExit->trigger();
    EXPECT_EQ(form.asked, 2);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(closed.count(), 0);

    form.answer = true;
    form.mnuFileExit->trigger();
    EXPECT_EQ(form.asked, 3);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(TForm1Test, FirstShowingClearsTheFlagOnce) {
    TForm1 form(program.path());
    form.show();
    EXPECT_FALSE(form.flgFirstShow);
}

TEST_F(TForm1Test, FirstShowingStartsANewModelAndOpensTheCommandLineFile) {
    const std::string model = program.file("sales.vtm");
    std::filesystem::copy_file(test::sourcePath("examples/sales.vtm"), model);
    TForm1 form(program.path());
    form.strCommandLineFile = model;
    form.show();

    EXPECT_EQ(form.strCurrentFile, model);
    EXPECT_EQ(form.windowTitle().toStdString(), "Vantorell - " + model);
    EXPECT_EQ(form.tvwDimsCats->model()->rowCount(), 3);
    EXPECT_EQ(form.sgdMeasures->model()->rowCount(), 3);
    EXPECT_EQ(form.statusBar()->currentMessage().left(6), "Read: ");
    EXPECT_EQ(reopenItems(form), (std::vector<std::string>{model}));
}

TEST_F(TForm1Test, ACommandLineFileThatDoesNotExistLeavesTheNewModel) {
    TForm1 form(program.path());
    form.strCommandLineFile = program.file("absent.vtm");
    form.show();
    EXPECT_EQ(form.strCurrentFile, program.file("~untitled~.vtm"));
    EXPECT_EQ(form.tvwDimsCats->model()->rowCount(), 1);
}

TEST_F(TForm1Test, ClosingAsksAboutChangedWorkAndCancelKeepsTheWindow) {
    TForm1 form(program.path());
    QSignalSpy closed(&form, &TForm1::formClosed);
    form.show();
    form.editors.tvwDimsCats.getFirstNode()->setText("Renamed");

    const std::string question =
        "The current file has changed would you like save it before continuing?";
    messages.expect(question, MessageAnswer::Cancel);
    form.mnuFileExit->trigger();
    EXPECT_TRUE(form.isVisible());

    messages.expect(question, MessageAnswer::No);
    EXPECT_TRUE(form.close());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(messages.pending(), 0u);
}

TEST_F(TForm1Test, SaveOfTheNewModelAsksForANameAndTheFileJoinsTheReopenList) {
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService scope(dialogs);
    TForm1 form(program.path());
    form.show();

    const std::string named = program.file("first.vtm");
    dialogs.queue(named);
    form.tbnFileSave->trigger();
    EXPECT_EQ(dialogs.asked().size(), 1u);
    EXPECT_TRUE(fileExists(named));
    EXPECT_EQ(form.windowTitle().toStdString(), "Vantorell - " + named);
    EXPECT_EQ(reopenItems(form), (std::vector<std::string>{named}));

    // New again, then back through the reopen list.
    form.tbnFileNew->trigger();
    EXPECT_EQ(form.strCurrentFile, program.file("~untitled~.vtm"));
    form.mnuFileReopen->actions().front()->trigger();
    EXPECT_EQ(form.strCurrentFile, named);
}

TEST_F(TForm1Test, AFileInTheWorkFolderDatedInTheFutureKeepsTheFolder) {
    const std::string work = program.path() + "Temp/";
    {
        TForm1 form(program.path());
        program.write("Temp/upload.dat", "x");
        test::setFileDateDaysAgo(program.write("Temp/later.dat", "x"), -3);
    }
    EXPECT_FALSE(fileExists(work + "upload.dat"));
    EXPECT_TRUE(fileExists(work + "later.dat"));
    EXPECT_TRUE(directoryExists(work));
}

TEST_F(TForm1Test, CaptionShowsTheFileAndThePlacementSectionStays) {
    {
        TForm1 form(program.path());
        form.nulCaptionSet("/models/first-try.vtm");
        EXPECT_EQ(form.windowTitle(), "Vantorell - /models/first-try.vtm");
        form.nulCaptionSet("/models/b.vtm");
        EXPECT_EQ(form.windowTitle(), "Vantorell - /models/b.vtm");
    }
    EXPECT_EQ(settings().readSections(),
              (std::vector<std::string>{"File Transfer", "Vantorell Form"}));
}

TEST_F(TForm1Test, TheCodeListAndTheNameSectionSizeTheTree) {
    TForm1 form(program.path());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    form.HeaderControl1->resizeSection(0, 150);
    processMessages();
    EXPECT_EQ(form.tvwDimsCats->width(), 150);
    EXPECT_EQ(form.HeaderControl1->sectionSize(1), form.lvwDimsCats->width());
    EXPECT_GT(form.lvwDimsCats->width(), 0);
}

TEST_F(TForm1Test, DraggingTheSplittersResizesThePanels) {
    TForm1 form(program.path());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QTest::mousePress(form.sprVertSplitter, Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseMove(form.sprVertSplitter, QPoint(42, 10));
    QTest::mouseRelease(form.sprVertSplitter, Qt::LeftButton, {}, QPoint(42, 10));
    EXPECT_EQ(form.pnlDimsCats->width(), 344);

    QTest::mousePress(form.sprHorzSplitter, Qt::LeftButton, {}, QPoint(10, 2));
    QTest::mouseMove(form.sprHorzSplitter, QPoint(10, -48));
    QTest::mouseRelease(form.sprHorzSplitter, Qt::LeftButton, {}, QPoint(10, -48));
    EXPECT_EQ(form.pnlTop->height(), 250);
}

TEST_F(TForm1Test, SettingsThatCannotBeWrittenAreReported) {
    ASSERT_EQ(::mkdir(program.file("Vantorell.ini").c_str(), 0755), 0);
    messages.expect("Could not save the settings to \"" + program.file("Vantorell.ini") + "\".");
    { TForm1 form(program.path()); }
    EXPECT_EQ(messages.pending(), 0u);
    EXPECT_FALSE(directoryExists(program.path() + "Temp/"));
}

}  // namespace
}  // namespace vantorell
