#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(IniFileTest, ReadsLikeTheProfileRoutines) {
    TempFolder dir;
    const std::string path = dir.write("x.ini",
                                       "; leading comment\r\n"
                                       "[Vantorell Form]\r\n"
                                       "Width = 800 \r\n"
                                       "width=1\r\n"  // a duplicate: the first one wins
                                       "Path=C:\\Models\\a.vtm\n"
                                       "Quoted=\"  padded  \"\n"
                                       "Hex=$1F\n"
                                       "Bad=12abc\n"
                                       "Flag=1\n"
                                       "[vantorell form]\n"
                                       "Top=5\n");
    IniFile ini(path);
    struct Case {
        const char* key;
        std::string expected;
    } strings[] = {
        {"WIDTH", "800"}, {"Path", "C:\\Models\\a.vtm"}, {"Quoted", "  padded  "}, {"Missing", "dflt"},
    };
    for (const Case& c : strings) {
        EXPECT_EQ(ini.readString("VANTORELL FORM", c.key, "dflt"), c.expected) << c.key;
    }
    EXPECT_EQ(ini.readInteger("Vantorell Form", "Width", 0), 800);
    EXPECT_EQ(ini.readInteger("Vantorell Form", "Hex", 0), 31);
    EXPECT_EQ(ini.readInteger("Vantorell Form", "Bad", 7), 7);
    EXPECT_EQ(ini.readInteger("Vantorell Form", "Top", 9), 9);  // second section of that name
    EXPECT_TRUE(ini.readBool("Vantorell Form", "Flag", false));
    EXPECT_TRUE(ini.readBool("Vantorell Form", "Missing", true));
    EXPECT_EQ(ini.readSection("Vantorell Form"),
              (std::vector<std::string>{"Width", "Path", "Quoted", "Hex", "Bad", "Flag"}));
}

TEST(IniFileTest, WritesThroughAndKeepsOtherLines) {
    TempFolder dir;
    const std::string path = dir.write("x.ini",
                                       "[A]\n"
                                       "; keep me\n"
                                       "One=1\n"
                                       "\n"
                                       "[B]\n"
                                       "Two=2\n");
    IniFile ini(path);
    ini.writeString("a", "one", "uno");  // existing key keeps its spelling and place
    ini.writeInteger("A", "Three", 3);   // new key after the last entry, before the blank line
    ini.writeBool("C", "Flag", true);    // new section at the end
    EXPECT_EQ(dir.read("x.ini"),
              "[A]\r\n; keep me\r\nOne=uno\r\nThree=3\r\n\r\n[B]\r\nTwo=2\r\n[C]\r\nFlag=1\r\n");

    ini.eraseSection("b");
    ini.deleteKey("A", "THREE");
    IniFile again(path);
    EXPECT_FALSE(again.sectionExists("B"));
    EXPECT_FALSE(again.valueExists("A", "Three"));
    EXPECT_EQ(again.readString("A", "One", ""), "uno");
    EXPECT_EQ(again.readSectionValues("C"), std::vector<std::string>{"Flag=1"});
}

// An entry that is not written keeps its text: a quoted value keeps the blanks the quotes
// protect, so writing one value changes no other.
TEST(IniFileTest, WritingOneValueLeavesTheOtherEntriesAsTheyStand) {
    TempFolder dir;
    const std::string path = dir.write("status.ini",
                                       "[User]\r\n"
                                       "  AccountStatus = \" enabled \" \r\n"
                                       "Name=\"\"\r\n"
                                       "[Server]\r\n"
                                       "ServerStatus=idle\r\n");
    IniFile ini(path);
    ini.writeString("Server", "ServerStatus", "busy");
    EXPECT_EQ(dir.read("status.ini"),
              "[User]\r\n  AccountStatus = \" enabled \" \r\nName=\"\"\r\n[Server]\r\n"
              "ServerStatus=busy\r\n");
    const IniFile again(path);
    EXPECT_EQ(again.readString("User", "AccountStatus", ""), " enabled ");
    EXPECT_EQ(again.readString("User", "Name", "none"), "");
}

TEST(IniFileTest, MissingFileGivesDefaultsAndIsCreatedOnWrite) {
    TempFolder dir;
    IniFile ini(dir.file("new.ini"));
    EXPECT_EQ(ini.readInteger("S", "K", 42), 42);
    EXPECT_TRUE(ini.readSections().empty());
    ini.writeString("S", "K", "v");
    EXPECT_EQ(dir.read("new.ini"), "[S]\r\nK=v\r\n");
}

TEST(IniFileTest, UnwritableFileRaises) {
    TempFolder dir;
    IniFile ini(dir.file("no/such/folder/x.ini"));
    EXPECT_THROW(ini.writeString("S", "K", "v"), IniFileError);
}

TEST(IniFileTest, ProfileIntegers) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"0", true, 0},          {"-17", true, -17},  {"+5", true, 5},
        {"0x10", true, 16},      {"$ff", true, 255},  {"2147483647", true, 2147483647},
        {"2147483648", false, 0}, {"", false, 0},     {"1.5", false, 0},
        {"abc", false, 0},       {"-", false, 0},     {" 12 ", true, 12},
    };
    for (const Case& c : cases) {
        int v = -999;
        EXPECT_EQ(parseProfileInteger(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace vantorell
