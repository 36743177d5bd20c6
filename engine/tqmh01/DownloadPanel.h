#pragma once
// The updater's download panel: the Downloading sheet with the address of the update
// description, Check Now, the components' results and boxes and Download Latest Versions;
// the Firewalls sheet with the proxies; the Identity sheet with the FTP user and password.
// The panel only shows what the updater logic decides.

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "engine/tqmh01/Updater.h"

namespace vantorell::engine {

class DownloadPanel : public QFrame {
    Q_OBJECT

public:
    DownloadPanel(const std::string& programFolder, const Registry& registry, QWidget* parent);

    // True while a check or a download runs; the window then stays open.
    bool busy() const { return busy_; }

    Updater& updater() { return updater_; }

    QTabWidget* PageControl1;
    QWidget* DownloadSheet;
    QLineEdit* URLedit;
    QPushButton* UpdateCheckButton;
    QLabel* UpdateResultMessage;
    QLabel* InstallerResultMessage;
    QLabel* InterfaceResultMessage;
    QLabel* SQLResultMessage;
    QLabel* MasterResultMessage;
    QLabel* PackageResultMessage;
    QCheckBox* InterfaceBox;
    QCheckBox* EngineBox;
    QCheckBox* InstallerBox;
    QCheckBox* SQLBox;
    QCheckBox* FullBox;  // a complete distribution is not offered: never shown
    QPushButton* DownloadButton;

    QWidget* FirewallSheet;
    QLineEdit* ProxyNameEdit;
    QLineEdit* ProxyPortEdit;
    QLineEdit* FTPProxyNameEdit;
    QLineEdit* FTPProxyPortEdit;
    QCheckBox* ProxyCheck;
    QPushButton* ProxyClearButton;
    QPushButton* SaveProxyButton;

    QWidget* FTPSheet;
    QLineEdit* FTPuseridEdit;
    QLineEdit* FTPpasswordEdit;
    QCheckBox* PasswordSaveBox;
    QPushButton* IdentitySaveButton;

public slots:
    void RetrieveUpdate();
    void UpdateDoClick();
    void DoDownload();
    void AnyChecked();
    void DoProxyClear();
    void SaveProxySettings();
    void SaveIdentity();

private:
    void buildDownloadSheet();
    void buildFirewallSheet();
    void buildIdentitySheet();
    DownloadPanelState state() const;
    void showState(const DownloadPanelState& state);
    // Runs a check or a download with the wait cursor and the window disabled.
    void runBusy(void (Updater::*operation)(DownloadPanelState&));

    std::array<QCheckBox*, 4> boxes() const;  // in UpdateComponent order
    std::array<QLabel*, 4> results() const;

    Updater updater_;
    bool busy_ = false;
};

}  // namespace vantorell::engine
