// The program folder the build puts together, as a user gets it: copied whole into a folder
// of its own, the designer started from it finds the engine and the updater beside itself.
// From the designer's window a model goes to the cube server as a protected copy made by the
// engine, Check for Vantorell Updates starts the updater, and Help Contents shows the help
// pages. A probe loaded into the designer works its window as a user would.
#include <gtest/gtest.h>

#include <filesystem>

#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileSystem.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/BuiltPrograms.h"
#include "tests/support/CubeSessionFolders.h"
#include "tests/support/ModelDump.h"
#include "tests/support/ProbedRun.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::reportHolds;
using test::TempFolder;

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override { test::installBuiltProgramFolder(program.path()); }

    std::string designer() const { return program.file("Vantorell"); }

    TempFolder program;
    // The updater's own settings stay out of the user's configuration folder.
    TempFolder config;
    test::ScopedEnvironment configuration{{{"XDG_CONFIG_HOME", config.path()}}};
};

TEST_F(ProgramFolderTest, HoldsTheThreeProgramsTheHelpPagesAndTheExamples) {
    for (const char* name : {"Vantorell", "tqmx01", "update", "help/index.html", "help/help.css",
                             "examples/sales.vtm"}) {
        EXPECT_TRUE(fileExists(program.file(name))) << name;
    }
    // The updater is the engine under its second name.
    EXPECT_EQ(readWholeFile(program.file("update")), readWholeFile(program.file("tqmx01")));
    EXPECT_EQ(readWholeFile(program.file("examples/sales.vtm")),
              readWholeFile(test::sourcePath("examples/sales.vtm")));
}

TEST_F(ProgramFolderTest, SendModelMakesAProtectedCopyThroughTheEngineBesideTheDesigner) {
    test::CubeSites sites;
    ASSERT_TRUE(sites.start(test::accountFile("enabled", 3))) << sites.failure;
    const std::string model = program.write(
        "small.vtm", readWholeFile(test::sourcePath("tests/designer/data/small_model.vtm")));
    program.write("Vantorell.ini",
                  "[Vantorell Form]\r\nShowSendModelOptionFlag=1\r\n" +
                      test::cubeServerSettings(sites.maker.lookupUrl(), sites.cube.port()));

    const std::string shown =
        test::probedRun(designer(), {QString::fromStdString(model)}, program,
                        std::string("mnuFileSendModel,edtUserID=") + test::kCubeUser +
                            ",metPassword=" + test::kCubePassword +
                            ",btnIdentification,btnAcceptanceYes,btnSelection");
    EXPECT_TRUE(reportHolds(shown, "lblTransferProgress: Transfer completed.")) << shown;

    // On the server: the engine's layout, no plain record in it.
    const std::string copy = sites.cube.home(test::kCubeUser) + "input/small.vtm";
    const std::string sent = readWholeFile(copy);
    EXPECT_EQ(sent.rfind("L\n", 0), 0U);
    EXPECT_EQ(sent.find("VT0200"), std::string::npos);
    // Reopened through the same engine with the password: the model the designer had open.
    ModelArrays reopened;
    std::int32_t points = 0;
    ASSERT_TRUE(
        flgReadFile(program.path(), copy, test::kCubePassword, "", 0, true, points, reopened));
    ModelArrays plain;
    ASSERT_TRUE(flgReadFile(model, points, plain));
    EXPECT_EQ(test::dumpModel(reopened), test::dumpModel(plain));
    // The work folder with the copy went when the designer closed.
    EXPECT_FALSE(std::filesystem::exists(program.file("Temp")));
}

TEST_F(ProgramFolderTest, CheckForVantorellUpdatesStartsTheUpdaterBesideTheDesigner) {
    const std::string shown =
        test::probedRun(designer(), {}, program, "mnuFileCheckVantorellUpdates");
    const std::string updater = test::probedChildReport(program);
    EXPECT_EQ(updater.rfind("window Form1: Welcome to Orvane Dovozerodi Ltd. Vantorell 2.0 "
                            "Installation\n",
                            0),
              0U)
        << updater;
    EXPECT_TRUE(reportHolds(updater, "WelcomeExitButton: Cancel")) << updater;
    // The designer waited for it and goes on, with nothing to report.
    EXPECT_EQ(shown.find("message "), std::string::npos) << shown;
    EXPECT_NE(shown.find("window Form1: Vantorell - "), std::string::npos) << shown;
}

TEST_F(ProgramFolderTest, HelpContentsShowsTheHelpPagesBesideTheDesigner) {
    const std::string shown = test::probedRun(designer(), {}, program, "mnuHelpHelp");
    EXPECT_EQ(shown.find("message "), std::string::npos) << shown;
    EXPECT_NE(shown.find("window HelpWindow: Vantorell Help\n"), std::string::npos) << shown;
}

}  // namespace
}  // namespace vantorell
