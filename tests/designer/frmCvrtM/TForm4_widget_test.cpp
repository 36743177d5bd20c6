// The Extract Model from Cube dialog on the offscreen platform, and the main window's
// commands that show it and start the point generator.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "designer/frmCvrtM/TForm4.h"
#include "designer/frmMain/StartupSequence.h"
#include "designer/rtnReaderWriter/CubeExtraction.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/FakeCube.h"
#include "tests/support/StandInPrograms.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::fakeLeaf;
using test::TempFolder;

test::FakeCubeData smallCube() {
    test::FakeCubeData cube;
    cube.measures = {"Revenue"};
    cube.dimensions = {{"Region", {fakeLeaf("North", {"3"}), fakeLeaf("South", {"1"})}}};
    return cube;
}

class TForm4Test : public ::testing::Test {
protected:
    TForm4Test() : scopedTool(tool), scopedDialogs(dialogs) {
        form.mainWindow = &mainWindow;
        form.strProgramFolder = program.path();
    }

    TempFolder program;
    TempFolder work;
    test::FakeCubeTool tool;
    ScopedCubeAutomation scopedTool;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService scopedDialogs;
    test::TestMessages messages;
    QWidget mainWindow;
    TForm4 form;
};

TEST_F(TForm4Test, HasItsControlsAndStartsWithOkDisabled) {
    EXPECT_EQ(form.windowTitle().toStdString(), "Extract Vantorell Model from Cube");
    EXPECT_EQ(form.lblCubeFile->text().toStdString(), "Input Cube File:");
    EXPECT_EQ(form.lblModelFile->text().toStdString(), "Output Model File:");
    EXPECT_EQ(form.lblProgress->text().toStdString(), "Percent Complete:");
    EXPECT_EQ(form.Label1->text().toStdString(), "DISCLAIMER:");
    EXPECT_EQ(form.StaticText3->text().toStdString(),
              "how to extract Vantorell models from existing cubes.");
    EXPECT_EQ(form.btnOk->text().toStdString(), "&Ok");
    EXPECT_EQ(form.btnCancel->text().toStdString(), "&Cancel");
    EXPECT_TRUE(form.btnOk->isDefault());
    EXPECT_FALSE(form.btnOk->isEnabled());

    form.ggeProgress->setValue(40);
    form.show();
    EXPECT_EQ(form.ggeProgress->value(), 0);
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());
}

TEST_F(TForm4Test, TypingEnablesOkAndTheCubePickerProposesTheModel) {
    const std::string cube = work.write("Sales.mdc", "cube");
    form.show();
    QTest::keyClicks(form.edtCubeFile, QString::fromStdString(cube));
    EXPECT_FALSE(form.btnOk->isEnabled());
    QTest::keyClicks(form.edtModelFile, QStringLiteral("x"));
    EXPECT_TRUE(form.btnOk->isEnabled());
    form.edtModelFile->clear();
    EXPECT_FALSE(form.btnOk->isEnabled());

    dialogs.queue(cube);
    QTest::mouseClick(form.sbnSelectionSaveToDir, Qt::LeftButton);
    ASSERT_EQ(dialogs.asked().size(), 1U);
    EXPECT_EQ(dialogs.asked()[0].initialFolder, work.path());
    EXPECT_EQ(form.edtCubeFile->text().toStdString(), cube);
    EXPECT_EQ(form.edtModelFile->text().toStdString(), work.file("Sales.vtm"));
    EXPECT_TRUE(form.btnOk->isEnabled());

    dialogs.queue(std::nullopt);  // cancelled: the field stays
    dialogs.queue(work.file("north.vtm"));
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(form.edtModelFile->text().toStdString(), work.file("Sales.vtm"));
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(form.edtModelFile->text().toStdString(), work.file("north.vtm"));
    EXPECT_TRUE(dialogs.asked()[2].overwritePrompt);

    // The cube going away does not disable Ok until a field changes.
    deleteFile(cube);
    EXPECT_TRUE(form.btnOk->isEnabled());
    QTest::keyClicks(form.edtModelFile, QStringLiteral("x"));
    EXPECT_FALSE(form.btnOk->isEnabled());
    form.close();
}

TEST_F(TForm4Test, OkExtractsIntoTheCompletedNameAndCloses) {
    const std::string cube = work.write("sales.mdc", "cube");
    tool.cubes[cube] = smallCube();
    form.show();
    form.edtCubeFile->setText(QString::fromStdString(cube));
    form.edtModelFile->setText(QString::fromStdString(work.file("sales")));
    QTest::mouseClick(form.btnOk, Qt::LeftButton);
    EXPECT_EQ(form.edtModelFile->text().toStdString(), work.file("sales.vtm"));
    EXPECT_EQ(form.ggeProgress->value(), 100);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_NE(work.read("sales.vtm").find("CAT\r\nD1\r\nNorth\r\n"), std::string::npos);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TForm4Test, AFailedExtractionIsShownAfterTheDialogCloses) {
    const std::string cube = work.write("sales.mdc", "cube");
    tool.cubes[cube] = smallCube();
    form.show();
    form.edtCubeFile->setText(QString::fromStdString(cube));
    form.edtModelFile->setText(QString::fromStdString(work.file("sales.vtm")));

    tool.installed.clear();
    messages.expect(
        "The cube tool is not installed on this computer, so no model can be extracted from a "
        "cube.");
    QTest::mouseClick(form.btnOk, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(fileExists(work.file("sales.vtm")));
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_EQ(messages.shown()[0].caption, "Extract Vantorell Model from Cube");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);

    tool.installed = {"PowerPlay.Application", "PowerPlay.Report"};
    tool.failingMember = "saveAs";
    form.show();
    messages.expect("The cube tool failed in saveAs.");
    QTest::mouseClick(form.btnOk, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The main window's commands in the designer's own windows.
class GeneratorCommandsTest : public ::testing::Test {
protected:
    TempFolder program;
    TempFolder record;
    test::TestMessages messages;
};

TEST_F(GeneratorCommandsTest, ExtractShowsItsDialogOverADisabledMainWindow) {
    const auto windows = designerWindowsCreate(program.path());
    windows->Form1->show();
    windows->Form1->tbnFileConvertCubeToModel->trigger();
    EXPECT_TRUE(windows->Form4->isVisible());
    EXPECT_FALSE(windows->Form1->isEnabled());
    EXPECT_EQ(windows->Form4->strProgramFolder, program.path());
    windows->Form4->close();
    EXPECT_TRUE(windows->Form1->isEnabled());
}

TEST_F(GeneratorCommandsTest, GeneratePointsWaitsForTheGeneratorWithTheWindowDisabled) {
    test::ProgramGate gate(record);
    test::installRecordingProgram(program, "tqmx01", record, 0, &gate);
    const auto windows = designerWindowsCreate(program.path());
    TForm1& main = *windows->Form1;
    main.show();
    auto generate = [&](QAction* command) {
        bool disabledWhileRunning = false;
        QTimer::singleShot(0, &main, [&] {
            disabledWhileRunning = !main.isEnabled();
            gate.release();
        });
        command->trigger();
        EXPECT_TRUE(disabledWhileRunning);
        EXPECT_TRUE(main.isEnabled());
    };

    // The untitled model: no file for the generator.
    generate(main.mnuFileConvertModelToCube);
    EXPECT_EQ(record.read("args.txt"), "-Er6413T%T\n");
    EXPECT_EQ(record.read("cwd.txt"), test::recordedFolder(program) + "\n");

    // A named model goes as last saved, unsaved edits and all.
    const std::string model = program.file("sales 1.vtm");
    ASSERT_TRUE(main.flgFileSave(model));
    main.strCurrentFile = model;
    const std::string saved = program.read("sales 1.vtm");
    main.editors.sgdMeasures.setCell(1, 1, "Changed");
    generate(main.tbnFileConvertModelToCube);
    EXPECT_EQ(record.read("args.txt"), "-Er6413T%T\n-D" + model + "\n");
    EXPECT_EQ(program.read("sales 1.vtm"), saved);
}

TEST_F(GeneratorCommandsTest, AGeneratorThatCannotStartIsReported) {
    const auto windows = designerWindowsCreate(program.path());
    TForm1& main = *windows->Form1;
    main.show();
    messages.expect("The point generator " + program.path() +
                    "tqmx01 could not be started: No such file or directory.");
    main.mnuFileConvertModelToCube->trigger();
    EXPECT_TRUE(main.isEnabled());
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_EQ(messages.shown()[0].caption, "Generate Points");
}

}  // namespace
}  // namespace vantorell
