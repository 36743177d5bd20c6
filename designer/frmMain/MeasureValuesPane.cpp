// The measure values editor on screen: its tool bar (locks, sign, shapes, scale), its pop-up
// menu, the grid's keys, mouse, drawing and exit handed to the editor, and the lower
// panel's pages as the panel chooser leaves them.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>

#include "designer/frmMain/EditorGridEvents.h"
#include "designer/frmMain/EditorToolBar.h"
#include "designer/frmMain/MeasureValuesCells.h"
#include "designer/frmMain/MeasureValuesCommands.h"
#include "designer/frmMain/MeasureValuesDrawing.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/frmMain/PercentShapes.h"
#include "designer/frmMain/TForm1.h"
#include "designer/frmMain/ToolButtons.h"
#include "designer/views/DimsCatsImages.h"
#include "designer/views/EditorBitmaps.h"
#include "designer/views/GridView.h"

namespace vantorell {

void TForm1::nulMeasureValuesToolBarCreate() {
    EditorToolBar tools(*tstMeasureValues, "tbrMeasureValuesButtons", editors, *sgdMeasureValues);
    tbrMeasureValuesButtons = tools.bar();
    tbnMeasureValuesLockAll = tools.button("tbnMeasureValuesLockAll", "Lock all items",
                                           lockIcon(true), tbnMeasureValuesLockAllClick);
    tbnMeasureValuesUnlockAll = tools.button("tbnMeasureValuesUnlockAll", "Unlock all items",
                                             lockIcon(false), tbnMeasureValuesUnlockAllClick);
    tbrMeasureValuesButtons->addSeparator();
    // A grouped pair of check buttons; the pending edits are stored with the sign shown
    // before the other sign is loaded.
    auto* signs = new QActionGroup(tbrMeasureValuesButtons);
    const auto sign = [&tools, signs](const char* name, const char* hint, bool negative) {
        QAction* b = tools.button(name, hint, signIcon(negative), [negative](EditorState& e) {
            tbnMeasureValuesShowClick(e, negative);
        });
        b->setCheckable(true);
        signs->addAction(b);
        return b;
    };
    tbnMeasureValuesShowPos = sign("tbnMeasureValuesShowPos", "Percent - Show Positives", false);
    tbnMeasureValuesShowNeg = sign("tbnMeasureValuesShowNeg", "Percents - Show Negatives", true);
    tbnMeasureValuesShowPos->setChecked(true);
    tbrMeasureValuesButtons->addSeparator();
    const auto shape = [](std::initializer_list<QPoint> points) {
        return shapeIcon(QPolygon(points));
    };
    tbnMeasureValuesLevel = tools.button("tbnMeasureValuesLevel", "Percents - Level",
                                         shape({{2, 8}, {14, 8}}), tbnMeasureValuesLevelClick);
    tbnMeasureValuesRising = tools.button("tbnMeasureValuesRising", "Percents - Rising",
                                          shape({{2, 14}, {14, 2}}), tbnMeasureValuesRisingClick);
    tbnMeasureValuesFalling = tools.button("tbnMeasureValuesFalling", "Percents - Falling",
                                           shape({{2, 2}, {14, 14}}), tbnMeasureValuesFallingClick);
    tbnMeasureValuesCurvingUp =
        tools.button("tbnMeasureValuesCurvingUp", "Percents - Curving Up",
                     shape({{2, 14}, {8, 12}, {12, 8}, {14, 2}}), tbnMeasureValuesCurvingUpClick);
    tbnMeasureValuesCurvingDown =
        tools.button("tbnMeasureValuesCurvingDown", "Percents - Curving Down",
                     shape({{2, 2}, {4, 8}, {8, 12}, {14, 14}}), tbnMeasureValuesCurvingDownClick);
    tbnMeasureValuesPeak =
        tools.button("tbnMeasureValuesPeak", "Percents - Peak", shape({{2, 14}, {8, 2}, {14, 14}}),
                     tbnMeasureValuesPeakClick);
    tbnMeasureValuesValley =
        tools.button("tbnMeasureValuesValley", "Percents - Valley",
                     shape({{2, 2}, {8, 14}, {14, 2}}), tbnMeasureValuesValleyClick);
    tbnMeasureValuesRandom = tools.button("tbnMeasureValuesRandom", "Percents - Random",
                                          shape({{2, 9}, {5, 3}, {8, 12}, {11, 5}, {14, 10}}),
                                          tbnMeasureValuesRandomClick);
    tbrMeasureValuesButtons->addSeparator();
    tbrMeasureValuesButtons->addWidget(new QLabel(QStringLiteral("Scale: 0 .."), tstMeasureValues));
    cbxMeasureValuesScale = new QComboBox(tstMeasureValues);
    cbxMeasureValuesScale->setObjectName(QStringLiteral("cbxMeasureValuesScale"));
    for (const char* item : kMeasureValuesScaleTexts) {
        cbxMeasureValuesScale->addItem(QString::fromUtf8(item));
    }
    tbrMeasureValuesButtons->addWidget(cbxMeasureValuesScale);
    tbrMeasureValuesButtons->addWidget(new QLabel(QStringLiteral("%"), tstMeasureValues));
    connect(cbxMeasureValuesScale, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) {
                cbxMeasureValuesScaleChange(editors, index);
                sgdMeasureValues->viewport()->update();
            });
    const auto zoom = [this, &tools](const char* name, const char* hint, bool in) {
        return tools.button(name, hint, dimsCatsExpandIcon(in), [this, in](EditorState& e) {
            (in ? tbnMeasureValuesScaleZoomInClick : tbnMeasureValuesScaleZoomOutClick)(e);
            cbxMeasureValuesScale->setCurrentIndex(e.intMeasureValuesScaleIndex);
        });
    };
    tbnMeasureValuesScaleZoomIn = zoom("tbnMeasureValuesScaleZoomIn", "Percents - Zoom In", true);
    tbnMeasureValuesScaleZoomOut =
        zoom("tbnMeasureValuesScaleZoomOut", "Percents - Zoom Out", false);
}

void TForm1::nulMeasureValuesViewsConnect() {
    sgdMeasureValues->setBitmaps(gridBitmaps_.get());
    pmuMeasureValues = pmuEditorMenuCreate(*this, "pmuMeasureValues", "pmuMeasureValuesEditItem",
                                           pmuMeasureValuesEditItem);
    connect(pmuMeasureValuesEditItem, &QAction::triggered, this,
            [this] { pmuMeasureValuesEditItemClick(editors); });
    nulEditorMenuPopupOn(*pmuMeasureValues, *sgdMeasureValues);

    nulEditorGridConnect(*sgdMeasureValues, editors,
                         {.keyDown = sgdMeasureValuesKeyDown,
                          .keyPress = sgdMeasureValuesKeyPress,
                          .mouseDown = sgdMeasureValuesMouseDown,
                          .mouseMove = sgdMeasureValuesMouseMove,
                          .dblClick = sgdMeasureValuesDblClick,
                          .exit = [](EditorState& e) { e.sgdMeasureValuesExit(); },
                          .drawCell = sgdMeasureValuesDrawCell});
    editors.onPanelsChanged = [this] { nulValuesPanelsShow(); };
    nulValuesPanelsShow();
}

void TForm1::nulValuesPanelsShow() {
    // The sign buttons follow the sign shown, which a newly opened model resets.
    (editors.flgMeasureValuesShowNegatives ? tbnMeasureValuesShowNeg : tbnMeasureValuesShowPos)
        ->setChecked(true);
    pclValues->setTabVisible(pclValues->indexOf(tstMeasureValues),
                             editors.flgMeasureValuesPageShown);
    pclValues->setTabVisible(pclValues->indexOf(tstIrregularities),
                             editors.flgIrregularitiesPageShown);
    pclValues->setVisible(editors.flgValuesPanelShown);
    const int buttons = static_cast<int>(tbrMeasureValuesButtons->actions().size());
    nulToolButtonsEnable(*tbrMeasureValuesButtons, 0, buttons,
                         editors.flgMeasureValuesButtonsEnabled);
    cbxMeasureValuesScale->setEnabled(editors.flgMeasureValuesButtonsEnabled);
}

}  // namespace vantorell
