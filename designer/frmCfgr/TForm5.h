#pragma once
// Configuration dialog: the transfer settings of the server dialogs, kept in the main
// window's fields. Created once at start-up and kept until exit; shown modeless by the main
// window's Configuration command, with the main window disabled until it hides. Closing it
// any other way than Ok discards the edits.

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "designer/frmCfgr/TransferSettingsEdit.h"

namespace vantorell {

class TForm1;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    // Edits the transfer settings of `main` and answers its Configuration command.
    explicit TForm5(TForm1& main);

    QTabWidget* PageControl1;
    QWidget* tstFileTransfer;
    QLabel* sttBackgroundMessage;  // shows when the page control is hidden
    QGroupBox* grpFileTransferProxy;
    QCheckBox* cbxFileTransferProxyUseProxyInfo;
    QLineEdit* edtFileTransferProxyHTTPProxyAddress;
    QLineEdit* edtFileTransferProxyHTTPProxyPort;
    QLineEdit* edtFileTransferProxyFTPProxyAddress;
    QLineEdit* edtFileTransferProxyFTPProxyPort;
    QGroupBox* grpFileTransferMisc;
    QCheckBox* cbxFileTransferMiscUsePassiveTransfer;
    QPushButton* btnOk;

    // The main window's Configuration command (its menu item; the tool button runs the item).
    void mnuFileConfigurationClick();

    void cbxFileTransferProxyUseProxyInfoClick();
    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormHide();
    QWidget* nulFileTransferPageCreate();
    TransferSettingsValues values() const;

    TForm1& main_;
};

}  // namespace vantorell
