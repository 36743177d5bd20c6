#include "designer/frmImpMeas/TForm7.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "designer/frmImpMeas/ImportDimsCatsCells.h"
#include "designer/frmImpMeas/ImportDrawing.h"
#include "designer/views/DialogPlacement.h"
#include "designer/views/EditorBitmaps.h"
#include "designer/views/GridBitmaps.h"
#include "designer/views/GridView.h"
#include "designer/views/OverlayComboBox.h"

namespace vantorell {
namespace {

constexpr int kDesignedWidth = 640;
constexpr int kDesignedHeight = 560;

}  // namespace

TForm7::TForm7(EditorState& editors, QWidget* parent)
    : ModelessDialog(parent), state(editors), steps_(state, [this] { nulShowAndWait(); }) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Import"));
    nulControlsCreate();
    nulGridsConnect();
}

TForm7::~TForm7() {
    // The views go before the state they show, which is a member.
    delete cbxImportMeasures;
    delete sgdDimsCatsImport;
    delete sgdMeasuresImport;
}

void TForm7::nulControlsCreate() {
    auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    auto text = [this, &named](const char* caption, const char* name) {
        QLabel* label = named(new QLabel(QString::fromUtf8(caption), this), name);
        label->setWordWrap(true);
        return label;
    };
    Label1 = text(
        "Import Dimensions (and their Categories) that are \"included\", will be added "
        "to the list of Dimensions in the existing model. If a \"Category Limit\" is "
        "specified, only the specified number of lowest level Categories in the Import "
        "Dimension will be imported.",
        "Label1");
    Label2 = text(
        "Imported Measures may be assigned to one or more of the Measures in the "
        "existing model.  When assigned, the imported Measure's information (including "
        "Measure Values and Irregularities) will be copied to the Target Measure.",
        "Label2");
    Label3 = text(
        "The Target Measure's Name, Code, Source Measure and Weighting Dimension will "
        "not be altered by the imported Measure.  If a Target Measure isn't assigned "
        "to an Import Measure, default values will be used for the Measure Values and "
        "Irregularities.",
        "Label3");
    sgdDimsCatsImport = named(new GridView(state.sgdDimsCatsImport, this), "sgdDimsCatsImport");
    sgdMeasuresImport = named(new GridView(state.sgdMeasuresImport, this), "sgdMeasuresImport");
    // The list lies beside the grids, over the cell it edits.
    cbxImportMeasures =
        named(new OverlayComboBox(state.cbxImportMeasures, this), "cbxImportMeasures");
    btnOk = named(new QPushButton(QStringLiteral("&Ok"), this), "btnOk");
    btnCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "btnCancel");
    // Enter belongs to the grids: it toggles, checks and opens cells, never the dialog.
    for (QPushButton* b : {btnOk, btnCancel}) {
        b->setAutoDefault(false);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(sgdDimsCatsImport, 1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(sgdMeasuresImport, 1);
    layout->addLayout(buttons);
    resize(kDesignedWidth, kDesignedHeight);

    connect(btnOk, &QPushButton::clicked, this, &TForm7::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TForm7::btnCancelClick);
}

void TForm7::nulGridsConnect() {
    bitmaps_ = std::make_unique<GridBitmaps>();
    nulEditorBitmapsAdd(*bitmaps_);
    sgdDimsCatsImport->setBitmaps(bitmaps_.get());
    sgdMeasuresImport->setBitmaps(bitmaps_.get());
    sgdDimsCatsImport->onKeyPress = [this](char32_t& key) {
        sgdDimsCatsImportKeyPress(state, key);
    };
    sgdDimsCatsImport->onDblClick = [this] { sgdDimsCatsImportDblClick(state); };
    sgdDimsCatsImport->onExit = [this] { sgdDimsCatsImportExit(state); };
    sgdDimsCatsImport->onDrawCell = [this](int col, int row, const Rect& rect, GridDrawState s,
                                           GridCanvas& canvas) {
        sgdDimsCatsImportDrawCell(state, col, row, rect, s, canvas);
    };
    sgdMeasuresImport->onDrawCell = [this](int col, int row, const Rect& rect, GridDrawState s,
                                           GridCanvas& canvas) {
        sgdMeasuresImportDrawCell(state, col, row, rect, s, canvas);
    };
}

void TForm7::nulWidthFitGrids() {
    // Every column in view, "Category Limit" included, without scrolling sideways.
    const QMargins margins = layout()->contentsMargins();
    int wanted = kDesignedWidth;
    for (const GridView* grid : {sgdDimsCatsImport, sgdMeasuresImport}) {
        wanted = std::max(wanted, grid->horizontalHeader()->length() + 2 * grid->frameWidth() +
                                      grid->verticalScrollBar()->sizeHint().width() +
                                      margins.left() + margins.right());
    }
    if (const QScreen* shown = screen()) {
        const int frame = frameGeometry().width() - width();
        wanted = std::min(wanted, shown->availableGeometry().width() - frame);
    }
    resize(wanted, height());
}

void TForm7::FormShow() {
    centreOnScreen(*this);
    // Reading lets events run; no choice can be made before the grids hold the model.
    setEnabled(false);
    const bool read = state.FormShow();
    setEnabled(true);
    if (!read) {
        // The file could not be read; the dialog goes once its showing is over.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    nulWidthFitGrids();
    centreOnScreen(*this);
    sgdDimsCatsImport->setFocus(Qt::OtherFocusReason);
    emit formShown();
}

void TForm7::btnOkClick() {
    if (state.btnOkClick()) {
        close();
    }
}

void TForm7::btnCancelClick() {
    close();
}

}  // namespace vantorell
