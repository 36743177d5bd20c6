// The import dialog without widgets: reading the other model, the proposals for clashing
// dimension names and codes, the measures of the current model with the lists offered for
// them, and the choices Ok takes from the grids.
#include "designer/frmImpMeas/ImportDialogState.h"

#include <gtest/gtest.h>

#include <limits>

#include "designer/frmImpMeas/ImportMeasuresCells.h"
#include "tests/support/GridFakes.h"
#include "tests/support/ImportModels.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using namespace test;
using Rows = std::vector<std::vector<std::string>>;

// Region "REG" (North "N", South "N1") and Region 1 "R1"; Sales and Cost independent, Units
// weighted.
ModelArrays target() {
    ModelArrays m;
    m.dimensions = {dimension("Region", "REG"), dimension("Region 1", "R1")};
    m.categories = {category("North", "N", 1, 0), category("South", "N1", 1, 0)};
    m.measures = {independent("Sales", "SAL", 1000, 0, 0, 0), weighted("Units", "UNI", 0, 0),
                  independent("Cost", "CST", 50, 0, 0, 100)};
    return m;
}

// Region "REG" (East), Product "N" (Hardware), Channel "CH" (Web); Rev and Misc independent,
// Qty weighted.
ModelArrays source() {
    ModelArrays m;
    m.dimensions = {dimension("Region", "REG"), dimension("Product", "N"),
                    dimension("Channel", "CH")};
    m.categories = {category("East", "E", 1, 0), category("Hardware", "HW", 1, 1),
                    category("Web", "WEB", 1, 2)};
    m.measures = {independent("Rev", "REV", 500, 20, 0, 0), weighted("Qty", "QTY", 0, 1),
                  independent("Misc", "MSC", 9, 0, 0, 30)};
    // The file keeps a measure's type with its values.
    for (const int measure : {0, 2}) {
        for (int c = 0; c < 3; ++c) {
            m.values.push_back(share(measure, c, c, 1000000, 1000000));
        }
    }
    m.values.push_back(ratios(1, 1, 1, 0.5, 2, 1));
    return m;
}

Rows rowsOf(const StringGrid& grid) {
    Rows rows;
    for (int r = 0; r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < grid.colCount(); ++c) {
            row.push_back(grid.cell(c, r));
        }
        rows.push_back(row);
    }
    return rows;
}

class ImportDialogStateTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(editors.internalize(target())); }

    bool show(ModelArrays model = source()) {
        dialog.strImportFile = writtenModel(program.file("import.vtm"), std::move(model));
        return dialog.FormShow();
    }
    // Chooses an imported measure for a row as the list does.
    void assign(int row, const std::string& name) {
        ASSERT_TRUE(dialog.sgdMeasuresImport.setCurrentCell(kImportMeasure, row));
        sgdMeasuresImportGetEditMask(dialog, kImportMeasure, row);
        dialog.cbxImportMeasures.selectText(name);
        cbxImportMeasuresExit(dialog);
    }

    TempFolder program;
    TestMessages messages;
    TestEditors editors{program.path()};
    ImportDialogState dialog{editors};
};

TEST_F(ImportDialogStateTest, ListsTheImportedDimensionsWithProposalsWhereTheyClash) {
    ASSERT_TRUE(show());
    EXPECT_FALSE(dialog.flgOkPressed);
    EXPECT_EQ(dialog.arrImport.dimensions.size(), 3u);
    // The name gets the next free number among the dimensions; the code, used by a
    // category, the next number no dimension has, whatever the categories hold.
    EXPECT_EQ(rowsOf(dialog.sgdDimsCatsImport),
              (Rows{{"Import Dimension", "Include?", "New Dimension Name", "New Dimension Code",
                     "Category Limit"},
                    {"Region", "True", "Region 2", "REG1", "0"},
                    {"Product", "True", "", "N1", "0"},
                    {"Channel", "True", "", "", "0"}}));
    EXPECT_EQ(rowsOf(dialog.sgdMeasuresImport),
              (Rows{{"Target Measure", "Target Type", "Import Measure"},
                    {"Sales", "Independent", ""},
                    {"Units", "Weighted", ""},
                    {"Cost", "Independent", ""}}));
    EXPECT_EQ(dialog.sgdDimsCatsImport.fixedCols(), 0);
    EXPECT_EQ(dialog.sgdMeasuresImport.fixedCols(), 0);
}

TEST_F(ImportDialogStateTest, IntoAnEmptyModelNothingClashesAndNoMeasureIsListed) {
    ASSERT_TRUE(editors.internalize({}));
    ASSERT_TRUE(show());
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(dialog.sgdDimsCatsImport.cell(kImportNewDimensionName, r), "");
        EXPECT_EQ(dialog.sgdDimsCatsImport.cell(kImportNewDimensionCode, r), "");
    }
    EXPECT_EQ(dialog.sgdMeasuresImport.dataRowCount(), 0);
    ASSERT_TRUE(dialog.btnOkClick());
    EXPECT_TRUE(dialog.arrImportMeasuresTranslation.empty());
    EXPECT_EQ(dialog.arrImportDimensionsTranslation.size(), 3u);
}

TEST_F(ImportDialogStateTest, EachMeasureIsOfferedTheImportedMeasuresOfItsTypeAndNone) {
    ASSERT_TRUE(show());
    const std::pair<int, std::vector<std::string>> offered[] = {
        {1, {"Rev", "Misc", ""}}, {2, {"Qty", ""}}, {3, {"Rev", "Misc", ""}}};
    test::FakeGridPort port(dialog.sgdMeasuresImport);
    for (const auto& [row, items] : offered) {
        ASSERT_TRUE(dialog.sgdMeasuresImport.setCurrentCell(kImportMeasure, row));
        EXPECT_FALSE(sgdMeasuresImportGetEditMask(dialog, kImportMeasure, row));
        EXPECT_TRUE(dialog.cbxImportMeasures.visible());
        EXPECT_EQ(dialog.cbxImportMeasures.items(), items) << row;
        cbxImportMeasuresExit(dialog);
        EXPECT_FALSE(dialog.cbxImportMeasures.visible());
    }
}

TEST_F(ImportDialogStateTest, OkTakesTheChoicesOfEveryRow) {
    ModelArrays model = source();
    model.measures.push_back(independent("Rev", "RV2", 1, 0, 0, 0));  // the last one counts
    model.values.push_back(share(3, 0, 0, 1000000, 1000000));
    ASSERT_TRUE(show(model));
    StringGrid& dims = dialog.sgdDimsCatsImport;
    dims.setCell(kImportInclude, 1, "False");
    dims.setCell(kImportNewDimensionName, 2, "Goods");
    dims.setCell(kImportCategoryLimit, 2, "12");
    dims.setCell(kImportCategoryLimit, 3, "");
    assign(1, "Rev");
    assign(2, "Qty");

    ASSERT_TRUE(dialog.btnOkClick());
    EXPECT_TRUE(dialog.flgOkPressed);
    ASSERT_EQ(dialog.arrImportDimensionsTranslation.size(), 3u);
    const TImportDimensionsTranslation& region = dialog.arrImportDimensionsTranslation[0];
    EXPECT_EQ(region.strImportDimensionName, "Region");
    EXPECT_FALSE(region.flgInclude);
    EXPECT_EQ(region.strNewDimensionName, "Region 2");
    EXPECT_EQ(region.strNewDimensionCode, "REG1");
    const TImportDimensionsTranslation& product = dialog.arrImportDimensionsTranslation[1];
    EXPECT_TRUE(product.flgInclude);
    EXPECT_EQ(product.strNewDimensionName, "Goods");
    EXPECT_EQ(product.strNewDimensionCode, "N1");
    EXPECT_EQ(product.intCategoryLimit, 12);
    EXPECT_EQ(dialog.arrImportDimensionsTranslation[2].intCategoryLimit, 0);
    EXPECT_EQ(dialog.arrImportMeasuresTranslation, (TArrImportMeasuresTranslation{3, 1, -1}));

    const ImportDialogResult result = dialog.result();
    EXPECT_TRUE(result.confirmed);
    EXPECT_EQ(result.fileName, dialog.strImportFile);
    EXPECT_EQ(result.model.measures.size(), 4u);
    EXPECT_EQ(result.measures, dialog.arrImportMeasuresTranslation);
    EXPECT_EQ(result.dimensions.size(), 3u);

    // The next showing starts afresh.
    ASSERT_TRUE(show());
    EXPECT_FALSE(dialog.flgOkPressed);
    EXPECT_TRUE(dialog.arrImportDimensionsTranslation.empty());
    EXPECT_TRUE(dialog.arrImportMeasuresTranslation.empty());
    EXPECT_EQ(dialog.sgdMeasuresImport.cell(kImportMeasure, 1), "");
    EXPECT_FALSE(dialog.result().confirmed);
}

TEST_F(ImportDialogStateTest, OkRefusesADimensionNameTheMergedTreeWouldHaveTwice) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, std::string>> newNames;
        std::string message;
    };
    const Case cases[] = {
        {"the proposal cleared",
         {{1, ""}},
         "Sorry, the Import Dimension Region would be added as Region, \rwhich is already being "
         "used by row 1 (i.e. Region) \rin the current models Dimensions/Category Tree."},
        {"a name of the tree typed",
         {{3, "Region 1"}},
         "Sorry, the Import Dimension Channel would be added as Region 1, \rwhich is already "
         "being used by row 4 (i.e. Region 1) \rin the current models Dimensions/Category Tree."},
        {"two rows under one name",
         {{2, "Channel"}},
         "Sorry, the Import Dimension Channel would be added as Channel, \rwhich is already being "
         "used by row 2 (i.e. Product) \rin the Import Dimension/Category Grid."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(show());
        for (const auto& [row, name] : c.newNames) {
            dialog.sgdDimsCatsImport.setCell(kImportNewDimensionName, row, name);
        }
        messages.expect(c.message, MessageAnswer::Cancel);
        EXPECT_FALSE(dialog.btnOkClick());
        EXPECT_FALSE(dialog.flgOkPressed);
        EXPECT_TRUE(dialog.arrImportDimensionsTranslation.empty());
        EXPECT_EQ(messages.pending(), 0u);
        EXPECT_EQ(messages.shown().back().buttons, unsigned{kButtonCancel});
        // Left out, the row clashes with nothing.
        const int row = c.newNames.front().first;
        dialog.sgdDimsCatsImport.setCell(kImportInclude, row, "False");
        EXPECT_TRUE(dialog.btnOkClick());
    }
}

TEST_F(ImportDialogStateTest, AFileThatCannotBeReadClosesTheDialogWithItsMessage) {
    const std::string broken = program.write("broken.vtm", "VT0200\n<no end>\nMEAS\nRev\n");
    const std::string missing = program.file("missing.vtm");
    for (const std::string& path : {broken, missing}) {
        SCOPED_TRACE(path);
        dialog.strImportFile = path;
        messages.expectContaining("Fatal error encountered while attempting to read file " + path +
                                  ".");
        EXPECT_FALSE(dialog.FormShow());
        EXPECT_EQ(messages.shown().back().caption, "Import File");
        EXPECT_EQ(messages.shown().back().icon, MessageIcon::Error);
        EXPECT_FALSE(dialog.flgOkPressed);
        EXPECT_TRUE(dialog.arrImport.dimensions.empty() && dialog.arrImport.measures.empty());
        EXPECT_FALSE(dialog.result().confirmed);
    }
}

TEST(ImportDialogLimitTest, ReadsTheCategoryLimit) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"", 0},
        {"0", 0},
        {"7", 7},
        {"0012", 12},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"99999999999", std::numeric_limits<std::int32_t>::max()}};
    for (const auto& [text, limit] : cases) {
        EXPECT_EQ(intCategoryLimitGet(text), limit) << text;
    }
}

}  // namespace
}  // namespace vantorell
