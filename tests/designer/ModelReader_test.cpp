#include "designer/rtnReaderWriter/ModelReader.h"

#include <gtest/gtest.h>

#include <functional>

#include "bench/GeneratedModel.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/ModelDump.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::TempFolder;

std::string records(const std::string& text) {
    return test::plainRecords(text);
}

bool readText(const std::string& text, ModelArrays& model, std::int32_t& points) {
    TempFolder folder;
    return flgReadFile(folder.write("model.vtm", text), points, model);
}

const TCategoryRecord& categoryByCode(const ModelArrays& m, const std::string& code) {
    for (const TCategoryRecord& c : m.categories) {
        if (c.strCode.str() == code) {
            return c;
        }
    }
    throw std::runtime_error("no category " + code);
}

const TMeasureValueRecord& valueOf(const ModelArrays& m, int measure, const std::string& code) {
    const TCategoryRecord& c = categoryByCode(m, code);
    const auto index = static_cast<int>(&c - m.categories.data());
    for (const TMeasureValueRecord& v : m.values) {
        if (v.intMeasureIndex == measure && v.intCategoryIndex == index) {
            return v;
        }
    }
    throw std::runtime_error("no value for " + code);
}

TEST(ModelReaderTest, ReadsTheSampleModel) {
    test::TestMessages messages;
    ModelArrays m;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(test::sourcePath("examples/sales.vtm"), points, m));
    EXPECT_EQ(points, 25000);
    EXPECT_TRUE(test::modelArraysValid(m, {.sortedIndex = true}));

    ASSERT_EQ(m.measures.size(), 3u);
    EXPECT_EQ(m.measures[0].strName.str(), "Revenue");
    EXPECT_EQ(m.measures[0].chrType, 'I');
    EXPECT_EQ(m.measures[0].dblPosTotal, 4800000.0);
    EXPECT_EQ(m.measures[0].dblNegTotal, 125000.0);
    EXPECT_EQ(m.measures[0].intIrregularityType, 2);
    EXPECT_EQ(m.measures[1].intIrregularityType, 0);
    EXPECT_EQ(m.measures[1].intGlobalPercent, 12);
    EXPECT_EQ(m.measures[2].chrType, 'W');
    EXPECT_EQ(m.measures[2].intSourceMeasureIndex, 1);
    EXPECT_EQ(m.measures[2].intWeightingDimensionIndex, 0);

    ASSERT_EQ(m.dimensions.size(), 3u);
    const int counts[][5] = {{18, 12, 0, 0, 17}, {11, 8, 18, 12, 28}, {12, 12, 29, 20, 40}};
    for (int d = 0; d < 3; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(m.dimensions[d].intCategoryCount, counts[d][0]);
        EXPECT_EQ(m.dimensions[d].intLeafCount, counts[d][1]);
        EXPECT_EQ(m.dimensions[d].intFirstCategoryIndex, counts[d][2]);
        EXPECT_EQ(m.dimensions[d].intLeafBase, counts[d][3]);
        EXPECT_EQ(m.dimensions[d].intLeafLastIndex, counts[d][4]);
    }
    EXPECT_EQ(categoryByCode(m, "PRA").strName.str(), "Pralin\xC3\xA9s");
    EXPECT_EQ(categoryByCode(m, "COF").bytLevelNumber, 2);
    EXPECT_EQ(categoryByCode(m, "COF").intLeafNumber, -2);
    EXPECT_EQ(categoryByCode(m, "MLK").strFileId.str(), "C1D10");

    // The shares the model was made with, positive and negative side.
    struct Share {
        int measure;
        const char* code;
        int positive;
        int negative;
    } shares[] = {
        {0, "BEV", 550000, 600000}, {0, "COF", 640000, 700000}, {0, "ESP", 450000, 500000},
        {0, "GFT", 70000, 0},       {0, "GRT", 300000, 333333}, {0, "BLT", 450000, 333334},
        {0, "CEN", 320000, 300000}, {0, "AUT", 180000, 200000}, {0, "JAN", 70000, 83333},
        {0, "MAR", 78000, 83334},   {1, "GFT", 20000, 0},       {1, "BEV", 700000, 1000000},
        {1, "DEC", 93000, 0},       {1, "JAN", 80000, 1000000}, {1, "MLK", 500000, 0},
    };
    for (const Share& s : shares) {
        SCOPED_TRACE(std::string(s.code) + " of measure " + std::to_string(s.measure));
        EXPECT_EQ(valueOf(m, s.measure, s.code).intPercentage, s.positive);
        EXPECT_EQ(valueOf(m, s.measure, s.code).intNegPercentage, s.negative);
    }
    const TMeasureValueRecord& pralines = valueOf(m, 2, "PRA");
    EXPECT_EQ(pralines.dblMinimumRatio, 6.5);
    EXPECT_EQ(pralines.dblMaximumRatio, 14.0);
    EXPECT_EQ(pralines.dblAverageRatio, 9.8);

    ASSERT_EQ(m.values.size(), 41u + 41u + 12u);
    EXPECT_EQ(m.measures[1].intFirstValueIndex, 41);
    EXPECT_EQ(m.measures[2].intFirstValueIndex, 82);
    ASSERT_EQ(m.irregularities.size(), 3u);
    EXPECT_DOUBLE_EQ(m.irregularities[0].dblStandardIrregularity, 0.15);
    EXPECT_EQ(m.irregularities[0].intIrregularityFamilyNumber, 1);
    EXPECT_DOUBLE_EQ(m.irregularities[0].dblInterFamilyIrregularity, 0.05);
    EXPECT_EQ(m.irregularities[1].intIrregularityFamilyNumber, 0);
    EXPECT_DOUBLE_EQ(m.irregularities[2].dblInterFamilyIrregularity, 0.08);
}

// A small model: one measure, a dimension of a parent with two leaves and a third leaf.
const std::string kSmall =
    "VT0200|INFO|NCAT|4|NPOI|300|*|MEAS|Sales|SAL|M1|*|DIM|Shop|SHP|D1|*|"
    "CAT|D1|>North|N|H1D1|Oslo|OSL|C1D1|Bergen|BRG|C1D2|*|Paris|PAR|C1D3|*|*|"
    "PER|M1|1000|5|D1|C1D1|10|C1D2|30|C1D3|60|*|*|*|OUT|700|END";

TEST(ModelReaderTest, FixtureFiles) {
    using Check = std::function<void(const ModelArrays&)>;
    const Check none = [](const ModelArrays&) {};
    struct Case {
        const char* name;
        std::string text;
        bool result;
        std::int32_t points;  // before: 123
        Check check;
    } cases[] = {
        {"version and END only", records("VT0200|END"), true, 123,
         [](const ModelArrays& m) {
             EXPECT_TRUE(m.dimensions.empty() && m.categories.empty() && m.measures.empty() &&
                         m.values.empty() && m.irregularities.empty());
         }},
        {"the small model", records(kSmall), true, 700,
         [](const ModelArrays& m) {
             EXPECT_EQ(valueOf(m, 0, "N").intPercentage, 400000);
             EXPECT_EQ(valueOf(m, 0, "OSL").intPercentage, 250000);
             EXPECT_EQ(valueOf(m, 0, "BRG").intPercentage, 750000);
             EXPECT_EQ(valueOf(m, 0, "PAR").intPercentage, 600000);
         }},
        {"comments everywhere",
         records(
             "<head|VT0200|<c|INFO|<c|NCAT|<c|4|NPOI|300|<c|*|<c|MEAS|<c|Sales|<c|SAL|<c|M1|"
             "<c|*|DIM|Shop|<c|SHP|D1|*|<c|CAT|<c|D1|<c|>North|<c|N|<c|H1D1|<c|Oslo|OSL|C1D1|"
             "<c|Bergen|BRG|C1D2|<c|*|<c|Paris|PAR|<c|C1D3|*|<c|*|<c|PER|<c|M1|<c|1000|<c|5|"
             "<c|D1|<c|C1D1|<c|10|C1D2|<c|30|C1D3|60|<c|*|<c|*|<c|*|<c|OUT|<c|700|<c|END|<tail"),
         true, 700,
         [](const ModelArrays& m) {
             ModelArrays plain;
             std::int32_t points = 0;
             ASSERT_TRUE(readText(records(kSmall), plain, points));
             EXPECT_EQ(test::dumpModel(m), test::dumpModel(plain));
         }},
        {"NCAT too small, no NCAT, NCAT far too large",
         records("VT0200|INFO|NCAT|1|*|DIM|Shop|SHP|D1|*|CAT|D1|A|A|C1D1|B|B|C1D2|C|C|C1D3|"
                 ">D|D|H1D1|E|E|C1D4|F|F|C1D5|*|*|*|INFO|NCAT|2000000000|*|INFO|*|END"),
         true, 123,
         [](const ModelArrays& m) {
             ASSERT_EQ(m.categories.size(), 6u);
             EXPECT_EQ(m.categories[5].strName.str(), "F");
             EXPECT_EQ(m.categories[5].bytLevelNumber, 2);
         }},
        {"identifiers out of order: C1D10 before C1D2",
         records("VT0200|MEAS|S|S|M1|*|DIM|D|D|D1|*|CAT|D1|a|a|C1D10|b|b|C1D2|c|c|C1D1|"
                 "d|d|C1D11|*|*|PER|M1|100|0|D1|C1D2|20|C1D11|40|C1D1|10|C1D10|30|*|*|*|END"),
         true, 123,
         [](const ModelArrays& m) {
             const int sorted[] = {2, 0, 3, 1};  // C1D1, C1D10, C1D11, C1D2
             for (int i = 0; i < 4; ++i) {
                 EXPECT_EQ(m.categories[i].intSortedIndex, sorted[i]);
             }
             EXPECT_EQ(valueOf(m, 0, "a").intPercentage, 300000);
             EXPECT_EQ(valueOf(m, 0, "b").intPercentage, 200000);
             EXPECT_EQ(valueOf(m, 0, "c").intPercentage, 100000);
             EXPECT_EQ(valueOf(m, 0, "d").intPercentage, 400000);
         }},
        {"empty codes become the name; an empty name stays",
         records("VT0200|MEAS|Sales||M1|*|DIM|Shop||D1|*|CAT|D1|>North||H1D1|||C1D1|*|*|*|END"),
         true, 123,
         [](const ModelArrays& m) {
             EXPECT_EQ(m.measures[0].strCode.str(), "Sales");
             EXPECT_EQ(m.dimensions[0].strCode.str(), "Shop");
             EXPECT_EQ(m.categories[0].strCode.str(), "North");
             EXPECT_EQ(m.categories[1].strName.str(), "");
             EXPECT_EQ(m.categories[1].strCode.str(), "");
         }},
        {"long texts are cut at a character boundary",
         records("VT0200|MEAS|" + std::string(79, 'n') + "\xC3\xA9x|" + std::string(30, 'c') +
                 "|M" + std::string(30, '1') + "|*|END"),
         true, 123,
         [](const ModelArrays& m) {
             EXPECT_EQ(m.measures[0].strName.str(), std::string(79, 'n'));
             EXPECT_EQ(m.measures[0].strCode.str(), std::string(25, 'c'));
             EXPECT_EQ(m.measures[0].strFileId.size(), 25u);
         }},
        {"NPOI is skipped, OUT sets the points", records("VT0200|INFO|NPOI|55|*|OUT|66|*|END"),
         true, 66, none},
        {"missing END", records("VT0200|MEAS|Sales|SAL|M1|*|OUT|5"), false, 123, none},
        {"file ends inside CAT", records("VT0200|DIM|D|D|D1|*|CAT|D1|>A|A|H1D1|B|B"), false, 123,
         none},
        {"empty file", "", false, 123, none},
        {"unknown record at the top level stops the read",
         records("VT0200|MEAS|Sales|SAL|M1|*|BOGUS|OUT|5|END"), false, 123,
         [](const ModelArrays& m) { EXPECT_EQ(m.measures.size(), 1u); }},
        {"unknown dimension in CAT: its categories are read and dropped",
         records("VT0200|DIM|D|D|D1|*|CAT|D9|>A|A|H1D1|B|B|C1D1|*|*|D1|C|C|C1D2|*|*|OUT|5|END"),
         false, 123,
         [](const ModelArrays& m) {
             ASSERT_EQ(m.categories.size(), 1u);
             EXPECT_EQ(m.categories[0].strName.str(), "C");
             EXPECT_EQ(m.dimensions[0].intCategoryCount, 1);
         }},
        {"a second block of the same dimension is dropped",
         records("VT0200|DIM|D|D|D1|*|CAT|D1|A|A|C1D1|*|D1|B|B|C1D2|*|*|END"), false, 123,
         [](const ModelArrays& m) { EXPECT_EQ(m.categories.size(), 1u); }},
        {"unknown measure in PER: its block is read and dropped",
         records("VT0200|MEAS|S|S|M1|T|T|M2|*|DIM|D|D|D1|*|CAT|D1|a|a|C1D1|b|b|C1D2|*|*|"
                 "PER|M7|-5|8|-1|0|D1|3|*|D1|C1D1|1|2|*|*|M2|IND|100|0|D1|C1D1|1|C1D2|3|*|*|*|"
                 "END"),
         false, 123,
         [](const ModelArrays& m) {
             EXPECT_EQ(valueOf(m, 1, "b").intPercentage, 750000);
             EXPECT_EQ(m.measures[0].dblNegTotal, 0.0);
             EXPECT_TRUE(m.irregularities.empty());
         }},
        {"unknown category in PER",
         records("VT0200|MEAS|S|S|M1|*|DIM|D|D|D1|*|CAT|D1|a|a|C1D1|*|*|"
                 "PER|M1|100|0|D1|C1D9|5|C1D1|1|*|*|*|END"),
         false, 123,
         [](const ModelArrays& m) { EXPECT_EQ(valueOf(m, 0, "a").intPercentage, 1000000); }},
        {"a category of another dimension in PER",
         records("VT0200|MEAS|S|S|M1|*|DIM|D|D|D1|E|E|D2|*|CAT|D1|a|a|C1D1|*|D2|b|b|C2D2|*|*|"
                 "PER|M1|100|0|D1|C2D2|5|*|*|*|END"),
         false, 123, none},
        {"unknown source measure and weighting dimension",
         records("VT0200|MEAS|S|S|M1|W|W|M2|*|DIM|D|D|D1|*|CAT|D1|a|a|C1D1|*|*|"
                 "PER|M2|WEI|0|M9|D9|C1D1|1|2|3|*|*|END"),
         false, 123, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestMessages messages;
        ModelArrays m;
        m.measures.resize(2);  // the reader empties what it is given
        std::int32_t points = 123;
        EXPECT_EQ(readText(c.text, m, points), c.result);
        EXPECT_EQ(points, c.points);
        c.check(m);
    }
}

TEST(ModelReaderTest, DebugMessagesUnderTheirBits) {
    const std::string text = records(
        "VT0200|MEAS|S|S|M1|*|DIM|D|D|D1|*|CAT|D1|a|a|C1D1|b|b|C1D2|*|D7|x|x|C1D3|*|*|"
        "PER|M1|100|0|D1|C1D2|3|C1D1|1|C1D5|0|*|D8|*|*|*|END");
    struct Case {
        int mask;
        std::vector<std::string> texts;
    } cases[] = {
        {1,
         {"Expecting command, obtained: MEAS", "Expecting command, obtained: DIM",
          "Expecting command, obtained: CAT", "Quicksort complete.",
          "Expecting command, obtained: PER", "Expecting command, obtained: END"}},
        {4, {"Program version is: VT0200"}},
        {64,
         {"Obtained dimension id D1 as number 0",
          "Dimension ID search failed in categories section.",
          "Obtained dimension id D7 as number -1", "*** Invalid category index.",
          "*** *** Dimension ID search for <D8> failed in an independent measure"}},
        {8,
         {"i) Storing at 1", "Category index is: 1", "i) Storing at 0", "Category index is: 0",
          "i) Storing at -1"}},
        {4096,
         {">> Percentage: 3 for category 1", "\rCategory was b", ">> Percentage: 1 for category 0",
          "\rCategory was a", ">> Percentage: 0 for category -1"}},
        {32768,
         {"Scaled percentage: 250000 for category a", "Scaled percentage: 750000 for category b",
          "Scaled."}},
        {2048, {"File opened for reading"}},
        {512 | 1024, {}},  // the record messages are the record reader's
    };
    TempFolder folder;
    const std::string file = folder.write("model.vtm", text);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        test::TestMessages messages;
        if (c.mask & 512) {
            messages.allowContaining("Read: ");
        }
        for (const std::string& t : c.texts) {
            messages.expect(t);
        }
        ModelArrays m;
        std::int32_t points = 0;
        EXPECT_FALSE(flgReadFile(folder.path(), file, "", "", c.mask, false, points, m));
    }
}

TEST(ModelReaderTest, ReadsTheGeneratedBenchmarkModel) {
    bench::GeneratedModel generated(3000);
    ModelArrays m;
    std::int32_t points = 0;
    ASSERT_TRUE(readText(generated.text(), m, points));
    EXPECT_EQ(m.categories.size(), 3000u);
    EXPECT_EQ(m.measures.size(), 10u);
    EXPECT_TRUE(test::modelArraysValid(m, {.sortedIndex = true}));
}

TEST(ModelReaderTest, ErrorsForFilesThatCannotBeRead) {
    TempFolder folder;
    ModelArrays m;
    std::int32_t points = 0;
    EXPECT_THROW(flgReadFile(folder.file("missing.vtm"), points, m), ModelFileError);
    const std::string bad = folder.write("bad.vtm", records("VT0200|INFO|NCAT|4x|*|END"));
    try {
        flgReadFile(bad, points, m);
        ADD_FAILURE() << "no error";
    } catch (const ModelFileError& e) {
        EXPECT_EQ(std::string(e.what()), "The record \"4x\" on line 4 of the model file \"" + bad +
                                             "\" is not a valid number.");
    }
}

}  // namespace
}  // namespace vantorell
