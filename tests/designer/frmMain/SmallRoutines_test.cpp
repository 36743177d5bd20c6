#include "designer/frmMain/SmallRoutines.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/FileSystem.h"
#include "tests/support/FileDates.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::setFileDateDaysAgo;
using test::TempFolder;

struct AgeCase {
    int minimumAge;
    int expectedDeleted;
    std::vector<std::string> kept;
};

class FilesDeleteByAgeTest : public ::testing::TestWithParam<AgeCase> {};

TEST_P(FilesDeleteByAgeTest, DeletesMatchingFilesOfTheMinimumAge) {
    TempFolder dir;
    for (const auto& [name, age] : std::vector<std::pair<std::string, int>>{{"today.log", 0},
                                                                            {"yesterday.log", 1},
                                                                            {"old.log", 3},
                                                                            {"future.log", -2},
                                                                            {"old.txt", 3}}) {
        setFileDateDaysAgo(dir.write(name, "x"), age);
    }
    ::mkdir(dir.file("folder.log").c_str(), 0755);
    setFileDateDaysAgo(dir.file("folder.log"), 5);

    EXPECT_EQ(intFilesDeleteByAge(dir.path() + "*.log", GetParam().minimumAge),
              GetParam().expectedDeleted);
    for (const std::string& name : GetParam().kept) {
        EXPECT_TRUE(fileExists(dir.file(name))) << name;
    }
    EXPECT_TRUE(fileExists(dir.file("old.txt")));
    EXPECT_TRUE(directoryExists(dir.file("folder.log")));
}

INSTANTIATE_TEST_SUITE_P(
    Ages, FilesDeleteByAgeTest,
    ::testing::Values(AgeCase{0, 3, {"future.log"}}, AgeCase{1, 2, {"today.log", "future.log"}},
                      AgeCase{3, 1, {"today.log", "yesterday.log", "future.log"}},
                      AgeCase{4, 0, {"today.log", "yesterday.log", "old.log", "future.log"}}),
    [](const auto& info) { return "MinimumAge" + std::to_string(info.param.minimumAge); });

TEST(FilesDeleteByAgeTest, AMissingFolderDeletesNothing) {
    EXPECT_EQ(intFilesDeleteByAge("/nonexistent-vantorell-folder/*.*", 0), 0);
}

TEST(BlanksNormalizeTest, RemovesBlanksTabsAndNonBreakingSpacesOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"NORTH", "NORTH"},
        {" N O\tR TH ", "NORTH"},
        {"A\xC2\xA0"
         "B",
         "AB"},  // non-breaking space
        {"caf\xC3\xA0 bar",
         "caf\xC3\xA0"
         "bar"},               // "à" ends in the same byte and stays
        {"a\nb\r", "a\nb\r"},  // line ends are not blanks
        {" \t\xC2\xA0 ", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(strBlanksNormalize(text), expected) << text;
    }
}

}  // namespace
}  // namespace vantorell
