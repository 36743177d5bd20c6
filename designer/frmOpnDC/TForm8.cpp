#include "designer/frmOpnDC/TForm8.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "designer/views/DialogPlacement.h"

namespace vantorell {

TForm8::TForm8(QWidget* parent)
    : ModelessDialog(parent), steps_(state, [this] { nulShowAndWait(); }) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Open Dimension/Category List (Continued)"));
    nulControlsCreate();
    nulControlsShow();
}

void TForm8::nulControlsCreate() {
    auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    Label1 =
        named(new QLabel(QStringLiteral("Dimension(s) will be created using:"), this), "Label1");
    rbnUseSpecifiedDimension =
        named(new QRadioButton(
                  QStringLiteral("Specified name, to create a single parent dimension:"), this),
              "rbnUseSpecifiedDimension");
    lblDimensionName =
        named(new QLabel(QStringLiteral("Dimension Name:"), this), "lblDimensionName");
    edtDimensionName = named(new QLineEdit(this), "edtDimensionName");
    lblDimensionName->setBuddy(edtDimensionName);
    rbnUseDimensionsFromFile =
        named(new QRadioButton(QStringLiteral("Top level record(s) from the file, to create one "
                                              "or more parent dimensions"),
                               this),
              "rbnUseDimensionsFromFile");
    btnOk = named(new QPushButton(QStringLiteral("&Ok"), this), "btnOk");
    btnCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "btnCancel");
    btnOk->setDefault(true);

    auto* name = new QHBoxLayout;
    name->addSpacing(24);
    name->addWidget(lblDimensionName);
    name->addWidget(edtDimensionName, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(rbnUseSpecifiedDimension);
    layout->addLayout(name);
    layout->addWidget(rbnUseDimensionsFromFile);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // A fixed dialog frame.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(rbnUseSpecifiedDimension, &QRadioButton::clicked, this,
            &TForm8::rbnUseSpecifiedDimensionClick);
    connect(rbnUseDimensionsFromFile, &QRadioButton::clicked, this,
            &TForm8::rbnUseDimensionsFromFileClick);
    connect(edtDimensionName, &QLineEdit::textChanged, this,
            [this](const QString& text) { state.edtDimensionName = text.toStdString(); });
    connect(edtDimensionName, &QLineEdit::editingFinished, this, &TForm8::edtDimensionNameExit);
    connect(btnOk, &QPushButton::clicked, this, &TForm8::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TForm8::btnCancelClick);
}

void TForm8::nulControlsShow() {
    rbnUseSpecifiedDimension->setChecked(state.rbnUseSpecifiedDimension);
    rbnUseDimensionsFromFile->setChecked(!state.rbnUseSpecifiedDimension);
    lblDimensionName->setEnabled(state.flgDimensionNameEnabled());
    edtDimensionName->setEnabled(state.flgDimensionNameEnabled());
    const QString name = QString::fromStdString(state.edtDimensionName);
    if (edtDimensionName->text() != name) {
        edtDimensionName->setText(name);
    }
}

void TForm8::FormShow() {
    state.FormShow();
    nulControlsShow();
    adjustSize();
    centreOnScreen(*this);
}

void TForm8::btnOkClick() {
    const bool accepted = state.btnOkClick();
    nulControlsShow();
    if (!accepted) {
        edtDimensionName->setFocus();
        edtDimensionName->selectAll();
        return;
    }
    close();
}

void TForm8::btnCancelClick() {
    close();
}

void TForm8::rbnUseSpecifiedDimensionClick() {
    state.rbnUseSpecifiedDimensionClick();
    nulControlsShow();
}

void TForm8::rbnUseDimensionsFromFileClick() {
    state.rbnUseDimensionsFromFileClick();
    nulControlsShow();
}

void TForm8::edtDimensionNameExit() {
    state.edtDimensionNameExit();
    nulControlsShow();
}

}  // namespace vantorell
