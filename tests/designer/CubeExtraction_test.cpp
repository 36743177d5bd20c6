// A model extracted from a cube, with an in-memory cube standing in for the cube tool.
#include "designer/rtnReaderWriter/CubeExtraction.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileSystem.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/FakeCube.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::fakeLeaf;
using test::fakeParent;
using test::TempFolder;

// Region: North, South (its name ends in a control character) and a leaf whose name holds
// double quotes; Product: Hardware > (a name beginning with a digit, one beginning with a
// parenthesis), and a name with characters outside blank to "~".
test::FakeCubeData salesCube() {
    test::FakeCubeData cube;
    cube.measures = {"Revenue", "Units"};
    cube.dimensions = {
        {"Region",
         {fakeLeaf("North", {"10", "2"}), fakeLeaf("South\x01", {"-4", "1"}),
          fakeLeaf("West \"Coast\"", {"7", "1"})}},
        {"Product",
         {fakeParent("Hardware", {fakeLeaf("2024 Laptops", {"6", "1"}),
                                  fakeLeaf("(other) Phones", {"4", "n/a"})}),
          fakeLeaf("Gr\xc3\xb6\xc3\x9f"
                   "e Service",
                   {"3", "0.5"})}},
    };
    return cube;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

class CubeExtractionTest : public ::testing::Test {
protected:
    CubeExtractionTest() : scoped(tool) {}

    std::string cubeFile(const std::string& name, test::FakeCubeData data) {
        const std::string file = work.file(name);
        tool.cubes[file] = std::move(data);
        return file;
    }
    bool extract(const std::string& cube, int debugMask = 0) {
        return flgExtractModelFromCube(program.path(), cube, work.file("sales.vtm"), debugMask,
                                       kMeasuresDimensionName,
                                       [this](int p) { progress.push_back(p); });
    }
    // The work files are gone and the cube tool was told to close and quit.
    void expectCleanedUp() const {
        EXPECT_EQ(test::folderEntries(program.path()), std::vector<std::string>{});
        ASSERT_GE(tool.calls.size(), 2U);
        EXPECT_EQ(tool.calls[tool.calls.size() - 2], "close");
        EXPECT_EQ(tool.calls.back(), "quit");
    }

    TempFolder program;
    TempFolder work;
    test::FakeCubeTool tool;
    ScopedCubeAutomation scoped;
    std::vector<int> progress;
};

TEST_F(CubeExtractionTest, TheCubeBecomesAModelThatReadsBack) {
    ASSERT_TRUE(extract(cubeFile("sales.mdc", salesCube())));
    EXPECT_EQ(work.read("sales.vtm"), crlf({"VT0200",
                                            "INFO",
                                            "NCAT",
                                            "9",
                                            "NPOI",
                                            "5000",
                                            "*",
                                            "MEAS",
                                            "Revenue",
                                            "M1MRevenue",
                                            "M1",
                                            "Units",
                                            "M2MUnits",
                                            "M2",
                                            "*",
                                            "DIM",
                                            "Region",
                                            "D1DRegion",
                                            "D1",
                                            "Product",
                                            "D2DProduct",
                                            "D2",
                                            "*",
                                            "CAT",
                                            "D1",
                                            "North",
                                            "C1CNorth",
                                            "C1",
                                            "South",
                                            "C2CSouth",
                                            "C2",
                                            "*",
                                            "D2",
                                            ">Hardware",
                                            "H1HHardware",
                                            "H1",
                                            "2024 Laptops",
                                            "C3C2024Laptop",
                                            "C3",
                                            "~(other) Phones",
                                            "C4C(other)Pho",
                                            "C4",
                                            "*",
                                            "Gre Service",
                                            "C5CGreService",
                                            "C5",
                                            "*",
                                            "*",
                                            "PER",
                                            "M1",
                                            "13",
                                            "10",
                                            "D1",
                                            "C1",
                                            "10",
                                            "C2",
                                            "0",
                                            "*",
                                            "D2",
                                            "C3",
                                            "6",
                                            "C4",
                                            "4",
                                            "C5",
                                            "3",
                                            "H1",
                                            "10",
                                            "*",
                                            "*",
                                            "M2",
                                            "IND",
                                            "4",
                                            "10",
                                            "D1",
                                            "C1",
                                            "2",
                                            "C2",
                                            "1",
                                            "*",
                                            "D2",
                                            "C3",
                                            "1",
                                            "C4",
                                            "0",
                                            "C5",
                                            "0.5",
                                            "H1",
                                            "1",
                                            "*",
                                            "*",
                                            "*",
                                            "OUT",
                                            "5000",
                                            "END"}));
    EXPECT_EQ(progress, (std::vector<int>{0, 5, 27, 50, 59, 69, 70, 77, 85, 92, 99, 99, 100}));
    expectCleanedUp();
    EXPECT_NE(std::find(tool.calls.begin(), tool.calls.end(), "minimize"), tool.calls.end());

    ModelArrays model;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(work.file("sales.vtm"), points, model));
    EXPECT_EQ(points, 5000);
    ASSERT_EQ(model.categories.size(), 6U);
    EXPECT_EQ(model.categories[3].strName.str(), "2024 Laptops");
    EXPECT_EQ(model.categories[3].bytLevelNumber, 2);
    EXPECT_EQ(model.measures[0].dblPosTotal, 13.0);
}

TEST_F(CubeExtractionTest, ANegativeTotalGivesBothSides) {
    test::FakeCubeData cube;
    cube.measures = {"Result", "Cost"};
    cube.dimensions = {{"Unit", {fakeLeaf("A", {"-6", "5"}), fakeLeaf("B", {"2", "-1"})}}};
    ASSERT_TRUE(extract(cubeFile("result.mdc", cube)));
    const std::string model = work.read("sales.vtm");
    const std::string per = model.substr(model.find("PER\r\n"));
    // Result nets to -4: twice that, then its magnitude; the negative side as magnitudes.
    // Cost has a positive total: one value per category, a negative row counting as 0.
    EXPECT_EQ(per, crlf({"PER", "M1", "-8", "4", "10", "D1",  "C1",  "0",    "6",  "C2",
                         "2",   "0",  "*",  "*", "M2", "IND", "4",   "10",   "D1", "C1",
                         "5",   "C2", "0",  "*", "*",  "*",   "OUT", "5000", "END"}));
    // A single dimension still gets its names and measures from its export.
    EXPECT_NE(model.find("MEAS\r\nResult\r\nM1MResult\r\nM1\r\nCost\r\n"), std::string::npos);
    EXPECT_NE(model.find("DIM\r\nUnit\r\nD1DUnit\r\nD1\r\n*\r\n"), std::string::npos);
    ModelArrays arrays;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(work.file("sales.vtm"), points, arrays));
    EXPECT_EQ(arrays.measures[0].dblNegTotal, 8.0);
    EXPECT_EQ(arrays.measures[0].dblPosTotal, 4.0);
}

TEST_F(CubeExtractionTest, HeadingsAndNamesThatAreNoMeasuresOrWouldMisread) {
    test::FakeCubeData cube;
    cube.measures = {"MEASURES", "", "<Margin>", "*"};
    cube.measuresHeading = "";
    cube.dimensions = {
        {"Time",
         {fakeParent("North\r\nAmerica", {fakeLeaf("Q1", {"1", "2", "3", "4"}),
                                          fakeLeaf("Say \"hi\"", {"5", "6", "7", "8"})}),
          fakeParent("Europe", {fakeLeaf("\"Only\"", {"1", "1", "1", "1"})}),
          fakeLeaf("Q4", {"9", "10", "11", "12"})}}};
    ASSERT_TRUE(extract(cubeFile("odd.mdc", cube)));
    const std::string model = work.read("sales.vtm");
    EXPECT_NE(model.find("MEAS\r\n~<Margin>\r\nM1M<Margin>\r\nM1\r\n~*\r\nM2M*\r\nM2\r\n*\r\n"),
              std::string::npos)
        << model;
    // The label over two lines is one row; a parent whose only leaf is left out is a leaf.
    EXPECT_NE(model.find("CAT\r\nD1\r\n>NorthAmerica\r\nH1HNorthAmeri\r\nH1\r\nQ1\r\nC1CQ1\r\n"
                         "C1\r\n*\r\nEurope\r\nC2CEurope\r\nC2\r\nQ4\r\nC3CQ4\r\nC3\r\n*\r\n*\r\n"),
              std::string::npos)
        << model;
    // MEASURES and the empty heading are no measures: <Margin> takes its values from the
    // column of its own heading.
    EXPECT_NE(model.find("PER\r\nM1\r\n22\r\n10\r\nD1\r\nC1\r\n3\r\nC2\r\n1\r\nC3\r\n11\r\nH1\r\n"
                         "10\r\n*\r\n*\r\n"),
              std::string::npos)
        << model;
    ModelArrays arrays;
    std::int32_t points = 0;
    EXPECT_TRUE(flgReadFile(work.file("sales.vtm"), points, arrays));
}

TEST_F(CubeExtractionTest, DebugMessagesForDrillingAndTotalLines) {
    test::FakeCubeData cube;
    cube.measures = {"Revenue"};
    cube.dimensions = {{"Unit", {fakeLeaf("A", {"3"})}}};
    const std::string file = cubeFile("unit.mdc", cube);
    test::TestMessages messages;
    messages.expect("Drilling down from 1").expect("Dimension line: \"Unit\",3,3");
    ASSERT_TRUE(extract(file, 2 | 64));
    ASSERT_TRUE(extract(file, ~(2 | 64)));  // no message
}

TEST_F(CubeExtractionTest, WithoutTheCubeToolNothingIsWritten) {
    tool.installed.clear();
    const std::string cube = cubeFile("sales.mdc", salesCube());
    EXPECT_FALSE(extract(cube));
    EXPECT_EQ(progress, std::vector<int>{0});
    EXPECT_FALSE(fileExists(work.file("sales.vtm")));
    EXPECT_TRUE(tool.calls.empty());
    EXPECT_THROW(nulConvertCubeToModel(program.path(), cube, work.file("sales.vtm"), 0, {}),
                 CubeExtractionError);
}

TEST_F(CubeExtractionTest, TheOlderGenerationServesWhenTheCurrentIsMissing) {
    tool.installed = {"PowerPlay.Application", "PowerPlay.Report"};
    ASSERT_TRUE(extract(cubeFile("sales.mdc", salesCube())));
    EXPECT_EQ(tool.created,
              (std::vector<std::string>{"PowerPlay.Application", "PowerPlay.Report"}));

    // An application without the report of its generation is no cube tool.
    tool.installed = {"CognosPowerPlay.Application", "PowerPlay.Report"};
    std::unique_ptr<CubeApplication> application;
    std::unique_ptr<CubeReport> report;
    EXPECT_FALSE(flgCreatePowerPlay(application, report));
    EXPECT_EQ(application, nullptr);

    // The service shipped with the system has none.
    tool.installed = {"CognosPowerPlay.Application", "CognosPowerPlay.Report"};
    CubeAutomation* const fake = setCubeAutomation(nullptr);
    EXPECT_FALSE(flgCreatePowerPlay(application, report));
    setCubeAutomation(fake);
    EXPECT_TRUE(flgCreatePowerPlay(application, report));
}

TEST_F(CubeExtractionTest, AFailureLeavesThePreviousModelAndNoWorkFiles) {
    const std::string cube = cubeFile("sales.mdc", salesCube());
    for (const char* member : {"newReport", "rowsItemDrillDown", "saveAs", "columnsCount"}) {
        SCOPED_TRACE(member);
        work.write("sales.vtm", "previous model");
        tool.failingMember = member;
        tool.calls.clear();
        EXPECT_THROW(extract(cube), CubeAutomationError);
        EXPECT_EQ(work.read("sales.vtm"), "previous model");
        expectCleanedUp();
    }
    tool.failingMember.clear();
    EXPECT_THROW(extract(work.file("missing.mdc")), CubeAutomationError);

    // A dimension whose name holds a comma: the exports name one dimension too many.
    test::FakeCubeData comma = salesCube();
    comma.dimensions[1].name = "Product, by line";
    tool.calls.clear();
    EXPECT_THROW(extract(cubeFile("comma.mdc", comma)), CubeExtractionError);
    EXPECT_EQ(work.read("sales.vtm"), "previous model");
    expectCleanedUp();
}

TEST(CubeExtractionPointsTest, ProductOfLeavesWithinTheFloorAnd50000) {
    struct Case {
        std::vector<std::int32_t> leaves;
        std::int32_t categories;
        std::int32_t measures;
        std::int32_t points;
    } cases[] = {
        {{10, 20}, 20, 2, 5000},        // product 200 below the floor 240, raised to 5,000
        {{200, 200}, 20, 2, 40000},     // within the floor and 50,000
        {{200, 300}, 20, 2, 5000},      // above 50,000: the floor, raised
        {{100, 500}, 9000, 5, 50000},   // 50,000 itself
        {{300, 200}, 9000, 10, 91000},  // above 50,000: the floor
        {{100000, 100000}, 0, 1, 5000}, {{}, 0, 0, 5000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(intExtractedPoints(c.leaves, c.categories, c.measures), c.points)
            << c.categories << " categories, " << c.measures << " measures";
    }
    EXPECT_THROW(intExtractedPoints({1}, 2'000'000'000, 2), std::overflow_error);
}

}  // namespace
}  // namespace vantorell
