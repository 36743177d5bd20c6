// The fixed commands to the engine, the point generator and the updater, with stand-ins of
// the programs in the test's program folder.
#include "designer/rtnReaderWriter/EngineCommands.h"

#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "platform/FileSystem.h"
#include "tests/support/StandInPrograms.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(EngineCommandsTest, CommandLineTexts) {
    EXPECT_EQ(strGeneratorCommandLine("/opt/v/", true, "/m/sales 1.vtm"),
              "\"/opt/v/tqmx01.exe\" -Er6413T%T -D\"/m/sales 1.vtm\"");
    EXPECT_EQ(strGeneratorCommandLine("/opt/v/", false, "/m/sales 1.vtm"),
              "\"/opt/v/tqmx01.exe\" -Er6413T%T");
    EXPECT_EQ(strUpdaterCommandLine("/opt/v/"), "\"/opt/v/update.exe\" -U");
}

TEST(EngineCommandsTest, DecryptCubeWritesTheControlFileAndRunsTheEngineHidden) {
    struct Case {
        std::string secondKey;
        std::string control;
    } cases[] = {
        {"", "F\r\n/w/Temp/sales.mdc\r\nO\r\n/out/sales.mdc\r\nP\r\npass word\r\nE\r\n"},
        {"key 2",
         "F\r\n/w/Temp/sales.mdc\r\nO\r\n/out/sales.mdc\r\nP\r\npass word\r\nS\r\nkey 2\r\nE\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondKey);
        TempFolder program;
        TempFolder record;
        test::installRecordingProgram(program, "tqmx01", record);
        EXPECT_TRUE(flgDecryptCube(program.path(), "/w/Temp/sales.mdc", "pass word", c.secondKey,
                                   "/out/sales.mdc"));
        EXPECT_EQ(record.read("control.copy"), c.control);
        EXPECT_EQ(record.read("args.txt"), "-BK7#LmmP\n-f" + program.path() + "control.bec\n-d\n");
        EXPECT_EQ(record.read("cwd.txt"), test::recordedFolder(program) + "\n");
        // The password does not stay behind in the program folder.
        EXPECT_FALSE(fileExists(program.file(kControlFile)));
    }
}

TEST(EngineCommandsTest, DecryptCubeWithoutAPasswordDoesNothing) {
    TempFolder program;
    TempFolder record;
    test::installRecordingProgram(program, "tqmx01", record);
    EXPECT_FALSE(flgDecryptCube(program.path(), "in.mdc", "", "key", "out.mdc"));
    nulDecryptCube(program.path(), "in.mdc", "", "", "out.mdc");
    EXPECT_FALSE(fileExists(program.file(kControlFile)));
    EXPECT_FALSE(fileExists(record.file("args.txt")));
}

TEST(EngineCommandsTest, DecryptCubeReportsAFailedRun) {
    TempFolder program;
    EXPECT_FALSE(flgDecryptCube(program.path(), "in.mdc", "pw", "", "out.mdc"));  // no engine
    TempFolder record;
    test::installRecordingProgram(program, "tqmx01", record, 1);
    EXPECT_FALSE(flgDecryptCube(program.path(), "in.mdc", "pw", "", "out.mdc"));
    EXPECT_THROW(flgDecryptCube(program.path(), "in.mdc", "pw\r\nO", "", "out.mdc"),
                 EngineRequestError);
}

TEST(EngineCommandsTest, StartEnginePassesTheModelOnlyWithTheFlag) {
    struct Case {
        bool withFile;
        std::string args;
    } cases[] = {
        {true, "-Er6413T%T\n-D/models/sales 2024.vtm\n"},
        {false, "-Er6413T%T\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.withFile);
        TempFolder program;
        TempFolder record;
        test::installRecordingProgram(program, "tqmx01", record);
        nulStartEngine(program.path(), c.withFile, "/models/sales 2024.vtm");
        EXPECT_EQ(record.read("args.txt"), c.args);
        EXPECT_EQ(record.read("cwd.txt"), test::recordedFolder(program) + "\n");
    }
}

TEST(EngineCommandsTest, CheckUpdatesStartsTheUpdater) {
    TempFolder program;
    TempFolder record;
    test::installRecordingProgram(program, "update", record, 5);
    nulCheckUpdates(program.path());  // the updater's exit status is not looked at
    EXPECT_EQ(record.read("args.txt"), "-U\n");
}

TEST(EngineCommandsTest, ProgramsThatCannotBeStartedRaise) {
    TempFolder program;
    try {
        nulStartEngine(program.path(), true, "/m/a.vtm");
        ADD_FAILURE() << "no exception";
    } catch (const EngineRequestError& e) {
        EXPECT_EQ(std::string(e.what()), "The point generator " + program.path() +
                                             "tqmx01 could not be started: No such file or "
                                             "directory.");
    }
    EXPECT_THROW(nulCheckUpdates(program.path()), EngineRequestError);

    // A quote in the model's name would split it into other arguments.
    TempFolder record;
    test::installRecordingProgram(program, "tqmx01", record);
    EXPECT_THROW(nulStartEngine(program.path(), true, "/m/say \"hi\".vtm"), EngineRequestError);
    EXPECT_FALSE(fileExists(record.file("args.txt")));
}

}  // namespace
}  // namespace vantorell
