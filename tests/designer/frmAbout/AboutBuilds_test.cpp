#include "designer/frmAbout/AboutBuilds.h"

#include <gtest/gtest.h>

#include "designer/FileVersion.h"
#include "platform/ProgramFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VersionedFiles.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(FileVersionClassTest, ReadsTheRunningProgramAndThenTheNamedFile) {
    TFileVersion version;
    EXPECT_EQ(version.strFileName, executablePath());
    EXPECT_EQ(version.strFileVersion, VANTORELL_VERSION_TEXT);

    TempFolder folder;
    version.strFileName = folder.write("tool", test::programBytesWithVersion("2.50.3.1207"));
    version.Execute();
    EXPECT_EQ(version.strFileVersion, "2.50.3.1207");
    EXPECT_EQ(version.strMajor, "2");
    EXPECT_EQ(version.strMinor, "50");
    EXPECT_EQ(version.strRelease, "3");
    EXPECT_EQ(version.strBuild, "1207");

    // A file without a version after one with: every field goes back to nought.
    version.strFileName = folder.write("plain", "no version here");
    version.Execute();
    EXPECT_EQ(version.strFileVersion, "0.0.0.0");
    EXPECT_EQ(version.strMajor + version.strMinor + version.strRelease + version.strBuild, "0000");
}

TEST(AboutBuildsTest, ShowsTheDesignerAndTheProgramsInTheProgramFolder) {
    TempFolder program;
    program.write("tqmx01", test::programBytesWithVersion("2.0.0.43"));
    program.write("tqmx03", test::programBytesWithVersion("1.4.2.9"));
    // The Windows names are not what the programs are called here.
    program.write("tqmx01.exe", test::programBytesWithVersion("9.9.9.9"));
    const AboutBuildLines lines = aboutBuildLinesRead(program.path());
    EXPECT_EQ(lines.gui, std::string("GUI Build: ") + VANTORELL_VERSION_TEXT);
    EXPECT_EQ(lines.pointsEngine, "Points Engine Build: 2.0.0.43");
    EXPECT_EQ(lines.sqlInterface, "SQL Interface Build: 1.4.2.9");
}

TEST(AboutBuildsTest, MissingProgramsShowNoughts) {
    TempFolder program;
    const AboutBuildLines lines = aboutBuildLinesRead(program.path());
    EXPECT_EQ(lines.pointsEngine, "Points Engine Build: 0.0.0.0");
    EXPECT_EQ(lines.sqlInterface, "SQL Interface Build: 0.0.0.0");
}

}  // namespace
}  // namespace vantorell
