// The small text routines of the list conversions: field splitting, the text after a quoted
// label, space removal and character filtering.
#include "designer/rtnReaderWriter/TextFields.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantorell {
namespace {

struct SplitCase {
    const char* name;
    const char* line;
    std::vector<std::string> fields;  // 1 to n
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, GivesTheTrimmedFieldsAtOneToN) {
    const SplitCase& c = GetParam();
    TArrString fields{"left", "over", "from", "before"};
    int count = -1;
    nulSplitCsvLine(c.line, fields, count);
    ASSERT_EQ(count, static_cast<int>(c.fields.size()));
    ASSERT_EQ(fields.size(), c.fields.size() + 1);
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(std::vector<std::string>(fields.begin() + 1, fields.end()), c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitTest,
    ::testing::Values(
        SplitCase{
            "QuotedCommaNumberLetter", "   \"Smith, Jones\" , 42 , x", {"Smith, Jones", "42", "x"}},
        SplitCase{"Plain", "P1,Phones", {"P1", "Phones"}},
        SplitCase{"ControlCharactersTrimmed", "\tP1\t,\tPhones\r", {"P1", "Phones"}},
        SplitCase{"EmptyInnerFields", "A1,Apple,,,T1,Top", {"A1", "Apple", "", "", "T1", "Top"}},
        SplitCase{"TrailingCommaGivesAnEmptyLastField", "P1,Phones,", {"P1", "Phones", ""}},
        SplitCase{"QuotedFieldLast", "P1,\"Phones, mobile\"", {"P1", "Phones, mobile"}},
        SplitCase{"QuotedFieldThenTrailingComma", "\"a\",", {"a", ""}},
        SplitCase{"DoubledQuoteIsOneQuote", "\"6\"\" pipe\",P6", {"6\" pipe", "P6"}},
        SplitCase{"OnlyAQuote", "\"\"\"\",x", {"\"", "x"}},
        SplitCase{"EmptyQuotedField", "\"\",x", {"", "x"}},
        SplitCase{"QuotedTextIsTrimmedToo", "\"  spaced  \" ,x", {"spaced", "x"}},
        SplitCase{"QuoteInsideAnUnquotedField", "5\" pipe,P5", {"5\" pipe", "P5"}},
        SplitCase{"Utf8Kept", "Ä1,Größe", {"Ä1", "Größe"}}),
    [](const auto& info) { return info.param.name; });

TEST(SplitTest, ABlankLineCountsNothingAndLeavesTheFields) {
    TArrString fields{"", "kept"};
    int count = -1;
    nulSplitCsvLine(" \t \r", fields, count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(fields, (TArrString{"", "kept"}));
    nulSplitCsvLine("", fields, count);
    EXPECT_EQ(count, 0);
}

TEST(SplitTest, BrokenQuotingIsRefused) {
    for (const char* line : {"\"Smith, Jones,42", "P1,\"Phones", "\"abc\"def,x", "\"a\" \"b\""}) {
        TArrString fields;
        int count = -1;
        EXPECT_THROW(nulSplitCsvLine(line, fields, count), CsvFieldError) << line;
    }
}

TEST(SplitTest, ALineAfterALongerOneLeavesNoFieldOfItBehind) {
    TArrString fields;
    int count = 0;
    nulSplitCsvLine("a,b,c,d", fields, count);
    nulSplitCsvLine("x,\"y\"", fields, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(fields, (TArrString{"", "x", "y"}));
}

TEST(TextRoutinesTest, AfterQuotedCommaTakesWhatFollowsTheLastQuoteAndItsComma) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"North, East\",12.5,7", "12.5,7"},
        {"\"Label\"", ""},
        {"no quote, here", " here"},
        {"no quote", "no quote"},
        {"\"a\"b\"c,1", "1"},
        {"\"x\"  ,3", "3"},
        {"", ""},
    };
    for (const auto& [line, expected] : cases) {
        std::string result = "old";
        strAfterQuotedComma(line, result);
        EXPECT_EQ(result, expected) << line;
    }
}

TEST(TextRoutinesTest, RemoveSpacesDropsOnlyCode32) {
    std::string result = "old";
    strRemoveSpaces(" North  East\tRegion ", result);
    EXPECT_EQ(result, "NorthEast\tRegion");
    strRemoveSpaces("", result);
    EXPECT_EQ(result, "");
}

TEST(TextRoutinesTest, FilterCharsKeepsTheSetInOrder) {
    const TCharSet printable = charSetRange(32, 126);
    std::string result = "old";
    strFilterChars(
        "Gr\xC3\xB6\xC3\x9F"
        "e\t1\x7F!",
        printable, result);
    EXPECT_EQ(result, "Gre1!");
    strFilterChars("abc", TCharSet{}, result);
    EXPECT_EQ(result, "");
    const std::string_view withNul("\xFF\0a", 3);
    strFilterChars(withNul, charSetRange(0, 255), result);
    EXPECT_EQ(result, withNul);
}

}  // namespace
}  // namespace vantorell
