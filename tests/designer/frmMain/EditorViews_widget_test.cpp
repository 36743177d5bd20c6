// The main window shows the editors' working copy: after internalize the tree view, the
// code list and the measures grid show the model, and the status bar its counts.
#include <gtest/gtest.h>

#include <QListView>
#include <QStatusBar>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/TForm1.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "designer/views/NodeTreeView.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

TEST(EditorViewsTest, TheWindowShowsTheWorkingCopyAfterInternalize) {
    test::TempFolder program;
    test::TestMessages messages;
    TForm1 form(program.path());
    form.show();
    EXPECT_EQ(form.editors.strProgramFolder, program.path());

    ModelArrays model = test::smallModel();
    std::string checksum;
    ASSERT_TRUE(nulInternalizeReaderWriterArrays(form.editors, model, checksum, {}, {}, false,
                                                 "Internalizing for file load... small.vtm",
                                                 "Arrays.log"));

    QAbstractItemModel* tree = form.tvwDimsCats->model();
    ASSERT_EQ(tree->rowCount(), 2);
    EXPECT_EQ(tree->index(0, 0).data().toString(), "Region");
    EXPECT_EQ(tree->rowCount(tree->index(1, 0)), 2);  // Hardware, Services

    const QAbstractItemModel* codes = form.lvwDimsCats->model();
    ASSERT_GE(codes->rowCount(), 2);
    EXPECT_EQ(codes->index(0, 0).data().toString(), "REG");
    EXPECT_EQ(codes->index(1, 0).data().toString(), "PRD");

    const GridModel& grid = form.sgdMeasures->gridModel();
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Name");
    EXPECT_EQ(grid.index(0, 0).data().toString(), "Revenue");
    EXPECT_EQ(grid.index(1, 2).data().toString(), "Weighted");
    EXPECT_EQ(grid.index(1, 8).data().toString(), "Product");

    EXPECT_TRUE(form.statusBar()->currentMessage().startsWith(", Internalize: "));
    EXPECT_TRUE(form.statusBar()->currentMessage().endsWith(
        "(2 Dimensions, 9 Categories, 2 Measures, 2 Irregularities, 13 Measure Values)"));
}

}  // namespace
}  // namespace vantorell
