// Input the list conversions cannot turn into a sound model is refused with a message that
// says where and why, and the file that was to be written stays as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "designer/rtnFiles.h"
#include "designer/rtnReaderWriter/ListConversion.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

// Only the input and the untouched output: no temporary file is left behind.
std::size_t filesIn(const TempFolder& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++n;
    }
    return n;
}

struct Refusal {
    const char* name;
    std::string input;
    std::string title;    // for the comma-separated step
    std::string message;  // a part of the message
};

// Converts `input` into an earlier `output`, which must stay as it was.
template <typename Convert>
void expectRefused(const Refusal& c, Convert convert) {
    TempFolder folder;
    const std::string input = folder.write("input", c.input);
    const std::string output = folder.write("output", "earlier");
    try {
        convert(input, output);
        ADD_FAILURE() << "converted";
    } catch (const ListConversionError& e) {
        EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    EXPECT_EQ(folder.read("output"), "earlier");
    EXPECT_EQ(filesIn(folder), 2u);
}

class CsvRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(CsvRefusalTest, RefusesAndKeepsTheListFile) {
    const std::string& title = GetParam().title;
    expectRefused(GetParam(), [&title](const std::string& csv, const std::string& work) {
        nulConvertCsvToList(csv, work, title);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CsvRefusalTest,
    ::testing::Values(
        Refusal{"FewerFieldsThanTheFirstLine", "T1,Top,\r\nP1,Parent,T1\r\nA1,Apple\r\n", "D",
                "Line 3 of"},
        Refusal{"FieldCountNamed", "P1,Phones\nP2,Tablets,x\n", "D",
                "has 3 fields, but the first line has 2"},
        Refusal{"UnterminatedQuote", "P1,Phones\nP2,\"Tablets, big\n", "D", "Line 2 of"},
        Refusal{"UnterminatedQuoteSaysWhy", "P1,\"Phones\n", "D", "no closing quote"},
        Refusal{"TextAfterTheClosingQuote", "P1,\"Phones\" plus,x\n", "D",
                "text follows the closing quote"},
        Refusal{"FirstLineWithOneField", "\n  \nPhones\nP2,Tablets\n", "D", "Line 3 of"},
        Refusal{"NoRecords", "\r\n   \r\n", "D", "holds no records"},
        Refusal{"EmptyFile", "", "D", "holds no records"},
        Refusal{"RecordWithoutAName", "P1,Phones\nP2,\n", "D",
                "the record with the code \"P2\" has no name"},
        Refusal{"LevelPairWithoutAName", "A1,Apple,P1,,T1,Top\n", "D",
                "the record with the code \"P1\" has no name"},
        Refusal{"NeitherCodeNorName", "T1,Top,\n,,T1\n", "D", "neither a code nor a name"},
        Refusal{"NameThatIsABrace", "P1,Phones\nP2,\"}\"\n", "D", "cannot be named \"}\" alone"},
        Refusal{"TitleWithALineBreak", "P1,Phones\n", "Two\nlines", "cannot hold a line break"},
        Refusal{"NotUtf8", "P1,Phones\nP2,Caf\xE9\n", "D", "Line 2 of"},
        Refusal{"NotUtf8SaysWhy", "P1,\x80\x80\x80\n", "D", "the line is not UTF-8 text"},
        Refusal{"TitleNotUtf8", "P1,Phones\n", "Caf\xE9", "not UTF-8"}),
    [](const auto& info) { return info.param.name; });

class ListRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(ListRefusalTest, RefusesAndKeepsTheModelFile) {
    expectRefused(GetParam(), [](const std::string& list, const std::string& model) {
        nulConvertListToModel(list, model);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListRefusalTest,
    ::testing::Values(
        Refusal{"GroupOpenedTwice", "{}\nD\n*\nA\na\n{\n{\nB\nb\n}\n}\n", "",
                "Line 7 of the list file"},
        Refusal{"GroupBeforeAnyItem", "{}\nD\n*\n{\nA\na\n}\n", "",
                "a group opens where no item stands before it"},
        Refusal{"GroupAfterAClosing", "D\n*\nA\n{\nB\n}\n{\nC\n}\n", "",
                "a group opens where no item stands before it"},
        Refusal{"ClosingWithoutOpening", "D\n*\nA\n}\n", "",
                "a group closes that was never opened"},
        Refusal{"EmptyGroup", "D\n*\nA\n(\n)\n", "", "a group closes that holds no item"},
        Refusal{"GroupsLeftOpen", "D\n*\nA\n{\nB\n{\nC\n", "", "2 groups are never closed"},
        Refusal{"ValueNotANumber", "D\nSales\n*\nA\n12x\n", "", "is not a number"},
        Refusal{"EndsWithinAnItem", "{}\nD\nSales\n*\nA\na\n", "", "ends where a value"},
        Refusal{"NoStarAfterTheMeasures", "D\nSales\n", "", "the line \"*\" after the measure"},
        Refusal{"NoItems", "{}\nD\n*\n\n", "", "holds no items"},
        Refusal{"EmptyFile", "", "", "ends where"},
        Refusal{"TopLevelLeafUnderDimensionsFromFile", "$$\n*\nA\n{\nB\n}\nLoose\n", "",
                "\"Loose\" stands at the top level with nothing under it"},
        Refusal{"NoDimensionFromAFlatList", "{}\n$$\n*\nA\na\n", "", "\"A\" stands at the top"},
        Refusal{"CategoryNamedStar", "D\n*\nA\n{\n*\n}\n", "", "would end its section"},
        Refusal{"CategoryNameSkippedAsAComment", "D\n*\n<A\n", "", "skipped when the file is read"},
        Refusal{"LeafNameReadAsAParent", "D\n*\n>A\n", "", "cannot begin with \">\""},
        Refusal{"CodeSkippedAsAComment", "{}\nD\n*\nA\n<a\n", "", "its code begins with \"<\""},
        Refusal{"DimensionNamedStar", "*\n*\nA\n", "", "The dimension \"*\""},
        Refusal{"BlankDimensionName", "  \n*\nA\n", "", "it has no name"},
        Refusal{"CarriageReturnInACode", "{}\nD\n*\nA\na\rb\n", "", "no line breaks"},
        Refusal{"MeasureSkippedAsAComment", "D\n<Sales\n*\nA\n1\n", "", "The measure \"<Sales\""},
        Refusal{"NotUtf8", "D\n*\nA\nCaf\xE9\n", "", "Line 4 of the list file"},
        Refusal{"NotUtf8SaysWhy", "D\n*\n**\x80\x80\n", "", "the line is not UTF-8 text"},
        // Checked after the cut to 80 bytes.
        Refusal{"BlankOnceCut", "D\n*\n" + std::string(80, ' ') + "x\n", "", "it has no name"},
        Refusal{"SiblingsEqualOnceCut",
                "D\n*\nA\n{\n" + std::string(80, 'n') + "1\n" + std::string(80, 'n') + "2\n}\n", "",
                "Lines 5 and 6 of the list file: the names of the two records become the same"},
        Refusal{"DimensionsEqualOnceCut",
                "$$\n*\n" + std::string(80, 'd') + "1\n{\nA\n}\n" + std::string(80, 'd') +
                    "2\n{\nB\n}\n",
                "", "Lines 3 and 7 of the list file"}),
    [](const auto& info) { return info.param.name; });

TEST(ListConversionFilesTest, AMissingOrUnwritableFileRaisesAndWritesNothing) {
    TempFolder folder;
    EXPECT_THROW(nulConvertCsvToList(folder.file("missing.vdc"), folder.file("work"), "D"),
                 FileIoError);
    EXPECT_THROW(nulConvertListToModel(folder.file("missing"), folder.file("model.vtm")),
                 FileIoError);
    const std::string csv = folder.write("a.vdc", "P1,Phones\n");
    EXPECT_THROW(nulConvertCsvToList(csv, folder.file("no folder/work"), "D"), std::runtime_error);
    nulConvertCsvToList(csv, folder.file("work"), "D");
    EXPECT_THROW(nulConvertListToModel(folder.file("work"), folder.file("no folder/model.vtm")),
                 std::runtime_error);
    EXPECT_EQ(filesIn(folder), 2u);
}

}  // namespace
}  // namespace vantorell
