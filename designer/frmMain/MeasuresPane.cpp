// The measures editor on screen: its tool bar and pop-up menu, the lists laid over its list
// cells, and the grid's keys, mouse, drawing and exit handed to the editor.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QStyle>
#include <QToolBar>

#include "designer/frmMain/EditorGridEvents.h"
#include "designer/frmMain/EditorToolBar.h"
#include "designer/frmMain/MeasuresCells.h"
#include "designer/frmMain/MeasuresDrawing.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/TForm1.h"
#include "designer/frmMain/ToolButtons.h"
#include "designer/views/DimsCatsImages.h"
#include "designer/views/EditorBitmaps.h"
#include "designer/views/GridBitmaps.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "designer/views/OverlayComboBox.h"

namespace vantorell {

void TForm1::nulMeasuresToolBarCreate() {
    EditorToolBar tools(*pnlMeasures, "tbrMeasuresButtons", editors, *sgdMeasures,
                        [this] { nulMeasuresSetButtonState(); });
    tbrMeasuresButtons = tools.bar();
    QStyle* style = tbrMeasuresButtons->style();
    tbnMeasureAdd = tools.button("tbnMeasureAdd", "Add item", dimsCatsAddIcon({2, 2}, {2, 9}),
                                 tbnMeasureAddClick);
    tbnMeasureInsert = tools.button("tbnMeasureInsert", "Insert item",
                                    dimsCatsAddIcon({2, 9}, {2, 2}), tbnMeasureInsertClick);
    tbnMeasureRem =
        tools.button("tbnMeasureRem", "Remove item", dimsCatsRemoveIcon(), tbnMeasureRemClick);
    tbrMeasuresButtons->addSeparator();
    tbnMeasureMoveUp = tools.button("tbnMeasureMoveUp", "Move item up",
                                    style->standardIcon(QStyle::SP_ArrowUp), tbnMeasureMoveUpClick);
    tbnMeasureMoveDown =
        tools.button("tbnMeasureMoveDown", "Move item down",
                     style->standardIcon(QStyle::SP_ArrowDown), tbnMeasureMoveDownClick);
    tbrMeasuresButtons->addSeparator()->setVisible(false);
    tbnMeasureSelectAll = tbnToolButtonAdd(*tbrMeasuresButtons, "tbnMeasureSelectAll",
                                           "Select all items", dimsCatsExpandIcon(true));
    tbnMeasureDeselectAll = tbnToolButtonAdd(*tbrMeasuresButtons, "tbnMeasureDeselectAll",
                                             "De-select all items", dimsCatsExpandIcon(false));
    tbnMeasureSelectAll->setVisible(false);
    tbnMeasureDeselectAll->setVisible(false);
}

void TForm1::nulMeasuresViewsConnect() {
    gridBitmaps_ = std::make_unique<GridBitmaps>();
    nulEditorBitmapsAdd(*gridBitmaps_);
    sgdMeasures->setBitmaps(gridBitmaps_.get());

    pmuMeasures =
        pmuEditorMenuCreate(*this, "pmuMeasures", "pmuMeasuresEditItem", pmuMeasuresEditItem);
    connect(pmuMeasuresEditItem, &QAction::triggered, this, &TForm1::pmuMeasuresEditItemClick);
    pmuMeasures->addSeparator();
    pmuPopupEntryAdd(*pmuMeasures, "Add Item", tbnMeasureAdd);
    pmuPopupEntryAdd(*pmuMeasures, "Insert Item", tbnMeasureInsert);
    pmuPopupEntryAdd(*pmuMeasures, "Delete Item", tbnMeasureRem);
    pmuMeasures->addSeparator();
    pmuPopupEntryAdd(*pmuMeasures, "Move Item Up", tbnMeasureMoveUp);
    pmuPopupEntryAdd(*pmuMeasures, "Move Item Down", tbnMeasureMoveDown);
    nulEditorMenuPopupOn(*pmuMeasures, *sgdMeasures);

    // The lists lie beside the grid, over the cell they edit.
    const auto list = [this](ComboBox& combo, const char* name) {
        auto* overlay = new OverlayComboBox(combo, pnlMeasures);
        overlay->setObjectName(QString::fromUtf8(name));
        return overlay;
    };
    cbxMeasuresType = list(editors.cbxMeasuresType, "cbxMeasuresType");
    cbxMeasuresIrregType = list(editors.cbxMeasuresIrregType, "cbxMeasuresIrregType");
    cbxMeasuresSourceMeasure = list(editors.cbxMeasuresSourceMeasure, "cbxMeasuresSourceMeasure");
    cbxMeasuresWeightingDimension =
        list(editors.cbxMeasuresWeightingDimension, "cbxMeasuresWeightingDimension");

    nulEditorGridConnect(*sgdMeasures, editors,
                         {.keyDown = sgdMeasuresKeyDown,
                          .keyPress = sgdMeasuresKeyPress,
                          .mouseDown = sgdMeasuresMouseDown,
                          .mouseMove = sgdMeasuresMouseMove,
                          .exit = sgdMeasuresExit,
                          .drawCell = sgdMeasuresDrawCell});

    // The buttons follow the grid's rows, however they change.
    const GridModel* grid = &sgdMeasures->gridModel();
    nulRowsFollow(*grid, *this, [this] { nulMeasuresSetButtonState(); });
    connect(grid, &QAbstractItemModel::dataChanged, this, &TForm1::nulMeasuresSetButtonState);
    connect(grid, &GridModel::gridReset, this, &TForm1::nulMeasuresSetButtonState);
    nulMeasuresSetButtonState();
}

void TForm1::nulMeasuresSetButtonState() {
    const int buttons = static_cast<int>(tbrMeasuresButtons->actions().size());
    nulToolButtonsEnable(*tbrMeasuresButtons, 2, buttons,
                         vantorell::nulMeasuresSetButtonState(editors.sgdMeasures));
}

void TForm1::pmuMeasuresEditItemClick() {
    vantorell::pmuMeasuresEditItemClick(editors);
    // A list laid over the cell keeps the focus it took.
    if (qobject_cast<QComboBox*>(QApplication::focusWidget()) == nullptr) {
        sgdMeasures->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace vantorell
