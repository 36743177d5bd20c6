// The irregularities editor on screen: its preset buttons and pop-up menu, the family list
// laid over its cells, and the grid's keys, mouse, drawing and exit handed to the editor.
#include <QAction>
#include <QMenu>
#include <QToolBar>

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
    tbrIrregularitiesButtons = new QToolBar(tstIrregularities);
    tbrIrregularitiesButtons->setObjectName(QStringLiteral("tbrIrregularitiesButtons"));
    tbrIrregularitiesButtons->setIconSize(QSize(kIconSize, kIconSize));
    tbrIrregularitiesButtons->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const auto button = [this](const char* name, const char* hint, const QIcon& icon,
                               void (*command)(EditorState&)) {
        QAction* b = tbnToolButtonAdd(*tbrIrregularitiesButtons, name, hint, icon);
        connect(b, &QAction::triggered, this, [this, command] {
            command(editors);
            sgdIrregularities->viewport()->update();
        });
        return b;
    };
    btnIrregularitiesReset = button("btnIrregularitiesReset", "Reset irregularities",
                                    dimsCatsRemoveIcon(), btnIrregularitiesResetClick);
    tbrIrregularitiesButtons->addSeparator();
    btnIrregularitiesPercentNone =
        button("btnIrregularitiesPercentNone", "Percents - None",
               shapeIcon(QPolygon({{2, 14}, {14, 14}})), btnIrregularitiesPercentNoneClick);
    btnIrregularitiesPercentHalf =
        button("btnIrregularitiesPercentHalf", "Percents - Half",
               shapeIcon(QPolygon({{2, 8}, {14, 8}})), btnIrregularitiesPercentHalfClick);
    btnIrregularitiesPercentFull =
        button("btnIrregularitiesPercentFull", "Percents - Full",
               shapeIcon(QPolygon({{2, 2}, {14, 2}})), btnIrregularitiesPercentFullClick);
}

void TForm1::nulIrregularitiesViewsConnect() {
    sgdIrregularities->setBitmaps(gridBitmaps_.get());
    pmuIrregularities = new QMenu(this);
    pmuIrregularities->setObjectName(QStringLiteral("pmuIrregularities"));
    pmuIrregularitiesEditItem = pmuIrregularities->addAction(QStringLiteral("&Edit Item"));
    pmuIrregularitiesEditItem->setObjectName(QStringLiteral("pmuIrregularitiesEditItem"));
    connect(pmuIrregularitiesEditItem, &QAction::triggered, this,
            [this] { pmuIrregularitiesEditItemClick(editors); });
    sgdIrregularities->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(
        sgdIrregularities, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { pmuIrregularities->popup(sgdIrregularities->mapToGlobal(at)); });
    cbxIrregularitiesFamily =
        new OverlayComboBox(editors.cbxIrregularitiesFamily, tstIrregularities);
    cbxIrregularitiesFamily->setObjectName(QStringLiteral("cbxIrregularitiesFamily"));

    sgdIrregularities->onKeyDown = [this](int& key, ShiftState shift) {
        sgdIrregularitiesKeyDown(editors, key, shift);
    };
    sgdIrregularities->onKeyPress = [this](char32_t& key) {
        sgdIrregularitiesKeyPress(editors, key);
    };
    sgdIrregularities->onMouseDown = [this](const GridMouseEvent& e) {
        sgdIrregularitiesMouseDown(editors, e);
    };
    sgdIrregularities->onMouseMove = [this](const GridMouseEvent& e) {
        sgdIrregularitiesMouseMove(editors, e);
    };
    sgdIrregularities->onExit = [this] { editors.sgdIrregularitiesExit(); };
    sgdIrregularities->onDrawCell = [this](int col, int row, const Rect& rect, GridDrawState state,
                                           GridCanvas& canvas) {
        sgdIrregularitiesDrawCell(editors, col, row, rect, state, canvas);
    };
}

}  // namespace vantorell
