#include "designer/frmCvrtM/TForm4.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>
#include <optional>

#include "designer/rtnReaderWriter/CubeExtraction.h"
#include "designer/views/DialogPlacement.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

constexpr const char* kCaption = "Extract Vantorell Model from Cube";

}  // namespace

TForm4::TForm4(QWidget* parent) : ModelessDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QString::fromLatin1(kCaption));
    nulControlsCreate();
}

void TForm4::nulControlsCreate() {
    auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    lblCubeFile = named(new QLabel(QStringLiteral("Input Cube File:"), this), "lblCubeFile");
    edtCubeFile = named(new QLineEdit(this), "edtCubeFile");
    sbnSelectionSaveToDir = named(new QToolButton(this), "sbnSelectionSaveToDir");
    lblModelFile = named(new QLabel(QStringLiteral("Output Model File:"), this), "lblModelFile");
    edtModelFile = named(new QLineEdit(this), "edtModelFile");
    SpeedButton1 = named(new QToolButton(this), "SpeedButton1");
    for (QToolButton* picker : {sbnSelectionSaveToDir, SpeedButton1}) {
        picker->setText(QStringLiteral("..."));
    }
    lblCubeFile->setBuddy(edtCubeFile);
    lblModelFile->setBuddy(edtModelFile);
    lblProgress = named(new QLabel(QStringLiteral("Percent Complete:"), this), "lblProgress");
    pnlProgess = named(new QFrame(this), "pnlProgess");
    pnlProgess->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ggeProgress = named(new QProgressBar(pnlProgess), "ggeProgress");
    ggeProgress->setRange(0, 100);
    ggeProgress->setValue(0);
    auto* gauge = new QHBoxLayout(pnlProgess);
    gauge->setContentsMargins(1, 1, 1, 1);
    gauge->addWidget(ggeProgress);
    Label1 = named(new QLabel(QStringLiteral("DISCLAIMER:"), this), "Label1");
    StaticText1 = named(
        new QLabel(QStringLiteral("This function will extract dimensions, categories, and "
                                  "associated percentage values from a given cube. Although it "
                                  "has been designed to handle most situations, some "),
                   this),
        "StaticText1");
    StaticText2 = named(
        new QLabel(QStringLiteral("cubes may contain unusual or abnormal conditions that prevent "
                                  "them from being properly converted. Refer to the Vantorell "
                                  "User Guide for further information about"),
                   this),
        "StaticText2");
    StaticText3 = named(
        new QLabel(QStringLiteral("how to extract Vantorell models from existing cubes."), this),
        "StaticText3");
    for (QLabel* text : {StaticText1, StaticText2, StaticText3}) {
        text->setWordWrap(true);
    }
    btnOk = named(new QPushButton(QStringLiteral("&Ok"), this), "btnOk");
    btnCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "btnCancel");
    btnOk->setDefault(true);
    btnOk->setEnabled(false);

    auto* files = new QGridLayout;
    files->addWidget(lblCubeFile, 0, 0);
    files->addWidget(edtCubeFile, 0, 1);
    files->addWidget(sbnSelectionSaveToDir, 0, 2);
    files->addWidget(lblModelFile, 1, 0);
    files->addWidget(edtModelFile, 1, 1);
    files->addWidget(SpeedButton1, 1, 2);
    files->addWidget(lblProgress, 2, 0);
    files->addWidget(pnlProgess, 2, 1, 1, 2);
    files->setColumnMinimumWidth(1, 320);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addSpacing(8);
    layout->addWidget(Label1);
    layout->addWidget(StaticText1);
    layout->addWidget(StaticText2);
    layout->addWidget(StaticText3);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // A fixed dialog frame.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(edtCubeFile, &QLineEdit::textChanged, this, [this](const QString& text) {
        fields.edtCubeFile = text.toStdString();
        edtCubeFileChange();
    });
    connect(edtModelFile, &QLineEdit::textChanged, this, [this](const QString& text) {
        fields.edtModelFile = text.toStdString();
        edtCubeFileChange();
    });
    connect(sbnSelectionSaveToDir, &QToolButton::clicked, this,
            &TForm4::sbnSelectionSaveToDirClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm4::SpeedButton1Click);
    connect(btnOk, &QPushButton::clicked, this, &TForm4::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TForm4::btnCancelClick);
}

void TForm4::nulFieldsShow() {
    // Setting a text runs the change handler, which copies it back unchanged.
    const QString cube = QString::fromStdString(fields.edtCubeFile);
    if (edtCubeFile->text() != cube) {
        edtCubeFile->setText(cube);
    }
    const QString model = QString::fromStdString(fields.edtModelFile);
    if (edtModelFile->text() != model) {
        edtModelFile->setText(model);
    }
}

void TForm4::edtCubeFileChange() {
    nulContinueButtonStateSet();
}

void TForm4::nulContinueButtonStateSet() {
    fields.nulContinueButtonStateSet();
    btnOk->setEnabled(fields.btnOkEnabled);
}

void TForm4::sbnSelectionSaveToDirClick() {
    const std::optional<std::string> chosen =
        fileDialogService().openFile(fields.cubePicker(strProgramFolder));
    if (chosen) {
        fields.cubeChosen(*chosen);
        nulFieldsShow();
        nulContinueButtonStateSet();
    }
}

void TForm4::SpeedButton1Click() {
    const std::optional<std::string> chosen =
        fileDialogService().saveFile(fields.modelPicker(strProgramFolder));
    if (chosen) {
        fields.modelChosen(*chosen);
        nulFieldsShow();
        nulContinueButtonStateSet();
    }
}

void TForm4::nulProgressGaugeSet(int percent) {
    ggeProgress->setValue(percent);
}

void TForm4::btnOkClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fields.nulModelFileComplete();
    nulFieldsShow();
    std::string failure;
    try {
        nulConvertCubeToModel(strProgramFolder, fields.edtCubeFile, fields.edtModelFile,
                              intCubeConvertDebugFlags,
                              [this](int percent) { nulProgressGaugeSet(percent); });
    } catch (const std::exception& e) {
        failure = e.what();
    }
    QApplication::restoreOverrideCursor();
    close();
    if (!failure.empty()) {
        showMessage(kCaption, failure, MessageIcon::Error);
    }
}

void TForm4::btnCancelClick() {
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
    close();
}

void TForm4::FormShow() {
    ggeProgress->setValue(0);
    adjustSize();
    centreOnScreen(*this);
}

}  // namespace vantorell
