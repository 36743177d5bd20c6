#include "designer/rtnFiles.h"

#include <gtest/gtest.h>

#include "platform/FileDialogService.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(RtnFilesTest, ReadLinesKeepsLinesAsWrittenAndSkipsBlanksOnRequest) {
    TempFolder dir;
    struct Case {
        const char* content;
        bool skipEmpty;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\n\r\n  \r\nb\r\n", false, {"a", "", "  ", "b"}},
        {"a\r\n\r\n  \r\nb\r\n", true, {"a", "b"}},
        {"  x  \nlast", false, {"  x  ", "last"}},
        {"", false, {""}},
        {"", true, {}},
        {"\t\x01\n", true, {}},
        {"one\n\n", false, {"one", ""}},
    };
    for (const Case& c : cases) {
        const std::string path = dir.write("f.txt", c.content);
        TFileOpenReadCloseArray lines{"stale"};
        EXPECT_EQ(intFileReadLines(path, c.skipEmpty, lines), static_cast<int>(c.lines.size()));
        EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.content);
    }
}

TEST(RtnFilesTest, ReadLinesJoinsLinesAcrossTheReadBuffer) {
    // Lines of every length up to 300, so that line ends and CRLF pairs fall on every
    // position of the reader's 64 KiB buffer, the last line without its end.
    TempFolder dir;
    std::string content;
    std::vector<std::string> expected;
    for (int i = 0; content.size() < 200'000; ++i) {
        expected.push_back(
            std::string(static_cast<std::size_t>(i % 301), static_cast<char>('a' + i % 26)));
        content += expected.back() + (i % 2 == 0 ? "\r\n" : "\n");
    }
    expected.push_back("tail");
    content += "tail";
    TFileOpenReadCloseArray lines;
    EXPECT_EQ(intFileReadLines(dir.write("big.txt", content), false, lines),
              static_cast<int>(expected.size()));
    EXPECT_EQ(lines, expected);
}

TEST(RtnFilesTest, AppendCreatesAndCreateEmpties) {
    TempFolder dir;
    const std::string log = dir.file("startup.log");
    nulFileAppendLine(log, "Application setup... done.");
    EXPECT_EQ(dir.read("startup.log"), "Application setup... done.\r\n");
    nulFileAppendLine(log, "second");
    EXPECT_EQ(dir.read("startup.log"), "Application setup... done.\r\nsecond\r\n");
    nulFileCreate(log);
    EXPECT_EQ(dir.read("startup.log"), "");
}

TEST(RtnFilesTest, FileErrorsRaise) {
    TempFolder dir;
    TFileOpenReadCloseArray lines;
    EXPECT_THROW(intFileReadLines(dir.file("missing.txt"), false, lines), FileIoError);
    EXPECT_THROW(nulFileAppendLine(dir.file("no/folder/x.log"), "x"), FileIoError);
    EXPECT_THROW(nulFileCreate(dir.file("no/folder/x.log")), FileIoError);
}

TEST(RtnFilesTest, ChooseFolderLeavesTheTextAloneWhenCancelled) {
    TempFolder dir;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService guard(dialogs);
    dialogs.queue(std::nullopt);
    dialogs.queue(dir.path() + "missing");
    dialogs.queue(dir.path());
    std::string folder = "unchanged";
    EXPECT_FALSE(flgChooseFolder(folder));
    EXPECT_FALSE(flgChooseFolder(folder));
    EXPECT_EQ(folder, "unchanged");
    EXPECT_TRUE(flgChooseFolder(folder));
    EXPECT_EQ(folder, dir.path());
    EXPECT_EQ(dialogs.asked().front().title, "Select a folder");
}

}  // namespace
}  // namespace vantorell
