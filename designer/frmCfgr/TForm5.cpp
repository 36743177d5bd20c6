#include "designer/frmCfgr/TForm5.h"

#include <QAction>
#include <QFormLayout>
#include <QGridLayout>
#include <QHideEvent>
#include <QShowEvent>
#include <QVBoxLayout>

#include "designer/frmMain/EditorState.h"
#include "designer/frmMain/TForm1.h"
#include "designer/views/DialogPlacement.h"
#include "designer/views/LowerCaseTyping.h"
#include "platform/MessageService.h"
#include "platform/NamedObject.h"

namespace vantorell {
namespace {

QLabel* note(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TForm5::TForm5(TForm1& main) : main_(main) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Configuration"));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    sttBackgroundMessage =
        named(new QLabel(QStringLiteral("Sorry, no options can be configured at this time."), this),
              "sttBackgroundMessage");
    sttBackgroundMessage->setAlignment(Qt::AlignCenter);
    layout->addWidget(sttBackgroundMessage);
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    tstFileTransfer = nulFileTransferPageCreate();
    PageControl1->addTab(tstFileTransfer, QStringLiteral("&File Transfer"));
    layout->addWidget(PageControl1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = named(new QPushButton(QStringLiteral("&Ok"), this), "btnOk");
    btnOk->setDefault(true);
    buttons->addWidget(btnOk);
    layout->addLayout(buttons);

    connect(cbxFileTransferProxyUseProxyInfo, &QCheckBox::toggled, this,
            &TForm5::cbxFileTransferProxyUseProxyInfoClick);
    connect(btnOk, &QPushButton::clicked, this, &TForm5::btnOkClick);
    connect(main_.mnuFileConfiguration, &QAction::triggered, this,
            &TForm5::mnuFileConfigurationClick);
    FormCreate();
}

QWidget* TForm5::nulFileTransferPageCreate() {
    auto* page = named(new QWidget, "tstFileTransfer");
    auto* pageLayout = new QVBoxLayout(page);

    grpFileTransferProxy =
        named(new QGroupBox(QStringLiteral("Proxy Servers"), page), "grpFileTransferProxy");
    auto* proxy = new QVBoxLayout(grpFileTransferProxy);
    cbxFileTransferProxyUseProxyInfo =
        named(new QCheckBox(QStringLiteral("Use Proxy information provided below")),
              "cbxFileTransferProxyUseProxyInfo");
    proxy->addWidget(cbxFileTransferProxyUseProxyInfo);
    auto* fields = new QFormLayout;
    edtFileTransferProxyHTTPProxyAddress =
        named(new QLineEdit, "edtFileTransferProxyHTTPProxyAddress");
    edtFileTransferProxyHTTPProxyPort = named(new QLineEdit, "edtFileTransferProxyHTTPProxyPort");
    edtFileTransferProxyFTPProxyAddress =
        named(new QLineEdit, "edtFileTransferProxyFTPProxyAddress");
    edtFileTransferProxyFTPProxyPort = named(new QLineEdit, "edtFileTransferProxyFTPProxyPort");
    fields->addRow(QStringLiteral("HTTP Proxy Address:"), edtFileTransferProxyHTTPProxyAddress);
    fields->addRow(QStringLiteral("HTTP Proxy Port:"), edtFileTransferProxyHTTPProxyPort);
    fields->addRow(QStringLiteral("FTP Proxy Address:"), edtFileTransferProxyFTPProxyAddress);
    fields->addRow(QStringLiteral("FTP Proxy Port:"), edtFileTransferProxyFTPProxyPort);
    proxy->addLayout(fields);
    proxy->addWidget(note("These settings are normally unnecessary and are best avoided.",
                          grpFileTransferProxy));
    for (QLineEdit* edit :
         {edtFileTransferProxyHTTPProxyAddress, edtFileTransferProxyHTTPProxyPort,
          edtFileTransferProxyFTPProxyAddress, edtFileTransferProxyFTPProxyPort}) {
        edit->setEnabled(false);
        lowerCaseTyping(edit);
    }
    pageLayout->addWidget(grpFileTransferProxy);

    grpFileTransferMisc =
        named(new QGroupBox(QStringLiteral("Miscellaneous"), page), "grpFileTransferMisc");
    auto* misc = new QVBoxLayout(grpFileTransferMisc);
    cbxFileTransferMiscUsePassiveTransfer =
        named(new QCheckBox(QStringLiteral("Use Passive transfer mode")),
              "cbxFileTransferMiscUsePassiveTransfer");
    misc->addWidget(cbxFileTransferMiscUsePassiveTransfer);
    misc->addWidget(
        note("If you are using a proxy server or transfers consistently fail this "
             "option should be turned on.  However, when on, this option may have "
             "an negative impact on performance.",
             grpFileTransferMisc));
    pageLayout->addWidget(grpFileTransferMisc);
    return page;
}

void TForm5::FormCreate() {
    cbxFileTransferProxyUseProxyInfoClick();
}

void TForm5::cbxFileTransferProxyUseProxyInfoClick() {
    const bool use = cbxFileTransferProxyUseProxyInfo->isChecked();
    for (QLineEdit* edit :
         {edtFileTransferProxyHTTPProxyAddress, edtFileTransferProxyHTTPProxyPort,
          edtFileTransferProxyFTPProxyAddress, edtFileTransferProxyFTPProxyPort}) {
        edit->setEnabled(use);
    }
}

void TForm5::mnuFileConfigurationClick() {
    nulGridsSaveValues(main_.editors);
    show();
    raise();
    activateWindow();
}

void TForm5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm5::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        FormHide();
    }
}

void TForm5::FormShow() {
    main_.setEnabled(false);
    // The settings serve the server dialogs, so the page goes with Retrieve Cube.
    const bool offered =
        main_.tbnFileReceiveCube->isVisible() || main_.mnuFileReceiveCube->isVisible();
    PageControl1->setTabVisible(PageControl1->indexOf(tstFileTransfer), offered);
    PageControl1->setVisible(offered);
    sttBackgroundMessage->setVisible(!offered);

    const TransferSettingsValues shown = transferSettingsValuesGet(main_);
    cbxFileTransferProxyUseProxyInfo->setChecked(shown.useProxyInfo);
    edtFileTransferProxyHTTPProxyAddress->setText(QString::fromStdString(shown.httpProxyAddress));
    edtFileTransferProxyHTTPProxyPort->setText(QString::fromStdString(shown.httpProxyPort));
    edtFileTransferProxyFTPProxyAddress->setText(QString::fromStdString(shown.ftpProxyAddress));
    edtFileTransferProxyFTPProxyPort->setText(QString::fromStdString(shown.ftpProxyPort));
    cbxFileTransferMiscUsePassiveTransfer->setChecked(shown.usePassiveTransfer);

    centreOnScreen(*this);
}

void TForm5::FormHide() {
    main_.setEnabled(true);
}

TransferSettingsValues TForm5::values() const {
    return {cbxFileTransferProxyUseProxyInfo->isChecked(),
            edtFileTransferProxyHTTPProxyAddress->text().toStdString(),
            edtFileTransferProxyHTTPProxyPort->text().toStdString(),
            edtFileTransferProxyFTPProxyAddress->text().toStdString(),
            edtFileTransferProxyFTPProxyPort->text().toStdString(),
            cbxFileTransferMiscUsePassiveTransfer->isChecked()};
}

void TForm5::btnOkClick() {
    if (const std::optional<std::string> refusal = strTransferSettingsStore(values(), main_)) {
        showMessage(dialogCaption(MessageIcon::Error), *refusal, MessageIcon::Error);
        return;
    }
    accept();
}

}  // namespace vantorell
