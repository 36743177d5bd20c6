#include "platform/FileVersion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/ProgramFolder.h"
#include "platform/VersionMarker.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

const std::string kPrefix = VANTORELL_VERSION_MARKER_PREFIX;

std::string marker(const std::string& value) {
    return kPrefix + value + std::string(1, '\0');
}

// Bytes that hold no marker, as much of a program file as `size`.
std::string filler(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(
            "\x7f"
            "ELF@(#)abc\0\x01"[i % 13]);
    }
    return bytes;
}

TEST(FileVersionTest, FindsTheFirstWellFormedMarker) {
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<FileVersionNumber> expected;
    };
    const Case cases[] = {
        {"alone", marker("2.5.0.13"), FileVersionNumber{2, 5, 0, 13}},
        {"inside a file", filler(5000) + marker("1.0.0.0") + filler(300),
         FileVersionNumber{1, 0, 0, 0}},
        {"largest parts", marker("65535.65535.65535.65535"),
         FileVersionNumber{65535, 65535, 65535, 65535}},
        {"first of two", marker("3.1.4.1") + marker("9.9.9.9"), FileVersionNumber{3, 1, 4, 1}},
        // The reader's own search text sits in every program, followed by no version.
        {"bare prefix before", kPrefix + std::string(1, '\0') + marker("4.0.0.2"),
         FileVersionNumber{4, 0, 0, 2}},
        {"part too large skipped", marker("65536.0.0.0") + marker("1.2.3.4"),
         FileVersionNumber{1, 2, 3, 4}},
        {"prefix inside a broken marker", kPrefix + "1.2" + marker("5.6.7.8"),
         FileVersionNumber{5, 6, 7, 8}},
        {"no marker", filler(70000), std::nullopt},
        {"empty file", "", std::nullopt},
        {"three parts", marker("1.2.3"), std::nullopt},
        {"five parts", marker("1.2.3.4.5"), std::nullopt},
        {"empty part", marker("1..3.4"), std::nullopt},
        {"six digits", marker("000001.0.0.0"), std::nullopt},
        {"no NUL at the end of the file", kPrefix + "1.2.3.4", std::nullopt},
        {"text after the version", kPrefix + "1.2.3.4-beta" + std::string(1, '\0'), std::nullopt},
        {"other letter case", "@(#)VANTORELL FILE VERSION 1.2.3.4" + std::string(1, '\0'),
         std::nullopt},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder.write("program", c.bytes);
        EXPECT_EQ(fileVersionRead(path), c.expected) << c.what;
    }
}

TEST(FileVersionTest, AMarkerAcrossThePiecesOfTheReadIsFound) {
    TempFolder folder;
    // The file is read in pieces of 64 KiB; put the marker's every byte once on the seam.
    const std::string value = marker("7.8.9.10");
    for (std::size_t split = 1; split < value.size(); ++split) {
        const std::string path =
            folder.write("program", filler((1 << 16) - split) + value + filler(100));
        EXPECT_EQ(fileVersionRead(path), (FileVersionNumber{7, 8, 9, 10})) << split;
    }
    // A bare prefix on one seam and the marker on the next.
    const std::string path = folder.write(
        "program", filler((1 << 16) - 5) + kPrefix + filler(1 << 16) + marker("1.1.1.1"));
    EXPECT_EQ(fileVersionRead(path), (FileVersionNumber{1, 1, 1, 1}));
}

TEST(FileVersionTest, MissingFilesAndFoldersHaveNoVersion) {
    TempFolder folder;
    EXPECT_EQ(fileVersionRead(folder.file("missing")), std::nullopt);
    EXPECT_EQ(fileVersionRead(folder.path()), std::nullopt);
    EXPECT_EQ(fileVersionRead(""), std::nullopt);
}

TEST(FileVersionTest, TheBuildEmbedsTheVersionInEveryProgram) {
    for (const std::string& program : {executablePath(), std::string(VANTORELL_DESIGNER_EXE),
                                       std::string(VANTORELL_ENGINE_EXE)}) {
        const std::optional<FileVersionNumber> version = fileVersionRead(program);
        ASSERT_TRUE(version.has_value()) << program;
        EXPECT_EQ(strFileVersionText(*version), VANTORELL_VERSION_TEXT) << program;
    }
}

TEST(FileVersionTest, TextIsTheFourPartsInDecimal) {
    EXPECT_EQ(strFileVersionText({}), "0.0.0.0");
    EXPECT_EQ(strFileVersionText({2, 50, 65535, 7}), "2.50.65535.7");
}

}  // namespace
}  // namespace vantorell
