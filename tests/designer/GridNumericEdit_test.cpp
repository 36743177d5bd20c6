// Numeric cell editing and the exact decimal conversion under it.
#include "designer/rtnGrids/GridNumericEdit.h"

#include <gtest/gtest.h>

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
