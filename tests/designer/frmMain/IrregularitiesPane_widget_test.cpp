// The irregularities editor on screen: its page comes with a measure that varies by
// dimension, its presets and typed percentages reach the dimensions' working data.
#include <gtest/gtest.h>

#include <QAction>
#include <QTabWidget>
#include <QTest>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/TForm1.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/views/GridView.h"
#include "platform/EventLoop.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

TEST(IrregularitiesPaneTest, PresetsAndTypingReachTheWorkingData) {
    test::TempFolder program;
    test::TestMessages messages;
    TForm1 form(program.path());
    form.show();
    processMessages();
    EditorState& e = form.editors;
    ModelArrays model = test::smallModel();
    std::string checksum;
    ASSERT_TRUE(
        nulInternalizeReaderWriterArrays(e, model, checksum, {}, {}, false, "Test", "Arrays.log"));
    e.tvwDimsCats.setSelected(e.tvwDimsCats.getFirstNode());
    e.sgdMeasures.setCurrentCell(0, 1);  // Revenue: up to 2 families
    nulMeasureValuesAndIrregularitiesSetPanels(e);
    EXPECT_TRUE(form.pclValues->isTabVisible(form.pclValues->indexOf(form.tstIrregularities)));

    form.btnIrregularitiesPercentHalf->trigger();
    TreeNode* region = e.tvwDimsCats.getFirstNode();
    EXPECT_DOUBLE_EQ(irregularityItem(*region, 0)->dblStandardIrregularity, 0.5);

    form.pclValues->setCurrentWidget(form.tstIrregularities);
    processMessages();
    form.sgdIrregularities->setFocus();
    ASSERT_TRUE(e.sgdIrregularities.setCurrentCell(kIrregularitiesAdjustment, 1));
    QTest::keyClicks(form.sgdIrregularities, "7");
    QTest::keyClicks(QApplication::focusWidget(), "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(e.sgdIrregularities.cell(kIrregularitiesAdjustment, 1), "75");
    form.btnIrregularitiesPercentNone->trigger();  // commits the grid first
    EXPECT_DOUBLE_EQ(irregularityItem(*region, 0)->dblStandardIrregularity, 0.0);
    EXPECT_EQ(e.sgdIrregularities.cell(kIrregularitiesAdjustment, 1), "0");
}

}  // namespace
}  // namespace vantorell
