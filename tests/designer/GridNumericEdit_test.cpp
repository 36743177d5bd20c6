// Numeric cell editing and the exact decimal conversion under it.
#include "designer/rtnGrids/GridNumericEdit.h"

#include <gtest/gtest.h>

#include <limits>

#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/ScaledDecimal.h"

namespace vantorell {
namespace {

// A percentage column being edited: one heading row, the current cell at (1, 1).
struct PercentGrid : StringGrid {
    PercentGrid() {
        setFixedCols(0);
        setColCount(2);
        nulGridRowSet(*this, 0, 0, {"For", "Percent"});
        nulGridClear(*this);
        nulGridRowAdd(*this, {"North and Sales", "250000"});
        setCurrentCell(1, 1);
    }
};

struct EndCase {
    const char* typed;
    std::int64_t scale;
    std::int64_t limit;
    const char* stored;
    NumericEditEnd result;
};

TEST(GridNumericEdit, EndStoresTheScaledClampedIntegerOrRefuses) {
    const EndCase cases[] = {
        {"12.34567", 10000, 1000000, "123456", NumericEditEnd::Stored},
        {"12.5", 10000, 1000000, "125000", NumericEditEnd::Stored},
        {"0.1", 10000, 1000000, "1000", NumericEditEnd::Stored},
        {"-", 10000, 1000000, "0", NumericEditEnd::Stored},
        {"", 10000, 1000000, "0", NumericEditEnd::Stored},
        {"150", 10000, 1000000, "1000000", NumericEditEnd::Stored},
        {"-150", 10000, 1000000, "-1000000", NumericEditEnd::Stored},
        {"-0.00001", 10000, 1000000, "0", NumericEditEnd::Stored},
        {"-12.99999", 1, 100, "-12", NumericEditEnd::Stored},
        {".5", 1, 100, "0", NumericEditEnd::Stored},
        {"7.", 1, 100, "7", NumericEditEnd::Stored},
        {"150", 1, 100, "100", NumericEditEnd::Stored},
        {"99999999999999999999999", 1, 100, "100", NumericEditEnd::Stored},
        {"1.2.3", 10000, 1000000, "250000", NumericEditEnd::Refused},
        {".", 10000, 1000000, "250000", NumericEditEnd::Refused},
        {"-.", 10000, 1000000, "250000", NumericEditEnd::Refused},
        {"12a", 10000, 1000000, "250000", NumericEditEnd::Refused},
        {"1e3", 10000, 1000000, "250000", NumericEditEnd::Refused},
    };
    for (const EndCase& c : cases) {
        PercentGrid grid;
        std::string previous;
        nulGridNumericEditStart(grid, false, U'\r', previous);
        ASSERT_EQ(previous, "250000");
        grid.setCell(1, 1, c.typed);
        EXPECT_EQ(nulGridNumericEditEnd(grid, c.scale, c.limit, previous), c.result) << c.typed;
        EXPECT_EQ(grid.cell(1, 1), c.stored) << c.typed;
        EXPECT_FALSE(grid.editorMode());
        EXPECT_FALSE(grid.hasOption(goEditing));
    }
}

TEST(GridNumericEdit, EndDoesNothingWhileTheEditorIsOff) {
    PercentGrid grid;
    grid.setCell(1, 1, "12.5");
    grid.includeOption(goEditing);
    EXPECT_EQ(nulGridNumericEditEnd(grid, 10000, 1000000, "250000"), NumericEditEnd::NotEditing);
    EXPECT_EQ(grid.cell(1, 1), "12.5");
    EXPECT_TRUE(grid.hasOption(goEditing));
}

TEST(GridNumericEdit, StartReplacesTheCellWithANumericCharacterOnly) {
    const struct {
        bool replace;
        char32_t typed;
        const char* cell;
    } cases[] = {
        {true, U'7', "7"}, {true, U'-', "-"},     {true, U'.', "."},
        {true, U'a', ""},  {true, U'\u00e9', ""}, {false, U'7', "250000"},
    };
    for (const auto& c : cases) {
        PercentGrid grid;
        std::string previous;
        nulGridNumericEditStart(grid, c.replace, c.typed, previous);
        EXPECT_EQ(previous, "250000");
        EXPECT_EQ(grid.cell(1, 1), c.cell);
        EXPECT_TRUE(grid.hasOption(goEditing));
        EXPECT_TRUE(grid.editorMode());
    }
}

TEST(GridNumericEdit, AShareIsEditedInPercentAndAnUnchangedEditChangesNothing) {
    const struct {
        const char* cell;
        const char* shown;  // the text the edit starts with
        const char* typed;  // nullptr: left as shown
        const char* stored;
    } cases[] = {
        {"142858", "14.2858", nullptr, "142858"},
        {"550000", "55", nullptr, "550000"},
        {"550000", "55", "40", "400000"},
        {"1", "0.0001", nullptr, "1"},
        {"-125000", "-12.5", nullptr, "-125000"},
        {"many", "many", nullptr, "many"},  // no number: edited and refused as it stands
    };
    for (const auto& c : cases) {
        PercentGrid grid;
        grid.setCell(1, 1, c.cell);
        std::string previous;
        nulGridNumericEditStart(grid, false, U'\r', previous, 10000);
        EXPECT_EQ(previous, c.cell);
        EXPECT_EQ(grid.cell(1, 1), c.shown) << c.cell;
        if (c.typed != nullptr) {
            grid.setCell(1, 1, c.typed);
        }
        nulGridNumericEditEnd(grid, 10000, 1000000, previous);
        EXPECT_EQ(grid.cell(1, 1), c.stored) << c.cell;
    }
}

TEST(GridNumericEdit, CancelGivesTheTextBeforeEditingBack) {
    PercentGrid grid;
    std::string previous;
    nulGridNumericEditStart(grid, true, U'5', previous);
    grid.setCell(1, 1, "55");
    EXPECT_TRUE(nulGridNumericEditCancel(grid, previous));
    EXPECT_EQ(grid.cell(1, 1), "250000");
    EXPECT_FALSE(grid.editorMode());
    EXPECT_FALSE(grid.hasOption(goEditing));
    EXPECT_FALSE(nulGridNumericEditCancel(grid, "1")) << "no edit open";
    EXPECT_EQ(grid.cell(1, 1), "250000");
}

TEST(ScaledDecimal, TextOfAScaledValueReadsBackExactly) {
    const struct {
        std::int64_t value;
        std::int64_t scale;
        const char* text;
    } cases[] = {
        {142858, 10000, "14.2858"},
        {550000, 10000, "55"},
        {-125000, 10000, "-12.5"},
        {0, 10000, "0"},
        {7, 1, "7"},
        {-1, 10000, "-0.0001"},
        {1, 3, "0.333333333333333333"},
        {std::numeric_limits<std::int64_t>::min(), 1, "-9223372036854775808"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(strScaledDecimal(c.value, c.scale), c.text);
        if (c.scale == 10000) {
            EXPECT_EQ(optScaledDecimal(c.text, c.scale, 1000000), c.value) << c.text;
        }
    }
}

TEST(ScaledDecimal, ConvertsExactlyWhereBinaryRoundingWouldLoseAUnit) {
    EXPECT_EQ(optScaledDecimal("12.34567", 10000, 1000000), 123456);
    // These come out one unit short as a double times the scale.
    EXPECT_EQ(optScaledDecimal("0.29", 100, 1000), 29);
    EXPECT_EQ(optScaledDecimal("1.15", 100, 1000), 115);
    EXPECT_EQ(optScaledDecimal("4.35", 100, 1000), 435);
    EXPECT_EQ(optScaledDecimal("  +8.2 ", 10, 1000), 82);
    EXPECT_EQ(optScaledDecimal("00000000000000000000000012", 1, 100), 12);
    EXPECT_EQ(optScaledDecimal("0.99999999999999999999999", 1, 100), 0);
    EXPECT_EQ(optScaledDecimal("5", 0, 100), std::nullopt);
    EXPECT_EQ(optScaledDecimal("1 2", 1, 100), std::nullopt);
}

}  // namespace
}  // namespace vantorell
