#include "designer/frmMain/FormPlacement.h"

#include <gtest/gtest.h>

#include "designer/frmMain/Caption.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(FormPlacementTest, SectionIsTheCaptionBeforeTheFileName) {
    const std::pair<std::string, std::string> cases[] = {
        {"Vantorell", "Vantorell Form"},
        {"Vantorell - /models/a - b.vtm", "Vantorell Form"},
        {"Send Model", "Send Model Form"},
        {"Open Dimension/Category List (Continued)",
         "Open Dimension/Category List (Continued) Form"},
        {"Sales-2024", "Sales-2024 Form"},
    };
    for (const auto& [caption, section] : cases) {
        EXPECT_EQ(strPlacementSection(caption), section) << caption;
    }
}

struct ReadCase {
    std::string name;
    std::string section;  // lines of "[Vantorell Form]"
    bool sizeable;
    ScreenArea screen;
    WindowPlacement expected;
};

class PlacementReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PlacementReadTest, RestoresInsideTheScreen) {
    TempFolder dir;
    const IniFile settings(dir.write("Vantorell.ini", "[Vantorell Form]\n" + GetParam().section));
    const WindowPlacement current{0, 0, 300, 200, kWindowStateNormal};
    const WindowPlacement got =
        placementRead(settings, "Vantorell Form", GetParam().sizeable, current, GetParam().screen);
    const WindowPlacement& want = GetParam().expected;
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.windowState, want.windowState);
}

const ScreenArea kScreen{0, 0, 1280, 1024};

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementReadTest,
    ::testing::Values(
        ReadCase{"NothingStoredIsCentred1024x768", "", true, kScreen, {128, 128, 1024, 768, 0}},
        ReadCase{"NothingStoredOnASmallScreenFillsIt",
                 "",
                 true,
                 ScreenArea{0, 0, 800, 600},
                 {0, 0, 800, 600, 0}},
        ReadCase{"OddSizesCentreTruncated",
                 "Width=641\nHeight=481\n",
                 true,
                 kScreen,
                 {319, 271, 641, 481, 0}},
        ReadCase{"StoredPlacement",
                 "Top=20\nLeft=10\nWidth=700\nHeight=500\nWindowState=2\n",
                 true,
                 kScreen,
                 {10, 20, 700, 500, 2}},
        ReadCase{"MinimisedRestoresNormal",
                 "Top=5\nLeft=6\nWindowState=1\n",
                 true,
                 kScreen,
                 {6, 5, 1024, 768, 0}},
        ReadCase{
            "UnknownStateIsNormal", "WindowState=7\n", true, kScreen, {128, 128, 1024, 768, 0}},
        ReadCase{"OffTheRightAndTopIsPulledIn",
                 "Top=-300\nLeft=5000\n",
                 true,
                 kScreen,
                 {256, 0, 1024, 768, 0}},
        ReadCase{"LargerThanTheScreenIsCut",
                 "Top=10\nLeft=10\nWidth=3000\nHeight=2000\n",
                 true,
                 kScreen,
                 {0, 0, 1280, 1024, 0}},
        ReadCase{"FixedBorderKeepsItsSize",
                 "Width=700\nHeight=500\n",
                 false,
                 kScreen,
                 {490, 412, 300, 200, 0}},
        ReadCase{"ScreenAreaWithAnOffset",
                 "",
                 true,
                 ScreenArea{100, 40, 1280, 1024},
                 {228, 168, 1024, 768, 0}}),
    [](const auto& info) { return info.param.name; });

TEST(FormPlacementTest, MaximisedKeepsTheEarlierNormalPlacement) {
    TempFolder dir;
    IniFile settings(dir.file("Vantorell.ini"));
    placementWrite(settings, "Vantorell Form", {10, 20, 700, 500, kWindowStateNormal}, true);
    placementWrite(settings, "Vantorell Form", {0, 0, 800, 600, kWindowStateMaximised}, true);
    EXPECT_EQ(dir.read("Vantorell.ini"),
              "[Vantorell Form]\r\nTop=20\r\nLeft=10\r\nWidth=700\r\nHeight=500\r\n"
              "WindowState=2\r\n");
}

TEST(FormPlacementTest, AFixedBorderWritesNoSize) {
    TempFolder dir;
    IniFile settings(dir.file("x.ini"));
    placementWrite(settings, "About Form", {1, 2, 300, 200, kWindowStateNormal}, false);
    EXPECT_EQ(dir.read("x.ini"), "[About Form]\r\nTop=2\r\nLeft=1\r\nWindowState=0\r\n");
}

TEST(CaptionTest, TitleThenFileName) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"Vantorell", "/m/a.vtm", "Vantorell - /m/a.vtm"},
        {"Vantorell - /m/a.vtm", "/m/b-c.vtm", "Vantorell - /m/b-c.vtm"},
        {"Vantorell - /m/a - b.vtm", "/x.vtm", "Vantorell - /x.vtm"},
        {"-x", "f", "-x - f"},  // nothing stands before the dash
    };
    for (const auto& [caption, file, expected] : cases) {
        EXPECT_EQ(strCaptionWithFile(caption, file), expected) << caption;
    }
}

}  // namespace
}  // namespace vantorell
