#include "designer/rtnReaderWriter/ModelWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

#include "platform/FileSystem.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/ModelCompare.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/RecordLayer.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::TempFolder;

constexpr int kPoints = test::kSmallModelPoints;

bool savePlain(const TempFolder& program, ModelArrays& model, const std::string& file,
               std::string& digest, int debugMask = 0, int points = kPoints) {
    return flgWriteFile(program.path(), file, "", "", debugMask, digest, true, true, true, model,
                        points);
}

std::string digestOnly(ModelArrays model, int points = kPoints) {
    std::string digest = "unset";
    EXPECT_TRUE(
        flgWriteFile("/nonexistent/", "", "", "", 0, digest, true, false, true, model, points));
    return digest;
}

// The records of the plain file the model saves to.
std::vector<std::string> savedRecords(ModelArrays model, int points = kPoints) {
    TempFolder dir;
    std::string digest;
    EXPECT_TRUE(savePlain(dir, model, dir.file("m.vtm"), digest, 0, points));
    return test::crlfLines(dir.read("m.vtm"));
}

// The `count` records that follow the first occurrence of `after` in the section `section`.
std::vector<std::string> recordsAfter(const std::vector<std::string>& records,
                                      const std::string& section, const std::string& after,
                                      std::size_t count) {
    const auto start = std::find(records.begin(), records.end(), section);
    const auto it = std::find(start, records.end(), after);
    if (it == records.end() || static_cast<std::size_t>(records.end() - it) <= count) {
        ADD_FAILURE() << "no " << count << " records after " << after;
        return {};
    }
    return std::vector<std::string>(it + 1, it + 1 + static_cast<std::ptrdiff_t>(count));
}

TEST(ModelWriterTest, SmallModelMatchesTheGoldenFile) {
    TempFolder dir;
    ModelArrays model = test::smallModel();
    ASSERT_TRUE(test::modelArraysValid(model));
    std::string digest;
    ASSERT_TRUE(savePlain(dir, model, dir.file("small.vtm"), digest));
    EXPECT_EQ(dir.read("small.vtm"),
              readWholeFile(test::sourcePath("tests/designer/data/small_model.vtm")));
    EXPECT_EQ(digest, digestOnly(test::smallModel()));

    // Saving again, unchanged, gives the same bytes and digest.
    std::string again;
    ASSERT_TRUE(savePlain(dir, model, dir.file("again.vtm"), again));
    EXPECT_EQ(dir.read("again.vtm"), dir.read("small.vtm"));
    EXPECT_EQ(again, digest);
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 2u) << "no temporary file is left behind";
}

TEST(ModelWriterTest, IdentifiersLeafNumbersAndChainAreStoredEvenForTheDigestAlone) {
    ModelArrays model = test::smallModel();
    for (TCategoryRecord& c : model.categories) {
        c.strFileId = "stale";
        c.intLeafNumber = 99;
        c.intNextLeafIndex = 99;
    }
    model.measures[0].intFirstValueIndex = 42;
    model.measures[1].intFirstValueIndex = 42;
    std::string digest;
    ASSERT_TRUE(
        flgWriteFile("/nonexistent/", "", "", "", 0, digest, true, false, true, model, kPoints));

    const std::vector<std::string> ids = {"C1D1", "C1D2", "C1D3", "H2D1", "H2D2",
                                          "C2D4", "C2D5", "C2D6", "C2D7"};
    const std::vector<int> leafNumbers = {0, 1, 2, -1, -2, 0, 1, 2, 3};
    const std::vector<int> next = {1, 2, 5, 99, 99, 6, 7, 8, -2};
    for (std::size_t i = 0; i < model.categories.size(); ++i) {
        EXPECT_EQ(model.categories[i].strFileId.str(), ids[i]) << i;
        EXPECT_EQ(model.categories[i].intLeafNumber, leafNumbers[i]) << i;
        EXPECT_EQ(model.categories[i].intNextLeafIndex, next[i]) << i;
    }
    EXPECT_EQ(model.dimensions[0].strFileId.str(), "D1");
    EXPECT_EQ(model.dimensions[1].strFileId.str(), "D2");
    EXPECT_EQ(model.dimensions[0].intLeafLastIndex, 0);  // the model's first leaf
    EXPECT_EQ(model.measures[0].strFileId.str(), "M1");
    EXPECT_EQ(model.measures[1].strFileId.str(), "M2");
    EXPECT_EQ(model.measures[0].intFirstValueIndex, 0);
    EXPECT_EQ(model.measures[1].intFirstValueIndex, 9);
    // The absolute values written are kept in the work fields, parents included.
    EXPECT_DOUBLE_EQ(model.values[3].dblWorkPercentage, 150000.3);
    EXPECT_DOUBLE_EQ(model.values[3].dblWorkNegPercentage, 500000);
    EXPECT_DOUBLE_EQ(model.values[8].dblWorkPercentage, 450000);
    EXPECT_EQ(digest, digestOnly(test::smallModel()));
}

TEST(ModelWriterTest, SectionsFollowTheModelsShape) {
    const ModelArrays full = test::smallModel();
    const std::vector<std::string> header = {"VT0200", "INFO", "NCAT"};
    struct Case {
        const char* name;
        std::function<void(ModelArrays&)> shape;
        std::vector<std::string> expected;
    } cases[] = {
        {"empty",
         [](ModelArrays& m) { m.clear(); },
         {"VT0200", "INFO", "NCAT", "0", "NPOI", "7", "*", "OUT", "7", "END"}},
        {"measures only",
         [](ModelArrays& m) {
             m.clear();
             m.measures = {test::smallModel().measures[0]};
         },
         {"VT0200",  "INFO", "NCAT", "0", "NPOI", "7",   "*",      "MEAS",
          "Revenue", "REV",  "M1",   "*", "PER",  "M1",  "-20000", "1250000.5",
          "-1",      "2",    "*",    "*", "*",    "OUT", "7",      "END"}},
        {"no categories",
         [](ModelArrays& m) {
             m.categories.clear();
             m.values.clear();
             m.irregularities.clear();
             m.measures.resize(1);
             m.dimensions.resize(1);
         },
         {"VT0200",  "INFO", "NCAT", "0",      "NPOI",      "7",      "*",   "MEAS",
          "Revenue", "REV",  "M1",   "*",      "DIM",       "Region", "REG", "D1",
          "*",       "PER",  "M1",   "-20000", "1250000.5", "-1",     "2",   "D1",
          "0",       "0",    "*",    "*",      "*",         "OUT",    "7",   "END"}},
        {"no measures",
         [](ModelArrays& m) {
             m.measures.clear();
             m.values.clear();
             m.irregularities.clear();
             m.dimensions.resize(1);
             m.categories.resize(2);
         },
         {"VT0200", "INFO", "NCAT", "2",   "NPOI", "7",     "*",  "DIM",  "Region",
          "REG",    "D1",   "*",    "CAT", "D1",   "North", "N",  "C1D1", "South",
          "S",      "C1D2", "*",    "*",   "OUT",  "7",     "END"}},
    };
    for (const Case& c : cases) {
        ModelArrays model = full;
        c.shape(model);
        EXPECT_EQ(savedRecords(model, 7), c.expected) << c.name;
    }
}

TEST(ModelWriterTest, IrregularitiesByType) {
    struct Case {
        int type;
        std::function<void(TArrIrregularities&)> change;
        std::vector<std::string> expected;  // after the positive total
    } cases[] = {
        {0, [](TArrIrregularities& r) { r.clear(); }, {"37", "D1", "C1D1"}},
        {1, [](TArrIrregularities&) {}, {"-1", "1", "D1", "15", "D2", "10", "*"}},
        {2, [](TArrIrregularities&) {}, {"-1", "2", "D1", "15", "1", "5", "D2", "10", "0", "*"}},
        {3,
         [](TArrIrregularities& r) {
             r[1].intIrregularityFamilyNumber = 2;
             r[1].dblInterFamilyIrregularity = 0.25;
         },
         {"-1", "3", "D1", "15", "1", "5", "D2", "10", "2", "25", "*"}},
        // Missing records are written as zeros, so the list keeps one entry per dimension.
        {3,
         [](TArrIrregularities& r) { r.erase(r.begin()); },
         {"-1", "3", "D1", "0", "0", "D2", "10", "0", "*"}},
        {1, [](TArrIrregularities& r) { r.clear(); }, {"-1", "1", "D1", "0", "D2", "0", "*"}},
    };
    for (const Case& c : cases) {
        ModelArrays model = test::smallModel();
        model.measures[0].intIrregularityType = c.type;
        model.measures[0].intGlobalPercent = 37;
        c.change(model.irregularities);
        EXPECT_EQ(recordsAfter(savedRecords(model), "PER", "1250000.5", c.expected.size()),
                  c.expected)
            << "type " << c.type;
    }
}

TEST(ModelWriterTest, NegativeColumnFollowsTheTotals) {
    struct Case {
        double positive;
        double negative;
        std::vector<std::string> totals;  // after "M1"
        std::vector<std::string> region;  // the Region run
    } cases[] = {
        {1250000.5,
         20000,
         {"-20000", "1250000.5", "-1"},
         {"D1", "C1D1", "500000", "-200000", "C1D2", "300000", "-800000", "C1D3", "200000", "0",
          "*"}},
        {1250000.5,
         0,
         {"1250000.5", "-1"},
         {"D1", "C1D1", "500000", "C1D2", "300000", "C1D3", "200000", "*"}},
        // The negative column comes with every negative total, also without a positive one.
        {0,
         20000,
         {"-20000", "0", "-1"},
         {"D1", "C1D1", "500000", "-200000", "C1D2", "300000", "-800000", "C1D3", "200000", "0",
          "*"}},
    };
    for (const Case& c : cases) {
        ModelArrays model = test::smallModel();
        model.measures[0].dblPosTotal = c.positive;
        model.measures[0].dblNegTotal = c.negative;
        const std::vector<std::string> records = savedRecords(model);
        EXPECT_EQ(recordsAfter(records, "PER", "M1", c.totals.size()), c.totals);
        const auto per = std::find(records.begin(), records.end(), "PER");
        const auto run = std::search(per, records.end(), c.region.begin(), c.region.end());
        EXPECT_NE(run, records.end()) << "positive " << c.positive << " negative " << c.negative;
    }
}

TEST(ModelWriterTest, TextsTheReaderWouldMisreadAreRefusedAndNothingIsWritten) {
    struct Case {
        const char* name;
        std::function<void(ModelArrays&)> change;
    } refused[] = {
        {"comment-like measure name", [](ModelArrays& m) { m.measures[0].strName = "<Revenue>"; }},
        {"comment-like dimension code", [](ModelArrays& m) { m.dimensions[1].strCode = "<P"; }},
        {"comment-like leaf name", [](ModelArrays& m) { m.categories[0].strName = "<none>"; }},
        {"closer as a leaf name", [](ModelArrays& m) { m.categories[8].strName = "*"; }},
        {"closer as a dimension name", [](ModelArrays& m) { m.dimensions[0].strName = "*"; }},
        {"parent mark on a leaf", [](ModelArrays& m) { m.categories[5].strName = ">Laptops"; }},
        {"line break", [](ModelArrays& m) { m.categories[2].strCode = "W\r\nX"; }},
        {"infinite total",
         [](ModelArrays& m) {
             m.measures[0].dblPosTotal = std::numeric_limits<double>::infinity();
         }},
        {"undefined ratio",
         [](ModelArrays& m) {
             m.values[10].dblAverageRatio = std::numeric_limits<double>::quiet_NaN();
         }},
        {"infinite irregularity",
         [](ModelArrays& m) {
             m.irregularities[0].dblStandardIrregularity = std::numeric_limits<double>::infinity();
         }},
        // References the reader could not follow, or would follow elsewhere.
        {"source measure 77", [](ModelArrays& m) { m.measures[1].intSourceMeasureIndex = 77; }},
        {"weighting dimension -3",
         [](ModelArrays& m) { m.measures[1].intWeightingDimensionIndex = -3; }},
        {"parent dimension 9", [](ModelArrays& m) { m.categories[4].intParentDimensionIndex = 9; }},
        {"categories of a dimension apart",
         [](ModelArrays& m) { std::swap(m.categories[2], m.categories[3]); }},
        {"a level skipped", [](ModelArrays& m) { m.categories[5].bytLevelNumber = 4; }},
        {"a dimension starting below its top level",
         [](ModelArrays& m) { m.categories[0].bytLevelNumber = 2; }},
        {"level 0", [](ModelArrays& m) { m.categories[8].bytLevelNumber = 0; }},
        {"deeper than a model holds",
         [](ModelArrays& m) {
             m.categories.resize(3);
             for (int level = 1; level <= kDeepestCategoryLevel + 1; ++level) {
                 TCategoryRecord c;
                 c.strName = "Level " + std::to_string(level);
                 c.bytLevelNumber = level;
                 c.intParentDimensionIndex = 1;
                 m.categories.push_back(c);
             }
         }},
        {"negative global percentage",
         [](ModelArrays& m) {
             m.measures[0].intIrregularityType = 0;
             m.measures[0].intGlobalPercent = -1;
         }},
        {"negative positive total", [](ModelArrays& m) { m.measures[0].dblPosTotal = -5; }},
        {"negative negative total", [](ModelArrays& m) { m.measures[0].dblNegTotal = -5; }},
        {"value of measure 2", [](ModelArrays& m) { m.values[0].intMeasureIndex = 2; }},
        {"value of dimension 2", [](ModelArrays& m) { m.values[0].intDimensionIndex = 2; }},
        {"value of a category elsewhere", [](ModelArrays& m) { m.values[0].intCategoryIndex = 4; }},
        {"irregularity of dimension 5",
         [](ModelArrays& m) { m.irregularities[1].intDimensionIndex = 5; }},
    };
    TempFolder dir;
    const std::string target = dir.write("model.vtm", "previous contents");
    for (const Case& c : refused) {
        ModelArrays model = test::smallModel();
        c.change(model);
        std::string digest = "previous digest";
        EXPECT_THROW(savePlain(dir, model, target, digest), ModelWriteError) << c.name;
        EXPECT_EQ(digest, "previous digest");
        EXPECT_EQ(dir.read("model.vtm"), "previous contents") << c.name;
        EXPECT_EQ(findEntries(dir.path() + "*").size(), 1u) << c.name;
        // The change digest is still available for such a model.
        EXPECT_EQ(digestOnly(model).size(), 64u);
    }

    // Parents are written after ">", which keeps such names; a code may be "*".
    ModelArrays model = test::smallModel();
    model.categories[3].strName = "<Hardware>";
    model.categories[4].strName = "*";
    model.categories[5].strCode = "*";
    std::string digest;
    ASSERT_TRUE(savePlain(dir, model, target, digest));
    const std::vector<std::string> records = test::crlfLines(dir.read("model.vtm"));
    EXPECT_EQ(
        recordsAfter(records, "CAT", "D2", 7),
        (std::vector<std::string>{"><Hardware>", "HW", "H2D1", ">*", "CMP", "H2D2", "Laptops"}));
    EXPECT_EQ(recordsAfter(records, "CAT", "Laptops", 1), (std::vector<std::string>{"*"}));
}

TEST(ModelWriterTest, RefusalsNameTheRecordAndWhy) {
    TempFolder dir;
    const std::string target = dir.file("model.vtm");
    struct Case {
        std::function<void(ModelArrays&)> change;
        const char* message;
    } cases[] = {
        {[](ModelArrays& m) { m.measures[1].intSourceMeasureIndex = 77; },
         "The measure \"Units\" cannot be saved in a model file: its source measure, number 77, "
         "is not a measure of the model."},
        {[](ModelArrays& m) { m.measures[1].intWeightingDimensionIndex = -3; },
         "The measure \"Units\" cannot be saved in a model file: its weighting dimension, "
         "number -3, is not a dimension of the model."},
        {[](ModelArrays& m) { m.categories[4].intParentDimensionIndex = 9; },
         "The category \"Computers\" cannot be saved in a model file: it belongs to the "
         "dimension number 9, but the model's dimensions are numbered 0 to 1."},
        {[](ModelArrays& m) { m.categories[5].bytLevelNumber = kDeepestCategoryLevel + 1; },
         "The category \"Laptops\" cannot be saved in a model file: it lies at level 129, "
         "deeper than the 128 levels a model holds."},
    };
    for (const Case& c : cases) {
        ModelArrays model = test::smallModel();
        c.change(model);
        std::string digest;
        try {
            savePlain(dir, model, target, digest);
            ADD_FAILURE() << "saved: " << c.message;
        } catch (const ModelWriteError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

// A model whose measures have no categories to spread over keeps their totals, irregularity
// settings and global percentage: every measure has its block.
TEST(ModelWriterTest, MeasuresWithoutCategoriesKeepTheirTotals) {
    struct Case {
        const char* name;
        int dimensions;
        int irregularityType;
    } cases[] = {{"no dimensions", 0, 0},
                 {"no dimensions, irregular", 0, 2},
                 {"dimensions without categories", 2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMeasureRecord m = test::smallModel().measures[0];
        m.dblPosTotal = 500;
        m.dblNegTotal = 20.25;
        m.intIrregularityType = c.irregularityType;
        m.intGlobalPercent = c.irregularityType == 0 ? 15 : 0;
        ModelArrays model;
        model.measures = {m, m};
        model.measures[1].strName = "Units";
        model.measures[1].dblNegTotal = 0;
        model.dimensions.resize(static_cast<std::size_t>(c.dimensions));
        for (int d = 0; d < c.dimensions; ++d) {
            model.dimensions[static_cast<std::size_t>(d)].strName = "D" + std::to_string(d);
            for (int k = 0; k < 2 && c.irregularityType != 0; ++k) {
                model.irregularities.push_back(test::irregularity(k, d, 0.25, 0.5, 1));
            }
        }
        TempFolder dir;
        ModelArrays read;
        ASSERT_TRUE(test::writtenAndRead(dir.file("m.vtm"), model, read));
        ASSERT_EQ(read.measures.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(read.measures[i].dblPosTotal, 500);
            EXPECT_EQ(read.measures[i].dblNegTotal, model.measures[i].dblNegTotal);
            EXPECT_EQ(read.measures[i].intIrregularityType, c.irregularityType);
            EXPECT_EQ(read.measures[i].intGlobalPercent, m.intGlobalPercent);
        }
        EXPECT_EQ(read.irregularities.size(), model.irregularities.size());
        EXPECT_TRUE(read.values.empty());
    }
}

// Under a file-size limit the write fails, reports it, keeps the old file and the digest,
// and leaves no temporary file.
TEST(ModelWriterTest, AWriteOverAFileSizeLimitKeepsTheOldFile) {
    TempFolder dir;
    const std::string target = dir.write("model.vtm", "previous contents");
    EXPECT_TRUE(test::flgRunUnderFileSizeLimit(512, [&] {
        ModelArrays model = test::smallModel();
        std::string digest = "previous digest";
        return !savePlain(dir, model, target, digest) && digest == "previous digest";
    })) << "the write reported success";
    EXPECT_EQ(dir.read("model.vtm"), "previous contents");
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 1u);
}

TEST(ModelWriterTest, FailedWritesReportFailureAndKeepTheDigest) {
    TempFolder dir;
    ModelArrays model = test::smallModel();
    std::string digest = "previous digest";
    EXPECT_FALSE(savePlain(dir, model, dir.file("missing/model.vtm"), digest));
    EXPECT_FALSE(savePlain(dir, model, "", digest));
    EXPECT_FALSE(savePlain(dir, model, dir.path(), digest));  // a folder, not a file
    EXPECT_EQ(digest, "previous digest");
    EXPECT_TRUE(findEntries(dir.path() + "*").empty());
}

TEST(ModelWriterTest, DebugMessages) {
    ModelArrays model = test::smallModel();
    {
        test::TestMessages messages;
        messages.expect("Output of 9 categories.");
        for (const char* line :
             {"1 to next: 1 at 0", "1 to next: 1 at 1", "1 to next: 1 at 2", "1 to next: 2 at 3",
              "2 to next: 3 at 4", "3 to next: 3 at 5", "3 to next: 2 at 6", "2 to next: 1 at 7"}) {
            messages.expect(std::string("Comparing current level ") + line);
        }
        messages.expect("Processing Revenue")
            .expect("Processing independent measure.")
            .expect("Processing Units")
            .expect("Processing weighted measure.");
        std::string digest;
        flgWriteFile("/nonexistent/", "", "", "", 4 | 16 | 2048, digest, true, false, true, model,
                     kPoints);
    }
    {
        test::TestMessages messages;  // other bits: no message
        std::string digest;
        flgWriteFile("/nonexistent/", "", "", "", 1 | 2 | 8 | 32 | 64 | 1024, digest, true, false,
                     true, model, kPoints);
    }
}

}  // namespace
}  // namespace vantorell
