// Model files nobody friendly wrote, read as the designer reads them: each fails cleanly
// with a reason that names the line and what was wrong there, or reads as the model the
// file holds; nothing crashes, and a failed open leaves the model in the editors alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileSystem.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/ModelCompare.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDocument.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using Lines = std::vector<std::string>;

Lines sampleLines() {
    return test::splitLines(readWholeFile(test::sourcePath("examples/sales.vtm")));
}

// A reason from the reader: given, or raised with the file.
struct ReadResult {
    bool ok = false;
    std::string reason;
    ModelArrays model;
};

ReadResult readLines(const test::TempFolder& folder, const Lines& lines) {
    ReadResult r;
    std::int32_t points = 0;
    const std::string path = folder.write("hostile.vtm", test::joinLines(lines));
    try {
        r.ok = flgReadFile(folder.path(), path, "", "", 0, false, points, r.model, r.reason);
    } catch (const ModelFileError& e) {
        r.reason = e.what();
    }
    return r;
}

// Replaces every line equal to `from` by `to`.
Lines replaced(Lines lines, const std::string& from, const std::string& to) {
    std::replace(lines.begin(), lines.end(), from, to);
    return lines;
}

std::size_t lineOf(const Lines& lines, const std::string& record, std::size_t after = 0) {
    return static_cast<std::size_t>(
               std::find(lines.begin() + static_cast<std::ptrdiff_t>(after), lines.end(), record) -
               lines.begin()) +
           1;
}

// A dimension deeper than a model holds: `levels` parents, one inside the other, and a leaf.
Lines deepTree(int levels) {
    Lines l = {"VT0200", "MEAS", "m", "m", "M1", "*", "DIM", "d", "d", "D1", "*", "CAT", "D1"};
    for (int i = 1; i <= levels; ++i) {
        l.insert(l.end(), {">p" + std::to_string(i), "", "H1D" + std::to_string(i)});
    }
    l.insert(l.end(), {"leaf", "", "C1D1"});
    for (int i = 0; i <= levels + 1; ++i) {
        l.push_back("*");
    }
    l.insert(l.end(), {"OUT", "1", "END"});
    return l;
}

// Line of the first leaf identifier ("C<d>D<n>") after line `after`.
std::size_t firstLeafIdAfter(const Lines& lines, std::size_t after) {
    for (std::size_t i = after; i < lines.size(); ++i) {
        const std::string& r = lines[i];
        if (r.size() > 3 && r[0] == 'C' && r[1] >= '1' && r[1] <= '9' &&
            r.find('D') != std::string::npos) {
            return i + 1;
        }
    }
    return 0;
}

struct HostileCase {
    const char* name;
    std::function<Lines()> file;
    // What the reason says, after "Line <n>: ".
    std::function<std::string(const Lines&)> reason;
};

std::string onLine(std::size_t line, const std::string& what) {
    return "Line " + std::to_string(line) + ": " + what;
}

// The sample with identifier `from` made `to` wherever it stands: the second record with
// `to` is refused, naming the first.
HostileCase duplicateIdentifier(const char* name, const std::string& what, const std::string& from,
                                const std::string& to) {
    return {name, [=] { return replaced(sampleLines(), from, to); },
            [=](const Lines& l) {
                const std::size_t first = lineOf(l, to);
                return onLine(lineOf(l, to, first), "the " + what + " identifier \"" + to +
                                                        "\" was given before, on line " +
                                                        std::to_string(first) + ".");
            }};
}

const HostileCase kCases[] = {
    // A DIM section after a PER section, with the same measure in a later PER: the blocks of
    // the first PER were sized for one dimension.
    {"DimensionsAfterPercentages",
     [] {
         return test::splitLines(test::plainRecords(
             "VT0200|MEAS|m|m|M1|*|DIM|a|a|D1|*|PER|M1|100|-1|1|D1|5|*|*|*|DIM|b|b|D2|*|PER|M1|"
             "100|-1|1|D1|5|*|*|*|OUT|1|END"));
     },
     [](const Lines&) { return onLine(22, "the DIM section follows the PER section"); }},
    {"CategoriesAfterPercentages",
     [] {
         Lines l = sampleLines();
         const std::size_t per = lineOf(l, "PER") - 1;
         const std::size_t out = lineOf(l, "OUT") - 1;
         Lines moved(l.begin(), l.begin() + 30);  // up to the CAT section
         moved.insert(moved.end(), l.begin() + static_cast<std::ptrdiff_t>(per),
                      l.begin() + static_cast<std::ptrdiff_t>(out));
         moved.insert(moved.end(), l.begin() + 30, l.begin() + static_cast<std::ptrdiff_t>(per));
         moved.insert(moved.end(), l.begin() + static_cast<std::ptrdiff_t>(out), l.end());
         return moved;
     },
     [](const Lines& l) {
         const std::size_t n = firstLeafIdAfter(l, lineOf(l, "PER"));
         return onLine(n, "the category identifier \"" + l[n - 1] +
                              "\" of the PER section is not one of the CAT section.");
     }},
    {"MeasuresAfterPercentages",
     [] {
         return test::splitLines(test::plainRecords(
             "VT0200|MEAS|m|m|M1|*|DIM|a|a|D1|*|CAT|D1|c|c|C1D1|*|*|PER|M1|100|10|D1|C1D1|5|*|*|"
             "*|MEAS|n|n|M2|*|END"));
     },
     [](const Lines&) { return onLine(29, "the MEAS section follows the PER section"); }},
    // A category identifier given twice: C1D3 made C1D1 in CAT and PER. The shares would
    // have gone to the wrong categories.
    duplicateIdentifier("DuplicateCategoryIdentifier", "category", "C1D3", "C1D1"),
    duplicateIdentifier("DuplicateDimensionIdentifier", "dimension", "D3", "D2"),
    duplicateIdentifier("DuplicateMeasureIdentifier", "measure", "M3", "M2"),
    {"TooDeep", [] { return deepTree(kDeepestCategoryLevel); },
     [](const Lines& l) {
         return onLine(lineOf(l, "C1D1"),
                       "the category \"leaf\" lies at level 129, deeper than "
                       "the 128 levels a model holds.");
     }},
    {"UnknownSection", [] { return replaced(sampleLines(), "OUT", "OUTPUT"); },
     [](const Lines& l) { return onLine(lineOf(l, "OUTPUT"), "the record \"OUTPUT\" stands"); }},
    {"NoEnd",
     [] {
         Lines l = sampleLines();
         l.pop_back();
         return l;
     },
     [](const Lines& l) {
         return onLine(l.size(), "the file ends inside a section or before its \"END\" record.");
     }},
    {"Empty", [] { return Lines{}; },
     [](const Lines&) { return std::string("The file is empty."); }},
    // A leaf of Region listed under Product.
    {"CategoryOfAnotherDimension",
     [] {
         Lines l = sampleLines();
         const std::string region = l[firstLeafIdAfter(l, lineOf(l, "D2", lineOf(l, "CAT"))) - 1];
         l[lineOf(l, "C1D1", lineOf(l, "PER")) - 1] = region;
         return l;
     },
     [](const Lines& l) {
         const std::size_t n = firstLeafIdAfter(l, lineOf(l, "PER"));
         return onLine(n, "the category \"" + l[n - 1] +
                              "\" does not belong to the dimension \"D1\" it is listed under.");
     }},
    {"ParentInAWeightedList",
     [] {
         return test::splitLines(test::plainRecords(
             "VT0200|MEAS|m|m|M1|w|w|M2|*|DIM|a|a|D1|*|CAT|D1|>p|p|H1D1|c|c|C1D1|*|*|*|PER|M1|100|"
             "10|D1|C1D1|5|*|*|M2|WEI|0|M1|D1|H1D1|1|2|1.5|*|*|OUT|1|END"));
     },
     [](const Lines&) { return onLine(40, "the category \"H1D1\" of a weighted measure"); }},
    {"UnknownWeightingDimension",
     [] {
         return test::splitLines(test::plainRecords(
             "VT0200|MEAS|m|m|M1|w|w|M2|*|DIM|a|a|D1|*|CAT|D1|c|c|C1D1|*|*|PER|M1|100|10|D1|C1D1|"
             "5|*|*|M2|WEI|0|M1|D7|C1D1|1|2|1.5|*|*|OUT|1|END"));
     },
     [](const Lines&) {
         return onLine(35,
                       "the dimension identifier \"D7\" of the PER section is not one of the "
                       "model's dimensions.");
     }},
};

class HostileFileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileFileTest, FailsWithItsReasonAndLeavesTheOpenModelAlone) {
    const HostileCase& c = GetParam();
    test::TempFolder folder;
    const Lines lines = c.file();
    const std::string expected = c.reason(lines);

    const ReadResult read = readLines(folder, lines);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.reason.substr(0, expected.size()), expected) << read.reason;

    // The designer shows the reason after its own text, and keeps what it showed.
    test::TempFolder program;
    test::TestMessages messages;
    test::TestDocument doc(program.path());
    doc.mnuFileNewClick();
    const ModelArrays before = doc.shown();
    const std::string path = program.write("hostile.vtm", test::joinLines(lines));
    messages.expect(
        "A fatal error was encountered while attempting to read the \r" + path +
        " file.\r\rThe information available at the time of the error has been appended to the "
        "\r" +
        program.path() + "Arrays.log file.\r\r" + read.reason);
    EXPECT_FALSE(doc.flgFileOpen(path));
    EXPECT_TRUE(test::sameModel(doc.shown(), before));
    EXPECT_NE(program.read("Arrays.log").find(path + "\r\n" + read.reason + "\r\n"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFileTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostileFileTest, TheDeepestLevelAModelHoldsReads) {
    test::TempFolder folder;
    const ReadResult read = readLines(folder, deepTree(kDeepestCategoryLevel - 1));
    EXPECT_TRUE(read.ok) << read.reason;
    ASSERT_EQ(read.model.categories.size(), static_cast<std::size_t>(kDeepestCategoryLevel));
    EXPECT_EQ(read.model.categories.back().bytLevelNumber, kDeepestCategoryLevel);
}

// Cut after every record: the reason names the last line there is.
TEST(HostileFileTest, CutAtEveryRecordBoundary) {
    test::TempFolder folder;
    const Lines sample = sampleLines();
    for (std::size_t keep = 1; keep < sample.size(); ++keep) {
        SCOPED_TRACE("records kept: " + std::to_string(keep));
        const Lines cut(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(keep));
        const ReadResult read = readLines(folder, cut);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.reason.rfind("Line " + std::to_string(keep) + ": ", 0), 0u) << read.reason;
    }
}

// Every section moved before and after every other: the file either reads as the model it
// holds, or fails and says why. No order reads silently as another model.
TEST(HostileFileTest, SectionsInEveryOrder) {
    test::TempFolder folder;
    const Lines sample = sampleLines();
    const ReadResult original = readLines(folder, sample);
    ASSERT_TRUE(original.ok) << original.reason;

    // The sections as runs of lines, from their keyword up to the next keyword.
    std::vector<Lines> sections;
    const std::size_t first = lineOf(sample, "INFO") - 1;
    for (const char* keyword : {"INFO", "MEAS", "DIM", "CAT", "PER", "OUT"}) {
        const std::size_t from = lineOf(sample, keyword) - 1;
        sections.emplace_back(sample.begin() + static_cast<std::ptrdiff_t>(from), sample.end());
    }
    for (std::size_t s = 0; s + 1 < sections.size(); ++s) {
        sections[s].resize(sections[s].size() - sections[s + 1].size());
    }
    sections.back().pop_back();  // "END"

    int failed = 0;
    for (std::size_t moved = 0; moved < sections.size(); ++moved) {
        for (std::size_t to = 0; to < sections.size(); ++to) {
            if (to == moved) {
                continue;
            }
            std::vector<Lines> order = sections;
            const Lines section = order[moved];
            order.erase(order.begin() + static_cast<std::ptrdiff_t>(moved));
            order.insert(order.begin() + static_cast<std::ptrdiff_t>(to), section);
            Lines lines(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(first));
            for (const Lines& part : order) {
                lines.insert(lines.end(), part.begin(), part.end());
            }
            lines.push_back("END");
            SCOPED_TRACE("section " + section.front() + " to place " + std::to_string(to));
            const ReadResult read = readLines(folder, lines);
            if (read.ok) {
                EXPECT_TRUE(test::sameModel(read.model, original.model));
            } else {
                ++failed;
                EXPECT_EQ(read.reason.rfind("Line ", 0), 0u) << read.reason;
            }
        }
    }
    EXPECT_GT(failed, 0);
}

}  // namespace
}  // namespace vantorell
