// The irregularities editor on screen: its preset buttons and pop-up menu, the family list
// laid over its cells, and the grid's keys, mouse, drawing and exit handed to the editor.
#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "designer/frmMain/EditorGridEvents.h"
#include "designer/frmMain/EditorToolBar.h"
#include "designer/frmMain/IrregularitiesCells.h"
#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/TForm1.h"
#include "designer/frmMain/ToolButtons.h"
#include "designer/views/DimsCatsImages.h"
#include "designer/views/EditorBitmaps.h"
#include "designer/views/GridView.h"
#include "designer/views/OverlayComboBox.h"

namespace vantorell {

void TForm1::nulIrregularitiesToolBarCreate() {
    EditorToolBar tools(*tstIrregularities, "tbrIrregularitiesButtons", editors,
                        *sgdIrregularities);
    tbrIrregularitiesButtons = tools.bar();
    btnIrregularitiesReset = tools.button("btnIrregularitiesReset", "Reset irregularities",
                                          dimsCatsRemoveIcon(), btnIrregularitiesResetClick);
    tbrIrregularitiesButtons->addSeparator();
    btnIrregularitiesPercentNone = tools.button(
        "btnIrregularitiesPercentNone", "Percents - None",
        shapeIcon(QPolygon(QList<QPoint>{{2, 14}, {14, 14}})), btnIrregularitiesPercentNoneClick);
    btnIrregularitiesPercentHalf = tools.button("btnIrregularitiesPercentHalf", "Percents - Half",
                                                shapeIcon(QPolygon(QList<QPoint>{{2, 8}, {14, 8}})),
                                                btnIrregularitiesPercentHalfClick);
    btnIrregularitiesPercentFull = tools.button("btnIrregularitiesPercentFull", "Percents - Full",
                                                shapeIcon(QPolygon(QList<QPoint>{{2, 2}, {14, 2}})),
                                                btnIrregularitiesPercentFullClick);
}

void TForm1::nulIrregularitiesViewsConnect() {
    sgdIrregularities->setBitmaps(gridBitmaps_.get());
    pmuIrregularities = pmuEditorMenuCreate(*this, "pmuIrregularities", "pmuIrregularitiesEditItem",
                                            pmuIrregularitiesEditItem);
    connect(pmuIrregularitiesEditItem, &QAction::triggered, this,
            [this] { pmuIrregularitiesEditItemClick(editors); });
    nulEditorMenuPopupOn(*pmuIrregularities, *sgdIrregularities);
    cbxIrregularitiesFamily =
        new OverlayComboBox(editors.cbxIrregularitiesFamily, tstIrregularities);
    cbxIrregularitiesFamily->setObjectName(QStringLiteral("cbxIrregularitiesFamily"));

    nulEditorGridConnect(*sgdIrregularities, editors,
                         {.keyDown = sgdIrregularitiesKeyDown,
                          .keyPress = sgdIrregularitiesKeyPress,
                          .mouseDown = sgdIrregularitiesMouseDown,
                          .mouseMove = sgdIrregularitiesMouseMove,
                          .exit = [](EditorState& e) { e.sgdIrregularitiesExit(); },
                          .drawCell = sgdIrregularitiesDrawCell});
}

}  // namespace vantorell
