// Comma-separated dimension/category lists converted into list files and models: one table
// row per input layout, each model read back with the model reader and checked against the
// rules every model keeps.
#include "designer/rtnReaderWriter/ListConversion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "designer/rtnReaderWriter/ModelReader.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The dimensions and their category trees, two spaces of indent per level, codes in brackets.
std::string treeText(const ModelArrays& model) {
    std::ostringstream text;
    for (std::size_t d = 0; d < model.dimensions.size(); ++d) {
        text << model.dimensions[d].strName.str() << " [" << model.dimensions[d].strCode.str()
             << "]\n";
        for (const TCategoryRecord& c : model.categories) {
            if (c.intParentDimensionIndex == static_cast<int>(d)) {
                text << std::string(2 * static_cast<std::size_t>(c.bytLevelNumber), ' ')
                     << c.strName.str() << " [" << c.strCode.str() << "]\n";
            }
        }
    }
    return text.str();
}

// Reads the model and checks it; the requested points are those the conversion sets.
ModelArrays readBack(const std::string& modelFile) {
    ModelArrays model;
    std::int32_t points = 0;
    EXPECT_TRUE(flgReadFile(modelFile, points, model));
    EXPECT_EQ(points, 4096);
    EXPECT_TRUE(test::modelArraysValid(model, {.sortedIndex = true}));
    return model;
}

struct LayoutCase {
    const char* name;
    std::string csv;
    std::string title;
    std::vector<std::string> items;  // list file lines after "{}", the title and "*"
    std::string tree;                // the model read back
};

class CsvLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(CsvLayoutTest, ConvertsIntoTheListAndAModelThatReadsBack) {
    const LayoutCase& c = GetParam();
    TempFolder folder;
    const std::string csv = folder.write("list.vdc", c.csv);
    const std::string work = folder.file("vdcworkfile.tmp");
    const std::string model = folder.file("vdcoutputfile.vtm");

    nulConvertCsvToList(csv, work, c.title);
    std::vector<std::string> expected{"{}", c.title, "*"};
    expected.insert(expected.end(), c.items.begin(), c.items.end());
    EXPECT_EQ(folder.read("vdcworkfile.tmp"), crlf(expected));

    nulConvertListToModel(work, model);
    const ModelArrays read = readBack(model);
    EXPECT_EQ(treeText(read), c.tree);
    // No measures in a comma-separated list: the dummy measure gives every leaf the same
    // value, so every sibling group shares evenly.
    ASSERT_EQ(read.measures.size(), 1u);
    EXPECT_EQ(read.measures[0].strName.str(), "Dummy");
    EXPECT_EQ(read.measures[0].strCode.str(), "DUM");
    EXPECT_EQ(read.measures[0].dblPosTotal, 100.0);
    EXPECT_EQ(read.measures[0].intGlobalPercent, 10);
}

const std::string kParentReferences =
    "T1,Top,\r\n"
    "P1,Parent one,T1\r\n"
    "A1,Apple,P1\r\n"
    "A2,Apricot,P1\r\n"
    "P2,Parent two,T1\r\n"  // a sibling of the parent's subtree
    "B1,Banana,P2\r\n"
    "T2,Other,\"\"\r\n"
    "C1,Cherry,T2\r\n";

// (leaf, parent, top) rows.
const std::string kLevelPairs =
    "A1,Apple,P1,Pome,T1,Tree fruit\n"
    "A2,Apricot,P1,Pome,T1,Tree fruit\n"
    "A3,Almond,P2,Nut,T1,Tree fruit\n";

const std::string kLongName(100, 'x');
const std::string kUmlauts = [] {
    std::string s;
    for (int i = 0; i < 50; ++i) {
        s += "\xC3\xA9";  // two bytes each
    }
    return s;
}();

INSTANTIATE_TEST_SUITE_P(
    Layouts, CsvLayoutTest,
    ::testing::Values(
        LayoutCase{"FlatUnderOneDimension",
                   "P1,Phones\r\nP2,Tablets\r\n",
                   "Products",
                   {"Phones", "P1", "Tablets", "P2"},
                   "Products [D1DProducts]\n  Phones [P1]\n  Tablets [P2]\n"},
        LayoutCase{"FlatQuotedEmptyCodesBlankLinesAndByteOrderMark",
                   "\xEF\xBB\xBF,\"Phones, \"\"smart\"\"\"\n\n  \nP2 , Tablets \n\"P3\",Third\n",
                   " Devices and more ",
                   {"Phones, \"smart\"", "", "Tablets", "P2", "Third", "P3"},
                   // An empty code reads back as the name; a name is used as typed.
                   " Devices and more  [D1DDevicesandmore]\n  Phones, \"smart\" [Phones, "
                   "\"smart\"]\n  Tablets [P2]\n  Third [P3]\n"},
        LayoutCase{"FlatDuplicateRecordsStayAsTheyStand",
                   "P1,Phones\nP1,Phones\nP2,Phones\n",
                   "Products",
                   {"Phones", "P1", "Phones", "P1", "Phones", "P2"},
                   "Products [D1DProducts]\n  Phones [P1]\n  Phones [P1]\n  Phones [P2]\n"},
        LayoutCase{"DuplicateDimensionsFromTheFile",
                   "T,Top,\nA,Apple,T\nT,Top,\nB,Banana,T\n",
                   "$$",
                   {"Top", "T", "{", "Apple", "A", "}", "Top", "T", "{", "Banana", "B", "}"},
                   "Top [T]\n  Apple [A]\nTop [T]\n  Banana [B]\n"},
        LayoutCase{"FlatNamesAndCodesCutAtACharacterBoundary",
                   "C" + kUmlauts + "," + kUmlauts + "\n" + kLongName + "," + kLongName + "\n",
                   "Long",
                   {kUmlauts, "C" + kUmlauts, kLongName, kLongName},
                   "Long [D1DLong]\n  " + kUmlauts.substr(0, 80) + " [" +
                       ("C" + kUmlauts).substr(0, 25) + "]\n  " + kLongName.substr(0, 80) + " [" +
                       kLongName.substr(0, 25) + "]\n"},
        LayoutCase{
            "ParentReferencesUnderOneDimension",
            kParentReferences + "X1,Stray,ZZ\r\n",
            "Fruit",
            {"Top",   "T1", "{",          "Parent one", "P1", "{",      "Apple", "A1", "Apricot",
             "A2",    "}",  "Parent two", "P2",         "{",  "Banana", "B1",    "}",  "}",
             "Other", "T2", "{",          "Cherry",     "C1", "}",      "Stray", "X1"},
            "Fruit [D1DFruit]\n  Top [T1]\n    Parent one [P1]\n      Apple [A1]\n"
            "      Apricot [A2]\n    Parent two [P2]\n      Banana [B1]\n  Other [T2]\n"
            "    Cherry [C1]\n  Stray [X1]\n"},
        LayoutCase{"ParentReferencesWithDimensionsFromTheFile",
                   kParentReferences,
                   "$$",
                   {"Top",     "T1", "{",     "Parent one", "P1", "{",      "Apple",  "A1",
                    "Apricot", "A2", "}",     "Parent two", "P2", "{",      "Banana", "B1",
                    "}",       "}",  "Other", "T2",         "{",  "Cherry", "C1",     "}"},
                   "Top [T1]\n  Parent one [P1]\n    Apple [A1]\n    Apricot [A2]\n"
                   "  Parent two [P2]\n    Banana [B1]\nOther [T2]\n  Cherry [C1]\n"},
        LayoutCase{"ParentReferencesWithRepeatedAndEmptyCodes",
                   "R,Root,\nR,Inner,R\nL,Leaf,R\n,Nameless code,\nK,Kid,\n",
                   "Codes",
                   // The innermost "R" is the parent; an empty code is never a parent.
                   {"Root", "R", "{", "Inner", "R", "{", "Leaf", "L", "}", "}", "Nameless code", "",
                    "Kid", "K"},
                   "Codes [D1DCodes]\n  Root [R]\n    Inner [R]\n      Leaf [L]\n"
                   "  Nameless code [Nameless code]\n  Kid [K]\n"},
        LayoutCase{"LevelPairsUnderOneDimension",
                   kLevelPairs,
                   "Trees",
                   {"Tree fruit", "T1", "{", "Pome", "P1", "{", "Apple", "A1", "Apricot", "A2", "}",
                    "Nut", "P2", "{", "Almond", "A3", "}", "}"},
                   "Trees [D1DTrees]\n  Tree fruit [T1]\n    Pome [P1]\n      Apple [A1]\n"
                   "      Apricot [A2]\n    Nut [P2]\n      Almond [A3]\n"},
        LayoutCase{
            "LevelPairsWithDimensionsFromTheFile",
            kLevelPairs + "B1,Birch,W1,Wood,T2,Timber\n",
            "$$",
            {"Tree fruit", "T1",   "{",  "Pome", "P1",     "{",  "Apple", "A1", "Apricot", "A2",
             "}",          "Nut",  "P2", "{",    "Almond", "A3", "}",     "}",  "Timber",  "T2",
             "{",          "Wood", "W1", "{",    "Birch",  "B1", "}",     "}"},
            "Tree fruit [T1]\n  Pome [P1]\n    Apple [A1]\n    Apricot [A2]\n"
            "  Nut [P2]\n    Almond [A3]\nTimber [T2]\n  Wood [W1]\n    Birch [B1]\n"},
        LayoutCase{"LevelPairsWithLevelsLeftOut",
                   // An empty code leaves its level out; a parent met again after another
                   // record is written again.
                   "A1,Apple,P1,Pome,T1,Tree fruit\n"
                   "B1,Banana,,,T1,Tree fruit\n"
                   "C1,Cherry,P1,Pome,T1,Tree fruit\n"
                   "G1,Grape,V1,Vine,,\n"
                   ",Lime,,,,\n",
                   "Fruit",
                   {"Tree fruit", "T1", "{",    "Pome",  "P1", "{",      "Apple", "A1", "}",
                    "Banana",     "B1", "Pome", "P1",    "{",  "Cherry", "C1",    "}",  "}",
                    "Vine",       "V1", "{",    "Grape", "G1", "}",      "Lime",  ""},
                   "Fruit [D1DFruit]\n  Tree fruit [T1]\n    Pome [P1]\n      Apple [A1]\n"
                   "    Banana [B1]\n    Pome [P1]\n      Cherry [C1]\n  Vine [V1]\n"
                   "    Grape [G1]\n  Lime [Lime]\n"},
        LayoutCase{"LevelPairsWithTheSameParentCodeUnderDifferentTops",
                   "A,Jan 23,Q1,First quarter,Y23,2023\n"
                   "B,Jan 24,Q1,First quarter,Y24,2024\n",
                   "Time",
                   {"2023", "Y23", "{", "First quarter", "Q1", "{", "Jan 23", "A", "}", "}",
                    "2024", "Y24", "{", "First quarter", "Q1", "{", "Jan 24", "B", "}", "}"},
                   "Time [D1DTime]\n  2023 [Y23]\n    First quarter [Q1]\n      Jan 23 [A]\n"
                   "  2024 [Y24]\n    First quarter [Q1]\n      Jan 24 [B]\n"},
        LayoutCase{"LevelPairsWithAnOddFieldCountIgnoreTheLastField",
                   "A1,Apple,T1,Top,note\nA2,Apricot,T1,Top,\n",
                   "Odd",
                   {"Top", "T1", "{", "Apple", "A1", "Apricot", "A2", "}"},
                   "Odd [D1DOdd]\n  Top [T1]\n    Apple [A1]\n    Apricot [A2]\n"}),
    [](const auto& info) { return info.param.name; });

TEST(ListToModelTest, AFlatListGivesThisModelFile) {
    TempFolder folder;
    nulConvertCsvToList(folder.write("a.vdc", "P1,Phones\nP2,Tablets\n"), folder.file("work"),
                        "My Products");
    nulConvertListToModel(folder.file("work"), folder.file("model.vtm"));
    EXPECT_EQ(folder.read("model.vtm"), crlf({"VT0200", "MEAS",        "Dummy",
                                              "DUM",    "M1",          "*",
                                              "DIM",    "My Products", "D1DMyProducts",
                                              "D1",     "*",           "CAT",
                                              "D1",     "Phones",      "P1",
                                              "C1",     "Tablets",     "P2",
                                              "C2",     "*",           "*",
                                              "PER",    "M1",          "100",
                                              "10",     "D1",          "C1",
                                              "1",      "C2",          "1",
                                              "*",      "*",           "*",
                                              "OUT",    "4096",        "END"}));
}

// Under "$$" every dimension's leaves end with "*", so that the next dimension is read as one.
TEST(ListToModelTest, DimensionsFromTheFileCloseEachDimensionInEveryMeasure) {
    TempFolder folder;
    const std::string list =
        folder.write("list", crlf({"$$",   "Sales", "Units", "*",      "North", "0", "0", "(",
                                   "Oslo", "30",    "1",     "Bergen", "10",    "3", ")", "South",
                                   "0",    "0",     "{",     "Rome",   "5,5",   "2", "}"}));
    nulConvertListToModel(list, folder.file("model.vtm"));
    EXPECT_EQ(
        folder.read("model.vtm"),
        crlf({"VT0200", "MEAS", "Sales", "M1MSales", "M1",      "Units", "M2MUnits", "M2",
              "*",      "DIM",  "North", "North",    "D1",      "South", "South",    "D2",
              "*",      "CAT",  "D1",    "Oslo",     "C1COslo", "C1",    "Bergen",   "C2CBergen",
              "C2",     "*",    "D2",    "Rome",     "C3CRome", "C3",    "*",        "*",
              "PER",    "M1",   "100",   "10",       "D1",      "C1",    "30",       "C2",
              "10",     "*",    "D2",    "C3",       "5.5",     "*",     "*",        "M2",
              "IND",    "100",  "10",    "D1",       "C1",      "1",     "C2",       "3",
              "*",      "D2",   "C3",    "2",        "*",       "*",     "*",        "OUT",
              "4096",   "END"}));
    const ModelArrays model = readBack(folder.file("model.vtm"));
    EXPECT_EQ(treeText(model),
              "North [North]\n  Oslo [C1COslo]\n  Bergen [C2CBergen]\nSouth [South]\n"
              "  Rome [C3CRome]\n");
}

// A list with measures of its own and no code lines: the leaves' values become shares.
TEST(ListToModelTest, MeasuresOfTheListGiveTheLeavesTheirShares) {
    TempFolder folder;
    const std::string list =
        folder.write("list", crlf({"Region", "Sales", "*", "North", "0", "{", "Oslo", "30",
                                   "Bergen", "10", "}", "South", "40"}));
    nulConvertListToModel(list, folder.file("model.vtm"));
    const ModelArrays model = readBack(folder.file("model.vtm"));
    EXPECT_EQ(treeText(model),
              "Region [D1DRegion]\n  North [H1HNorth]\n    Oslo [C1COslo]\n"
              "    Bergen [C2CBergen]\n  South [C3CSouth]\n");
    auto share = [&](const char* name) {
        for (const TMeasureValueRecord& v : model.values) {
            if (model.categories.at(static_cast<std::size_t>(v.intCategoryIndex)).strName.str() ==
                name) {
                return v.intPercentage;
            }
        }
        return -1;
    };
    EXPECT_EQ(share("Oslo"), 750000);
    EXPECT_EQ(share("Bergen"), 250000);
    EXPECT_EQ(share("North"), 500000);
    EXPECT_EQ(share("South"), 500000);
}

TEST(ListToModelTest, ConvertingAgainReplacesTheEarlierFiles) {
    TempFolder folder;
    const std::string csv = folder.write("a.vdc", "P1,Phones\n");
    const std::string work = folder.write("work", "earlier work");
    const std::string model = folder.write("model.vtm", "earlier model");
    nulConvertCsvToList(csv, work, "First");
    nulConvertListToModel(work, model);
    folder.write("a.vdc", "P2,Tablets\n");
    nulConvertCsvToList(csv, work, "Second");
    nulConvertListToModel(work, model);
    EXPECT_EQ(treeText(readBack(model)), "Second [D1DSecond]\n  Tablets [P2]\n");
}

// Codes that differ only after the 25 bytes a code holds are numbered as the editors number
// new codes, cut further to make room; codes the cut left apart, or that were equal in the
// list already, stay as they are.
TEST(ListToModelTest, CodesTheCutMadeEqualAreNumbered) {
    TempFolder folder;
    const std::string csv = folder.write("a.vdc",
                                         "PRODUCT_CATEGORY_BEVERAGES_COFFEE,Coffee\n"
                                         "PRODUCT_CATEGORY_BEVERAGES_TEA,Tea\n"
                                         "PRODUCT_CATEGORY_BEVERAGES_JUICE,Juice\n"
                                         "PRODUCT_CATEGORY_BEVERAG1,Water\n"
                                         "SAME,Milk\n"
                                         "SAME,Cocoa\n");
    nulConvertCsvToList(csv, folder.file("work"), "Drinks");
    nulConvertListToModel(folder.file("work"), folder.file("model.vtm"));
    EXPECT_EQ(treeText(readBack(folder.file("model.vtm"))),
              "Drinks [D1DDrinks]\n"
              "  Coffee [PRODUCT_CATEGORY_BEVERAGE]\n"
              "  Tea [PRODUCT_CATEGORY_BEVERAG2]\n"
              "  Juice [PRODUCT_CATEGORY_BEVERAG3]\n"
              "  Water [PRODUCT_CATEGORY_BEVERAG1]\n"
              "  Milk [SAME]\n"
              "  Cocoa [SAME]\n");
}

// Names are checked as the model holds them: cut at a character boundary, never more.
TEST(ListToModelTest, NamesAreCutOnlyAtTheSplitCharacter) {
    TempFolder folder;
    // 79 bytes, then a character of four bytes that the cut at 80 would split.
    const std::string name = std::string(79, 'n') + "\xF0\x9F\x98\x80";
    folder.write("list", "D\n*\n" + name + "\nx\n");
    nulConvertListToModel(folder.file("list"), folder.file("model.vtm"));
    const ModelArrays read = readBack(folder.file("model.vtm"));
    ASSERT_EQ(read.categories.size(), 2u);
    EXPECT_EQ(read.categories[0].strName.str(), std::string(79, 'n'));
}

}  // namespace
}  // namespace vantorell
