// The measure values editor on screen: the lower panel follows the chooser, the sign buttons
// reload the grid, and the grid's keys reach the editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>

#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/TForm1.h"
#include "designer/views/GridView.h"
#include "platform/EventLoop.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

TEST(MeasureValuesPaneTest, ThePanelTheSignAndTheKeysReachTheEditor) {
    test::TempFolder program;
    test::TestMessages messages;
    TForm1 form(program.path());
    form.show();  // File New: one measure, Dimension 1 with Category 1
    processMessages();
    EditorState& e = form.editors;
    form.tbnDimsCatsAddSibling->trigger();  // a second dimension, so that the first shows alone
    e.tvwDimsCats.setSelected(e.tvwDimsCats.getFirstNode()->getFirstChild());
    form.tbnDimsCatsAddSibling->trigger();  // Category 2, which takes no share
    processMessages();
    EXPECT_TRUE(form.pclValues->isVisible());
    EXPECT_TRUE(form.pclValues->isTabVisible(form.pclValues->indexOf(form.tstMeasureValues)));
    EXPECT_FALSE(form.pclValues->isTabVisible(form.pclValues->indexOf(form.tstIrregularities)));
    EXPECT_TRUE(form.tbnMeasureValuesLevel->isEnabled());
    ASSERT_EQ(e.sgdMeasureValues.dataRowCount(), 2);

    // Alt+Up on the new category's share takes the whole from its sibling.
    form.sgdMeasureValues->setFocus();
    ASSERT_TRUE(
        e.sgdMeasureValues.setCurrentCell(intMeasureValuesPercentColumn(e.sgdMeasureValues), 2));
    QTest::keyClick(form.sgdMeasureValues, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(intMeasureValuesPercentGet(e.sgdMeasureValues, 2), 1000000);
    EXPECT_EQ(intMeasureValuesPercentGet(e.sgdMeasureValues, 1), 0);

    // Showing the negatives stores the positives first.
    form.tbnMeasureValuesShowNeg->trigger();
    EXPECT_TRUE(e.flgMeasureValuesShowNegatives);
    EXPECT_EQ(intMeasureValuesPercentGet(e.sgdMeasureValues, 1), 1000000);
    form.tbnMeasureValuesShowPos->trigger();
    EXPECT_EQ(intMeasureValuesPercentGet(e.sgdMeasureValues, 2), 1000000);

    form.tbnMeasureValuesScaleZoomIn->trigger();
    EXPECT_EQ(form.cbxMeasureValuesScale->currentText(), "50");
    EXPECT_EQ(e.intMeasureValuesScaleIndex, 1);

    // A new model starts with its positives, and the sign buttons show it.
    form.tbnMeasureValuesShowNeg->trigger();
    messages.expect("The current file has changed would you like save it before continuing?",
                    MessageAnswer::No);
    form.mnuFileNew->trigger();
    EXPECT_FALSE(e.flgMeasureValuesShowNegatives);
    EXPECT_TRUE(form.tbnMeasureValuesShowPos->isChecked());
    EXPECT_FALSE(form.tbnMeasureValuesShowNeg->isChecked());
}

}  // namespace
}  // namespace vantorell
