#include "designer/frmMain/ReopenList.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(ReopenListTest, AddsExistingFilesOnceInTheirFirstPosition) {
    TempFolder dir;
    const std::string a = dir.write("a.vtm", "");
    const std::string b = dir.write("b.vtm", "");
    const std::string upperA = dir.write("A.vtm", "");
    ReopenList list;

    EXPECT_TRUE(list.add(a));
    EXPECT_TRUE(list.add(b));
    EXPECT_FALSE(list.add(a));                     // already listed: keeps its place
    EXPECT_TRUE(list.add(upperA));                 // names compare with case
    EXPECT_FALSE(list.add(dir.file("gone.vtm")));  // no such file
    EXPECT_FALSE(list.add(dir.path()));            // a folder is no model file
    EXPECT_EQ(list.paths(), (std::vector<std::string>{a, b, upperA}));
}

TEST(ReopenListTest, ReadsTheValuesInFileOrderWhateverTheKeys) {
    TempFolder dir;
    const IniFile settings(dir.write("Vantorell.ini",
                                     "[File Menu Reopen List]\n"
                                     "File2=/b.vtm\n"
                                     "Other=/x=y.vtm\n"
                                     "File1=/a.vtm\n"
                                     "[Next]\nFile1=/no.vtm\n"));
    EXPECT_EQ(ReopenList::read(settings, "File Menu Reopen List"),
              (std::vector<std::string>{"/b.vtm", "/x=y.vtm", "/a.vtm"}));
}

TEST(ReopenListTest, SavesAtMostTwentyOneEntries) {
    TempFolder dir;
    ReopenList list;
    std::string expected = "[File Menu Reopen List]\r\n";
    for (int i = 1; i <= 25; ++i) {
        const std::string path = dir.write("m" + std::to_string(i) + ".vtm", "");
        ASSERT_TRUE(list.add(path));
        if (i <= 21) {
            expected += "File" + std::to_string(i) + "=" + path + "\r\n";
        }
    }
    IniFile settings(dir.write("Vantorell.ini",
                               "[File Menu Reopen List]\nFile1=/old.vtm\n"
                               "File30=/older.vtm\n[Keep]\nx=1\n"));
    list.save(settings, "File Menu Reopen List");
    EXPECT_EQ(dir.read("Vantorell.ini"), "[Keep]\r\nx=1\r\n" + expected);
}

TEST(ReopenListTest, APathWithALineBreakIsNotStored) {
    TempFolder dir;
    ReopenList list;
    const std::string broken = dir.write("a\n[Vantorell Form]\nWidth=1.vtm", "");
    const std::string plain = dir.write("b.vtm", "");
    ASSERT_TRUE(list.add(broken));
    ASSERT_TRUE(list.add(plain));
    IniFile settings(dir.file("Vantorell.ini"));
    list.save(settings, "File Menu Reopen List");
    EXPECT_EQ(dir.read("Vantorell.ini"), "[File Menu Reopen List]\r\nFile1=" + plain + "\r\n");
}

TEST(ReopenListTest, AnEmptyListLeavesTheSectionErased) {
    TempFolder dir;
    IniFile settings(dir.write("Vantorell.ini", "[File Menu Reopen List]\nFile1=/old.vtm\n"));
    ReopenList().save(settings, "File Menu Reopen List");
    EXPECT_FALSE(settings.sectionExists("File Menu Reopen List"));
}

}  // namespace
}  // namespace vantorell
