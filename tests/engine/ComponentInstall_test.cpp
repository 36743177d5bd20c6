// Installing downloaded components: a staging file moved over the program it stands for,
// and the installers started from the program folder.
#include "engine/tqmh01/ComponentInstall.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "tests/support/FileWait.h"
#include "tests/support/StandInPrograms.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell::engine {
namespace {

using namespace std::chrono_literals;

unsigned modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

TEST(ComponentInstallTest, AStagingFileReplacesItsProgram) {
    struct Case {
        void (*install)(const std::string&);
        const char* staging;
        const char* program;
        const char* created;
    } cases[] = {
        {CopyGUI, "instage.exe", "Vantorell", "Vantorell main file created."},
        {SQLCopy, "sqstage.exe", "tqmx03", "Database Generator file created."},
    };
    for (const Case& c : cases) {
        test::TempFolder program;
        program.write(c.staging, "the new program");
        program.write(c.program, "the old program");
        test::TestMessages messages;
        messages.expect(c.created);
        c.install(program.path());
        EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Information);
        EXPECT_EQ(program.read(c.program), "the new program");
        EXPECT_EQ(modeOf(program.file(c.program)), 0755u);
        EXPECT_FALSE(fileExists(program.file(c.staging)));
    }
}

TEST(ComponentInstallTest, WithoutItsStagingFileNothingChanges) {
    test::TempFolder program;
    program.write("Vantorell", "the old program");
    test::TestMessages messages;
    messages.expect("File to install from does not exist, unable to update.");
    CopyGUI(program.path());
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Error);
    EXPECT_EQ(program.read("Vantorell"), "the old program");
}

TEST(ComponentInstallTest, AMoveThatFailsSaysSoAndLeavesBothFiles) {
    test::TempFolder program;
    program.write("sqstage.exe", "the new program");
    program.write("tqmx03/inside", "a folder where the program would go");
    test::TestMessages messages;
    messages.expectContaining("could not be moved into place");
    SQLCopy(program.path());
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Error);
    EXPECT_EQ(program.read("sqstage.exe"), "the new program");
    EXPECT_EQ(program.read("tqmx03/inside"), "a folder where the program would go");
}

TEST(ComponentInstallTest, SetupStartsFromTheProgramFolder) {
    test::TempFolder program;
    test::TempFolder record;
    test::installRecordingProgram(program, "setup.exe", record);
    RunSetup(program.path());
    EXPECT_TRUE(test::waitForFileContents(
        record.file("cwd.txt"), [](const std::string& text) { return !text.empty(); }, 20s));
    EXPECT_EQ(record.read("args.txt"), "\n");  // no arguments
}

TEST(ComponentInstallTest, TheInstallersRenameIsWrittenForItsBatchFile) {
    test::TempFolder program;
    InstallerCopyButtonClick(program.path());
    EXPECT_EQ(program.read("temp.bat"), "del remove.exe\r\nrename eistage.exe remove.exe\r\n");
}

}  // namespace
}  // namespace vantorell::engine
