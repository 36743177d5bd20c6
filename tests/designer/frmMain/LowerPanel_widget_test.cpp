// The lower panel of the shown main window: the panes above it keep their place when it
// hides, and it shows the current node's current data after a rename and after an import.
#include <gtest/gtest.h>

#include <QAction>
#include <QTabWidget>
#include <QTest>

#include "designer/frmMain/DocumentPorts.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/views/GridView.h"
#include "designer/views/NodeTreeView.h"
#include "tests/support/ShownModel.h"

namespace vantorell {
namespace {

using test::ShownModel;
using Texts = std::vector<std::string>;

constexpr const char* kSales = "examples/sales.vtm";

TEST(LowerPanel, ThePanesAboveKeepTheirPlaceWhenItHides) {
    ShownModel shown(kSales);
    TForm1& form = shown.form();
    const auto place = [&form](const QWidget* w) {
        return QRect(w->mapTo(&form, QPoint(0, 0)), w->size());
    };
    const QRect tree = place(form.tvwDimsCats);
    const QRect measures = place(form.sgdMeasures);
    ASSERT_TRUE(form.pclValues->isVisible());

    // Unit price is weighted over Product: a region's group has nothing to show.
    shown.clickNode("Region/North");
    shown.clickCell(*form.sgdMeasures, kMeasuresName, 3);
    EXPECT_FALSE(form.pclValues->isVisible());
    EXPECT_EQ(place(form.tvwDimsCats), tree);
    EXPECT_EQ(place(form.sgdMeasures), measures);

    shown.clickCell(*form.sgdMeasures, kMeasuresName, 1);
    EXPECT_TRUE(form.pclValues->isVisible());
    EXPECT_EQ(place(form.tvwDimsCats), tree);

    // Without measures the panel hides as well.
    for (int i = 0; i < 3; ++i) {
        shown.clickButton(*form.tbnMeasureRem);
    }
    EXPECT_FALSE(form.pclValues->isVisible());
    EXPECT_EQ(place(form.tvwDimsCats), tree);
    EXPECT_EQ(place(form.sgdMeasures), measures);
}

TEST(LowerPanel, ANewNodeShowsTheNameTypedForIt) {
    ShownModel shown(kSales);
    shown.clickNode("Product/Beverages");
    shown.clickButton(*shown.form().tbnDimsCatsAddSibling);
    shown.keys("Juices{Enter}");
    ASSERT_NE(shown.node("Product/Juices"), nullptr);
    const Texts rows = ShownModel::column(shown.editors().sgdMeasureValues, 0);
    EXPECT_EQ(rows, (Texts{"Beverages and Revenue", "Juices and Revenue", "Snacks and Revenue",
                           "Gift Cards and Revenue"}));

    // A dimension renamed shows its new name in both lower grids.
    shown.clickNode("Product");
    QTest::keyClick(shown.form().tvwDimsCats, Qt::Key_F2);
    shown.keys("Goods{Enter}");
    EXPECT_EQ(shown.editors().sgdMeasureValues.cell(0, 1), "Goods and Revenue");
    EXPECT_EQ(shown.editors().sgdIrregularities.cell(0, 1), "Goods and Revenue");
}

TEST(LowerPanel, ANodeSelectedByKeysIsShownAsAClickedOne) {
    ShownModel shown(kSales);
    const StringGrid& values = shown.editors().sgdMeasureValues;
    shown.clickNode("Product");
    ASSERT_EQ(ShownModel::column(values, 0), (Texts{"Product and Revenue"}));

    shown.keys("{Right}{Down}");  // opens Product, then down to Beverages
    ASSERT_EQ(shown.editors().tvwDimsCats.selected(), shown.node("Product/Beverages"));
    EXPECT_EQ(ShownModel::column(values, 0),
              (Texts{"Beverages and Revenue", "Snacks and Revenue", "Gift Cards and Revenue"}));
    EXPECT_EQ(ShownModel::column(values, 2), (Texts{"550000", "380000", "70000"}));

    // Past the last category of Product to the next dimension, and back up by Left.
    shown.keys("{Down}{Down}{Down}");
    ASSERT_EQ(shown.editors().tvwDimsCats.selected(), shown.node("Region"));
    EXPECT_EQ(ShownModel::column(values, 0), (Texts{"Region and Revenue"}));
    shown.keys("{Up}{Left}");
    ASSERT_EQ(shown.editors().tvwDimsCats.selected(), shown.node("Product"));
    EXPECT_EQ(ShownModel::column(values, 0), (Texts{"Product and Revenue"}));
}

TEST(LowerPanel, AMeasureNamedByEnterShowsItsNameInBothLowerGrids) {
    ShownModel shown(kSales);
    TForm1& form = shown.form();
    const StringGrid& values = shown.editors().sgdMeasureValues;
    shown.clickNode("Product/Beverages");
    shown.clickCell(*form.sgdMeasures, kMeasuresName, 1);
    shown.keys("Sales{Enter}");
    EXPECT_EQ(ShownModel::column(values, 0),
              (Texts{"Beverages and Sales", "Snacks and Sales", "Gift Cards and Sales"}));
    EXPECT_EQ(shown.editors().sgdIrregularities.cell(0, 1), "Product and Sales");

    // A measure added is named as it is typed.
    shown.clickButton(*form.tbnMeasureAdd);
    shown.keys("Margin{Enter}");
    EXPECT_EQ(ShownModel::column(values, 0),
              (Texts{"Beverages and Margin", "Snacks and Margin", "Gift Cards and Margin"}));
}

// Units takes Revenue's values and irregularity type from the same model.
class UnitsFromRevenue : public ImportDialogPort {
public:
    ImportDialogResult run(const std::string& fileName) override {
        ImportDialogResult result;
        result.confirmed = true;
        result.fileName = fileName;
        std::int32_t points = 0;
        EXPECT_TRUE(flgReadFile(fileName, points, result.model));
        result.measures = {-1, 0, -1};
        result.dimensions.resize(result.model.dimensions.size());
        return result;
    }
};

TEST(LowerPanel, AnImportShowsThePagesItsMeasuresNeed) {
    ShownModel shown(kSales);
    TForm1& form = shown.form();
    shown.clickNode("Product/Beverages");
    shown.clickCell(*form.sgdMeasures, kMeasuresName, 2);
    const int irregularities = form.pclValues->indexOf(form.tstIrregularities);
    ASSERT_FALSE(form.pclValues->isTabVisible(irregularities)) << "Units varies globally";

    UnitsFromRevenue dialog;
    form.importDialog = &dialog;
    ASSERT_TRUE(form.flgFileImport(shown.file()));
    form.importDialog = nullptr;
    EXPECT_EQ(shown.editors().sgdMeasures.cell(kMeasuresIrregularityType, 2),
              "Vary by Dim. + Up to 2 Families");
    EXPECT_TRUE(form.pclValues->isTabVisible(irregularities));
    EXPECT_EQ(shown.editors().sgdIrregularities.cell(0, 1), "Product and Units");
}

}  // namespace
}  // namespace vantorell
