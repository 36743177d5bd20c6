// Editing through the shown main window with examples/sales.vtm open: key sequences typed
// into the measure values, measures and irregularities grids as a user types them, with the
// focus moving as the window moves it. Every sequence leaves each sibling group at exactly
// 100 % and every value as typed, and the file saved afterwards holds what the window showed.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <numeric>

#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/views/GridView.h"
#include "tests/support/ShownModel.h"

namespace vantorell {
namespace {

using test::ShownModel;
using Texts = std::vector<std::string>;

constexpr const char* kSales = "examples/sales.vtm";

std::int64_t sum(const Texts& shares) {
    return std::accumulate(
        shares.begin(), shares.end(), std::int64_t{0},
        [](std::int64_t total, const std::string& s) { return total + std::stoll(s); });
}

// --- measure values: Revenue's shares of Beverages, Snacks and Gift Cards ---

struct ShareCase {
    const char* name;
    const char* keys;      // typed with Beverages' share current
    std::int64_t typed;    // the share Beverages ends with; -1 when nothing may change
    bool movesOn = false;  // the next cell, Snacks' lock, is current afterwards
};

class MeasureValuesKeys : public ::testing::TestWithParam<ShareCase> {};

TEST_P(MeasureValuesKeys, KeepTheGroupAtAHundredPercent) {
    const ShareCase& c = GetParam();
    ShownModel shown(kSales);
    GridView& view = *shown.form().sgdMeasureValues;
    const StringGrid& grid = shown.editors().sgdMeasureValues;
    shown.clickNode("Product/Beverages");
    const int percent = intMeasureValuesPercentColumn(grid);
    const Texts before = ShownModel::column(grid, percent);
    ASSERT_EQ(before, (Texts{"550000", "380000", "70000"}));
    // A click on a share would set it from the mouse: the keys take the cell beside it there.
    shown.clickCell(view, intMeasureValuesLockedColumn(grid), 1);
    shown.keys("{Right}");
    ASSERT_EQ(grid.col(), percent);

    shown.keys(c.keys, &view);
    const Texts after = ShownModel::column(grid, percent);
    EXPECT_FALSE(view.inplaceEditor()->isVisible());
    EXPECT_EQ(sum(after), 1000000) << "the group keeps 100 %";
    if (c.typed < 0) {
        EXPECT_EQ(after, before);
    } else {
        EXPECT_EQ(std::stoll(after[0]), c.typed);
        // The others take the difference, each the same way.
        for (std::size_t i = 1; i < after.size(); ++i) {
            const std::int64_t moved = std::stoll(after[i]) - std::stoll(before[i]);
            EXPECT_TRUE(c.typed < 550000 ? moved >= 0 : moved <= 0) << i;
        }
    }
    if (c.movesOn) {
        EXPECT_EQ(grid.col(), intMeasureValuesLockedColumn(grid));
        EXPECT_EQ(grid.row(), 2);
    }

    if (c.typed == 1000000) {
        // Snacks at 0 %: the file cannot keep the shares below it, and the save says so.
        shown.messages().expectContaining(
            "does not keep the shares below the categories listed here: each has a share of "
            "0 %");
    }
    shown.saveAndReopen();
    shown.clickNode("Product/Beverages");
    EXPECT_EQ(ShownModel::column(grid, percent), after) << "the file holds what was shown";
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, MeasureValuesKeys,
    ::testing::Values(ShareCase{"Typed", "40{Enter}", 400000},
                      ShareCase{"TypedWithDecimals", "12.5{Enter}", 125000},
                      ShareCase{"EnterEnter", "{Enter}{Enter}", -1},
                      // Enter opens the edit on "55" selected, so typing replaces it.
                      ShareCase{"EnterThenTyped", "{Enter}30{Enter}", 300000},
                      ShareCase{"Escape", "5{Esc}", -1},
                      ShareCase{"EscapeThenTyped", "55{Esc}20{Enter}", 200000},
                      ShareCase{"Tab", "25{Tab}", 250000, true},
                      ShareCase{"AltUp", "{Alt+Up}", 1000000},
                      ShareCase{"AltDownWhileEditing", "35{Alt+Down}", 350000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeasureValuesMouse, ABarSetByTheMouseKeepsTheGroupAtAHundredPercent) {
    ShownModel shown(kSales);
    GridView& view = *shown.form().sgdMeasureValues;
    const StringGrid& grid = shown.editors().sgdMeasureValues;
    shown.clickNode("Product/Beverages");
    const int percent = intMeasureValuesPercentColumn(grid);
    const Rect cell = grid.cellRect(percent, 3);
    // About a quarter of Gift Cards' bar: the whole percent under the mouse at the scale of 100.
    const int usable = cell.width() - 4;
    const int dx = (usable + 3) / 4;
    const QPoint at(cell.left + dx, (cell.top + cell.bottom) / 2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.viewport()->mapFrom(&view, at));
    const Texts after = ShownModel::column(grid, percent);
    EXPECT_EQ(after[2], std::to_string(100 * dx / usable * 10000));
    EXPECT_EQ(sum(after), 1000000);
    shown.saveAndReopen();
    shown.clickNode("Product/Beverages");
    EXPECT_EQ(ShownModel::column(grid, percent), after);
}

// --- measures: Revenue's total, Units' global percentage, names ---

struct MeasureCellCase {
    const char* name;
    int col;
    int row;  // 1 Revenue, 2 Units
    const char* keys;
    const char* expected;  // nullptr when the cell keeps its text
    int nextCol = -1;      // the current cell afterwards, when the keys move on
    int nextRow = -1;
};

class MeasuresKeys : public ::testing::TestWithParam<MeasureCellCase> {};

TEST_P(MeasuresKeys, TakeEveryValueAsTyped) {
    const MeasureCellCase& c = GetParam();
    ShownModel shown(kSales);
    GridView& view = *shown.form().sgdMeasures;
    const StringGrid& grid = shown.editors().sgdMeasures;
    if (c.col == kMeasuresGlobalPercentage) {
        // A click on the percentage would set it from the mouse.
        shown.clickCell(view, kMeasuresIrregularityType, c.row);
        shown.keys("{Right}");
    } else {
        shown.clickCell(view, c.col, c.row);
    }
    ASSERT_EQ(grid.col(), c.col);
    const std::string before = grid.cell(c.col, c.row);

    shown.keys(c.keys, &view);
    const std::string after = grid.cell(c.col, c.row);
    EXPECT_EQ(after, c.expected != nullptr ? std::string(c.expected) : before);
    EXPECT_FALSE(view.inplaceEditor()->isVisible());
    if (c.nextCol >= 0) {
        EXPECT_EQ(grid.col(), c.nextCol);
        EXPECT_EQ(grid.row(), c.nextRow);
    }

    shown.saveAndReopen();
    EXPECT_EQ(grid.cell(c.col, c.row), after) << "the file holds what was shown";
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, MeasuresKeys,
    ::testing::Values(
        MeasureCellCase{"TotalTyped", kMeasuresPosTotal, 1, "25{Enter}", "25"},
        // A click on the current cell, F2 and Enter start with the old text selected.
        MeasureCellCase{"TotalClickedThenTyped", kMeasuresPosTotal, 1, "{Click}1000{Enter}",
                        "1000"},
        MeasureCellCase{"TotalF2ThenTyped", kMeasuresPosTotal, 1, "{F2}7{Enter}", "7"},
        MeasureCellCase{"TotalEnterThenTyped", kMeasuresPosTotal, 1, "{Enter}8.5{Enter}", "8.5"},
        MeasureCellCase{"TotalEscape", kMeasuresPosTotal, 1, "55{Esc}", nullptr},
        MeasureCellCase{"TotalEscapeThenTyped", kMeasuresNegTotal, 1, "55{Esc}20{Enter}", "20"},
        MeasureCellCase{"TotalTab", kMeasuresPosTotal, 1, "55{Tab}", "55", kMeasuresNegTotal, 1},
        MeasureCellCase{"GlobalTyped", kMeasuresGlobalPercentage, 2, "40{Enter}", "40"},
        MeasureCellCase{"GlobalEnterEnter", kMeasuresGlobalPercentage, 2, "{Enter}{Enter}",
                        nullptr},
        MeasureCellCase{"GlobalEnterThenTyped", kMeasuresGlobalPercentage, 2, "{Enter}60{Enter}",
                        "60"},
        MeasureCellCase{"GlobalEscape", kMeasuresGlobalPercentage, 2, "5{Esc}", nullptr},
        // Past the source and the weighting dimension, which an independent measure lacks.
        MeasureCellCase{"GlobalTab", kMeasuresGlobalPercentage, 2, "55{Tab}", "55", kMeasuresName,
                        3},
        MeasureCellCase{"NameEscape", kMeasuresName, 1, "Sales{Esc}", nullptr},
        MeasureCellCase{"NameTab", kMeasuresName, 1, "Sales{Tab}", "Sales", kMeasuresCode, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeasuresButtons, AMeasureAddedOrInsertedTakesTheNameTyped) {
    ShownModel shown(kSales);
    TForm1& form = shown.form();
    const StringGrid& grid = shown.editors().sgdMeasures;
    shown.clickButton(*form.tbnMeasureAdd);
    shown.keys("Margin{Enter}");
    shown.clickCell(*form.sgdMeasures, kMeasuresName, 1);
    shown.clickButton(*form.tbnMeasureInsert);
    shown.keys("Cost{Enter}");
    const Texts names{"Cost", "Revenue", "Units", "Unit price", "Margin"};
    EXPECT_EQ(ShownModel::column(grid, kMeasuresName), names);

    shown.saveAndReopen();
    EXPECT_EQ(ShownModel::column(grid, kMeasuresName), names);
}

TEST(MeasuresButtons, AMeasureAddedFromTheLowerGridIsCheckedAgainstItsOwnName) {
    ShownModel shown(kSales);
    TForm1& form = shown.form();
    const StringGrid& grid = shown.editors().sgdMeasures;
    const StringGrid& values = shown.editors().sgdMeasureValues;
    shown.clickNode("Product/Beverages");
    // The lower grid has the focus, on Gift Cards' "False".
    shown.clickCell(*form.sgdMeasureValues, intMeasureValuesLockedColumn(values), 3);
    shown.clickButton(*form.tbnMeasureAdd);

    // An emptied name gets the new measure's name back, not the lower grid's text.
    shown.messages().expect("Sorry, a value must be specified.");
    shown.keys(" {Enter}");
    EXPECT_EQ(grid.cell(kMeasuresName, 4), "Measure 1");
    EXPECT_EQ(shown.messages().pending(), 0u);

    shown.keys("{F2}Margin{Enter}");
    EXPECT_EQ(grid.cell(kMeasuresName, 4), "Margin");
    EXPECT_EQ(ShownModel::column(values, 0),
              (Texts{"Beverages and Margin", "Snacks and Margin", "Gift Cards and Margin"}));
}

// --- irregularities: Revenue's adjustments, Product's stored as 25.7 % and 5.5 % ---

const ShownModel::Edits kFractions = {{"D1\r\n15\r\n1\r\n5\r\n", "D1\r\n25.7\r\n1\r\n5.5\r\n"}};

void irregularitiesShow(ShownModel& shown) {
    shown.clickNode("Product");
    shown.clickTab(*shown.form().tstIrregularities);
}

// Product's adjustment current; a click on a percentage would set it from the mouse.
void adjustmentSelect(ShownModel& shown) {
    shown.clickCell(*shown.form().sgdIrregularities, kIrregularitiesFamily, 1);
    shown.keys("{Left}{Left}");
    ASSERT_EQ(shown.editors().sgdIrregularities.col(), kIrregularitiesAdjustment);
}

TEST(IrregularitiesViewing, LooksChangeNothing) {
    ShownModel shown(kSales, kFractions);
    TForm1& form = shown.form();
    irregularitiesShow(shown);
    const StringGrid& grid = shown.editors().sgdIrregularities;
    EXPECT_EQ(grid.cell(kIrregularitiesAdjustment, 1), "26") << "rounded, not cut";
    adjustmentSelect(shown);
    shown.keys("{Right}{Down}{Up}");
    shown.clickTab(*form.tstMeasureValues);
    shown.clickNode("Region");

    const TIrregularitiesWorksetItem& product = *irregularityItem(*shown.node("Product"), 0);
    EXPECT_DOUBLE_EQ(product.dblStandardIrregularity, 0.257);
    EXPECT_DOUBLE_EQ(product.dblInterFamilyIrregularity, 0.055);
    EXPECT_FALSE(shown.changed());
}

struct IrregularityCase {
    const char* name;
    const char* keys;      // typed with Product's adjustment current
    const char* expected;  // the cell afterwards; nullptr when the stored value stays
    bool movesOn = false;  // the extra adjustment is current afterwards
};

class IrregularitiesKeys : public ::testing::TestWithParam<IrregularityCase> {};

TEST_P(IrregularitiesKeys, TakeEveryValueAsTyped) {
    const IrregularityCase& c = GetParam();
    ShownModel shown(kSales, kFractions);
    GridView& view = *shown.form().sgdIrregularities;
    const StringGrid& grid = shown.editors().sgdIrregularities;
    irregularitiesShow(shown);
    adjustmentSelect(shown);

    shown.keys(c.keys, &view);
    shown.clickNode("Region");  // the grid is left, and stored
    const TIrregularitiesWorksetItem& product = *irregularityItem(*shown.node("Product"), 0);
    if (c.expected == nullptr) {
        EXPECT_EQ(grid.cell(kIrregularitiesAdjustment, 1), "26");
        EXPECT_DOUBLE_EQ(product.dblStandardIrregularity, 0.257);
    } else {
        EXPECT_EQ(grid.cell(kIrregularitiesAdjustment, 1), c.expected);
        EXPECT_DOUBLE_EQ(product.dblStandardIrregularity, std::stoi(c.expected) / 100.0);
    }
    EXPECT_EQ(shown.changed(), c.expected != nullptr);
    if (c.movesOn) {
        EXPECT_EQ(grid.col(), kIrregularitiesExtraAdjustment);
        EXPECT_EQ(grid.row(), 1);
    }
    const Texts after = ShownModel::column(grid, kIrregularitiesAdjustment);

    shown.saveAndReopen();
    irregularitiesShow(shown);
    EXPECT_EQ(ShownModel::column(grid, kIrregularitiesAdjustment), after)
        << "the file holds what was shown";
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, IrregularitiesKeys,
    ::testing::Values(IrregularityCase{"Typed", "30{Enter}", "30"},
                      IrregularityCase{"EnterEnter", "{Enter}{Enter}", nullptr},
                      IrregularityCase{"EnterThenTyped", "{Enter}40{Enter}", "40"},
                      IrregularityCase{"Escape", "5{Esc}", nullptr},
                      IrregularityCase{"Tab", "55{Tab}", "55", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantorell
