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
    tbrMeasureValuesButtons = new QToolBar(tstMeasureValues);
    tbrMeasureValuesButtons->setObjectName(QStringLiteral("tbrMeasureValuesButtons"));
    tbrMeasureValuesButtons->setIconSize(QSize(kIconSize, kIconSize));
    tbrMeasureValuesButtons->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const auto button = [this](const char* name, const char* hint, const QIcon& icon,
                               void (*command)(EditorState&)) {
        QAction* b = tbnToolButtonAdd(*tbrMeasureValuesButtons, name, hint, icon);
        connect(b, &QAction::triggered, this, [this, command] {
            command(editors);
            sgdMeasureValues->viewport()->update();
        });
        return b;
    };
    tbnMeasureValuesLockAll = button("tbnMeasureValuesLockAll", "Lock all items", lockIcon(true),
                                     tbnMeasureValuesLockAllClick);
    tbnMeasureValuesUnlockAll = button("tbnMeasureValuesUnlockAll", "Unlock all items",
                                       lockIcon(false), tbnMeasureValuesUnlockAllClick);
    tbrMeasureValuesButtons->addSeparator();
    // A grouped pair of check buttons; the pending edits are stored with the sign shown
    // before the other sign is loaded.
    auto* signs = new QActionGroup(tbrMeasureValuesButtons);
    const auto sign = [this, signs](const char* name, const char* hint, bool negative) {
        QAction* b = tbnToolButtonAdd(*tbrMeasureValuesButtons, name, hint, signIcon(negative));
        b->setCheckable(true);
        signs->addAction(b);
        connect(b, &QAction::triggered, this, [this, negative] {
            tbnMeasureValuesShowClick(editors, negative);
            sgdMeasureValues->viewport()->update();
        });
        return b;
    };
    tbnMeasureValuesShowPos = sign("tbnMeasureValuesShowPos", "Percent - Show Positives", false);
    tbnMeasureValuesShowNeg = sign("tbnMeasureValuesShowNeg", "Percents - Show Negatives", true);
    tbnMeasureValuesShowPos->setChecked(true);
    tbrMeasureValuesButtons->addSeparator();
    const auto shape = [](std::initializer_list<QPoint> points) {
        return shapeIcon(QPolygon(points));
    };
    tbnMeasureValuesLevel = button("tbnMeasureValuesLevel", "Percents - Level",
                                   shape({{2, 8}, {14, 8}}), tbnMeasureValuesLevelClick);
    tbnMeasureValuesRising = button("tbnMeasureValuesRising", "Percents - Rising",
                                    shape({{2, 14}, {14, 2}}), tbnMeasureValuesRisingClick);
    tbnMeasureValuesFalling = button("tbnMeasureValuesFalling", "Percents - Falling",
                                     shape({{2, 2}, {14, 14}}), tbnMeasureValuesFallingClick);
    tbnMeasureValuesCurvingUp =
        button("tbnMeasureValuesCurvingUp", "Percents - Curving Up",
               shape({{2, 14}, {8, 12}, {12, 8}, {14, 2}}), tbnMeasureValuesCurvingUpClick);
    tbnMeasureValuesCurvingDown =
        button("tbnMeasureValuesCurvingDown", "Percents - Curving Down",
               shape({{2, 2}, {4, 8}, {8, 12}, {14, 14}}), tbnMeasureValuesCurvingDownClick);
    tbnMeasureValuesPeak = button("tbnMeasureValuesPeak", "Percents - Peak",
                                  shape({{2, 14}, {8, 2}, {14, 14}}), tbnMeasureValuesPeakClick);
    tbnMeasureValuesValley = button("tbnMeasureValuesValley", "Percents - Valley",
                                    shape({{2, 2}, {8, 14}, {14, 2}}), tbnMeasureValuesValleyClick);
    tbnMeasureValuesRandom =
        button("tbnMeasureValuesRandom", "Percents - Random",
               shape({{2, 9}, {5, 3}, {8, 12}, {11, 5}, {14, 10}}), tbnMeasureValuesRandomClick);
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
    const auto zoom = [this](const char* name, const char* hint, bool in) {
        QAction* b = tbnToolButtonAdd(*tbrMeasureValuesButtons, name, hint, dimsCatsExpandIcon(in));
        connect(b, &QAction::triggered, this, [this, in] {
            (in ? tbnMeasureValuesScaleZoomInClick : tbnMeasureValuesScaleZoomOutClick)(editors);
            cbxMeasureValuesScale->setCurrentIndex(editors.intMeasureValuesScaleIndex);
        });
        return b;
    };
    tbnMeasureValuesScaleZoomIn = zoom("tbnMeasureValuesScaleZoomIn", "Percents - Zoom In", true);
    tbnMeasureValuesScaleZoomOut =
        zoom("tbnMeasureValuesScaleZoomOut", "Percents - Zoom Out", false);
}

void TForm1::nulMeasureValuesViewsConnect() {
    sgdMeasureValues->setBitmaps(gridBitmaps_.get());
    pmuMeasureValues = new QMenu(this);
    pmuMeasureValues->setObjectName(QStringLiteral("pmuMeasureValues"));
    pmuMeasureValuesEditItem = pmuMeasureValues->addAction(QStringLiteral("&Edit Item"));
    pmuMeasureValuesEditItem->setObjectName(QStringLiteral("pmuMeasureValuesEditItem"));
    connect(pmuMeasureValuesEditItem, &QAction::triggered, this,
            [this] { pmuMeasureValuesEditItemClick(editors); });
    sgdMeasureValues->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sgdMeasureValues, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        pmuMeasureValues->popup(sgdMeasureValues->mapToGlobal(at));
    });

    sgdMeasureValues->onKeyDown = [this](int& key, ShiftState shift) {
        sgdMeasureValuesKeyDown(editors, key, shift);
    };
    sgdMeasureValues->onKeyPress = [this](char32_t& key) {
        sgdMeasureValuesKeyPress(editors, key);
    };
    sgdMeasureValues->onMouseDown = [this](const GridMouseEvent& e) {
        sgdMeasureValuesMouseDown(editors, e);
    };
    sgdMeasureValues->onMouseMove = [this](const GridMouseEvent& e) {
        sgdMeasureValuesMouseMove(editors, e);
    };
    sgdMeasureValues->onDblClick = [this] { sgdMeasureValuesDblClick(editors); };
    sgdMeasureValues->onExit = [this] { editors.sgdMeasureValuesExit(); };
    sgdMeasureValues->onDrawCell = [this](int col, int row, const Rect& rect, GridDrawState state,
                                          GridCanvas& canvas) {
        sgdMeasureValuesDrawCell(editors, col, row, rect, state, canvas);
    };
    editors.onPanelsChanged = [this] { nulValuesPanelsShow(); };
    nulValuesPanelsShow();
}

void TForm1::nulValuesPanelsShow() {
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
