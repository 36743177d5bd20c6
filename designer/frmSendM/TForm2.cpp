#include "designer/frmSendM/TForm2.h"

#include <QHBoxLayout>
#include <QStyle>

#include "designer/frmMain/TForm1.h"
#include "designer/rtnGrids/GridDrawing.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "platform/FileSystem.h"
#include "platform/NamedObject.h"

namespace vantorell {
namespace {

constexpr Color kRefusedRowColor = Color::rgb(192, 0, 0);

constexpr const char* kIntro =
    "This dialog will step you through the process of sending a model to the Cube Server for "
    "processing.  PLEASE MAKE SURE you are connected to the internet before continuing.";

}  // namespace

TForm2::TForm2(TForm1& main)
    : CubeServerDialog(main, "Form2", kSendModelCaption), session(sessionContext(main)) {
    session.fneCurrentModel = [&main] {
        const bool titled =
            extractFileName(main.strCurrentFile) != extractFileName(main.fneGetUntitledFileName());
        return titled ? main.strCurrentFile : std::string();
    };
    nulStagesCreate(session, kIntro,
                    {"STEP 3: ACCEPTANCE", "imgAcceptance", "lblAcceptanceProgress"},
                    main.mnuFileSendModel);
    lblAcceptanceProgress = stages->lblProgress[kStageAcceptance];

    QVBoxLayout* acceptance = stages->stageBody(kStageAcceptance);
    btnAcceptanceYes = named(new QPushButton(QStringLiteral("&Yes"), stages), "btnAcceptanceYes");
    btnAcceptanceNo = named(new QPushButton(QStringLiteral("&No"), stages), "btnAcceptanceNo");
    auto* question = new QHBoxLayout;
    question->addWidget(new QLabel(QStringLiteral("Do you want to continue?"), stages));
    question->addStretch(1);
    question->addWidget(btnAcceptanceYes);
    question->addWidget(btnAcceptanceNo);
    acceptance->addLayout(question);

    QVBoxLayout* selection = stages->stageBody(kStageSelection);
    selection->addWidget(
        new QLabel(QStringLiteral("The following file(s) will be sent to the server: "), stages));
    sgdSelectionFiles = named(new GridView(session.sgdSelectionFiles, stages), "sgdSelectionFiles");
    sgdSelectionFiles->setMinimumSize(420, 110);
    bbnSelectionFileAdd = named(new QPushButton(stages), "bbnSelectionFileAdd");
    bbnSelectionFileAdd->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    bbnSelectionFileAdd->setToolTip(QStringLiteral("Add"));
    bbnSelectionFileDel = named(new QPushButton(stages), "bbnSelectionFileDel");
    bbnSelectionFileDel->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    bbnSelectionFileDel->setToolTip(QStringLiteral("Remove"));
    btnSelection = named(new QPushButton(QStringLiteral("Co&ntinue"), stages), "btnSelection");
    auto* grid = new QHBoxLayout;
    grid->addWidget(sgdSelectionFiles, 1);
    auto* gridButtons = new QVBoxLayout;
    gridButtons->addWidget(bbnSelectionFileAdd);
    gridButtons->addWidget(bbnSelectionFileDel);
    gridButtons->addStretch(1);
    gridButtons->addWidget(btnSelection);
    grid->addLayout(gridButtons);
    selection->addLayout(grid);
    for (QPushButton* button : {btnAcceptanceYes, btnAcceptanceNo, bbnSelectionFileAdd,
                                bbnSelectionFileDel, btnSelection}) {
        button->setAutoDefault(false);
    }

    const auto click = [this](QPushButton* button, void (SendModelSession::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { stages->guarded([this, handler] { (session.*handler)(); }); });
    };
    click(btnAcceptanceYes, &SendModelSession::btnAcceptanceYesClick);
    click(btnAcceptanceNo, &SendModelSession::btnAcceptanceNoClick);
    click(bbnSelectionFileAdd, &SendModelSession::bbnSelectionFileAddClick);
    click(bbnSelectionFileDel, &SendModelSession::bbnSelectionFileDelClick);
    click(btnSelection, &SendModelSession::btnSelectionClick);
    sgdSelectionFiles->onKeyPress = [this](char32_t& key) {
        session.sgdSelectionFilesKeyPress(key);
    };
    // A model that cannot be sent shows so on its row, with the reason as the row's tip.
    sgdSelectionFiles->gridModel().cellHint = [this](int /*col*/, int row) {
        return session.strRowRefusal(row);
    };
    sgdSelectionFiles->onDrawCell = [this](int col, int row, const Rect& rect, GridDrawState state,
                                           GridCanvas& canvas) {
        const StringGrid& grid = session.sgdSelectionFiles;
        nulGridCellBackgroundPaint(grid, canvas, rect, state);
        if (!state.fixed && !state.selected && !session.strRowRefusal(row).empty()) {
            canvas.setFontColor(kRefusedRowColor);
        }
        nulGridCellTextDraw(canvas, rect, 0, 0, 0, 0, 2, 2, 0, 0, 0, 0, 0, grid.cell(col, row));
    };
    nulControlsShow();
}

TForm2::~TForm2() {
    nulStagesDelete();
}

void TForm2::nulControlsShow() {
    if (stages == nullptr || btnSelection == nullptr) {
        return;
    }
    stages->nulControlsShow();
    btnAcceptanceYes->setEnabled(session.btnAcceptanceYes.enabled);
    btnAcceptanceNo->setEnabled(session.btnAcceptanceNo.enabled);
    sgdSelectionFiles->setEnabled(session.sgdSelectionFilesEnabled);
    bbnSelectionFileAdd->setEnabled(session.bbnSelectionFileAdd.enabled);
    bbnSelectionFileDel->setEnabled(session.bbnSelectionFileDel.enabled);
    btnSelection->setEnabled(session.btnSelection.enabled);
    stages->ggeTransferProgress->setValue(session.ggeTransferProgress);
}

}  // namespace vantorell
