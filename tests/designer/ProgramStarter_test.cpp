#include "designer/rtnReaderWriter/ProgramStarter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(ProgramStarterTest, MissingProgramReturnsTwo) {
    TempFolder dir;
    EXPECT_EQ(WinExecAndWait32("\"" + dir.path() + "tqmx01.exe\" -U", 5), 2);
}

TEST(ProgramStarterTest, RunsTheLinuxProgramOfTheNamedExe) {
    TempFolder dir;
    const std::string script = dir.write(
        "update", "#!/bin/sh\nprintf '%s|' \"$0\" \"$@\" > \"" + dir.file("ran.txt") + "\"\n");
    ::chmod(script.c_str(), 0755);
    EXPECT_EQ(WinExecAndWait32("\"" + dir.path() + "update.exe\" -U", 5, dir.path()), 0);
    EXPECT_EQ(dir.read("ran.txt"), script + "|-U|");
}

TEST(ProgramStarterTest, ALineThatCannotBeStartedRaisesTheStarterMessage) {
    const std::string line = std::string("prog a\0b", 8);
    try {
        WinExecAndWait32(line, 0);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "While attempting to execute the file \r\"prog a?b"
                  "\" \rin function rtnReaderWriter.WinExecAndWait32 \r"
                  "an unexpected error occurred.  The operation you \r"
                  "are trying to perform has been cancelled.");
    }
}

}  // namespace
}  // namespace vantorell
