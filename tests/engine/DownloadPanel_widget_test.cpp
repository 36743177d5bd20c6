// The download panel in the engine's window: Find Updates opens it with the stored
// settings, and its buttons and boxes reach the updater.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "common/Scrambler.h"
#include "engine/tqmh01/TForm1.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

class DownloadPanelWidget : public ::testing::Test {
protected:
    Registry registry() const { return Registry::forProgramFolder(program.path()); }

    // The window as `update -U` shows it, with the download panel opened.
    std::unique_ptr<TForm1> openPanel() {
        auto form = std::make_unique<TForm1>(readStartupState({"-U"}, program.path()));
        form->GetFileName();
        form->UpdateButton->click();
        return form;
    }

    test::TempFolder program;
    test::TempFolder config;
    test::ScopedEnvironment env{{{"XDG_CONFIG_HOME", config.path()}}};
};

TEST_F(DownloadPanelWidget, FindUpdatesShowsThePanelWithTheStoredSettings) {
    auto key = registry().createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->writeString("Proxy Host", "proxy.lan") &&
                key->writeString("FTP Proxy Port", "2121") && key->writeString("Use Proxy", "1") &&
                key->writeString("FTP User ID", "analyst") &&
                key->writeString("FTP Password", strEncryptBlock("s3cret", kPasswordKey)));
    const auto form = openPanel();
    const DownloadPanel& panel = *form->DoUpdatePanel;

    EXPECT_EQ(form->windowTitle(), "Vantorell Download");
    EXPECT_EQ(form->size(), QSize(368, 516));
    EXPECT_FALSE(form->WelcomePanel->isVisible());
    EXPECT_TRUE(form->InstallPanel->isVisible());
    EXPECT_TRUE(panel.isVisible());
    EXPECT_FALSE(form->ProgInstPanel->isVisible());
    EXPECT_EQ(panel.PageControl1->tabText(0), "Downloading");
    EXPECT_EQ(panel.PageControl1->tabText(1), "Firewalls");
    EXPECT_EQ(panel.PageControl1->tabText(2), "Identity");

    EXPECT_EQ(panel.URLedit->text().toStdString(), kBuiltInUpdateAddress);
    EXPECT_EQ(panel.ProxyNameEdit->text(), "proxy.lan");
    EXPECT_EQ(panel.ProxyPortEdit->text(), "80");
    EXPECT_EQ(panel.FTPProxyNameEdit->text(), "");
    EXPECT_EQ(panel.FTPProxyPortEdit->text(), "2121");
    EXPECT_TRUE(panel.ProxyCheck->isChecked());
    EXPECT_EQ(panel.FTPuseridEdit->text(), "analyst");
    EXPECT_EQ(panel.FTPpasswordEdit->text(), "s3cret");
    EXPECT_EQ(panel.FTPpasswordEdit->echoMode(), QLineEdit::Password);

    EXPECT_TRUE(panel.UpdateCheckButton->isEnabled());
    EXPECT_FALSE(panel.DownloadButton->isEnabled());
    for (const QCheckBox* box :
         {panel.EngineBox, panel.InstallerBox, panel.InterfaceBox, panel.SQLBox}) {
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(panel.FullBox->isHidden());
    EXPECT_EQ(panel.MasterResultMessage->text(), "");
}

TEST_F(DownloadPanelWidget, AFailedCheckSaysSoAndLetsTheUserTryAgain) {
    const auto form = openPanel();
    DownloadPanel& panel = *form->DoUpdatePanel;
    // Refused before anything goes to the network.
    panel.URLedit->setText("https://127.0.0.1/update.ini");
    panel.UpdateCheckButton->click();
    EXPECT_EQ(panel.MasterResultMessage->text(),
              "Update process failure. Please contact Orvane Dovozerodi.");
    EXPECT_TRUE(panel.UpdateCheckButton->isEnabled());
    EXPECT_FALSE(panel.EngineBox->isEnabled());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(panel.busy());
}

TEST_F(DownloadPanelWidget, WhileACheckWaitsTheWindowTakesNoInputAndStaysOpen) {
    const auto form = openPanel();
    DownloadPanel& panel = *form->DoUpdatePanel;
    test::LoopbackPeer server;
    panel.URLedit->setText(
        QString::fromStdString("http://127.0.0.1:" + server.portText() + "/update.ini"));
    bool looked = false;
    QTimer::singleShot(0, form.get(), [&] {
        looked = true;
        EXPECT_TRUE(panel.busy());
        EXPECT_FALSE(form->isEnabled());
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(form->close());
        // The server drops the connection: the check ends.
        EXPECT_TRUE(server.accept(std::chrono::seconds(10)));
        server.closeConnection(true);
    });
    panel.UpdateCheckButton->click();
    EXPECT_TRUE(looked);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(panel.busy());
    EXPECT_EQ(panel.MasterResultMessage->text(),
              "Update process failure. Please contact Orvane Dovozerodi.");
    EXPECT_TRUE(form->close());
}

TEST_F(DownloadPanelWidget, DownloadIsOfferedWhileABoxIsChecked) {
    const auto form = openPanel();
    DownloadPanel& panel = *form->DoUpdatePanel;
    for (QCheckBox* box : {panel.EngineBox, panel.SQLBox}) {
        box->setEnabled(true);
    }
    panel.EngineBox->click();
    EXPECT_TRUE(panel.DownloadButton->isEnabled());
    panel.SQLBox->click();
    panel.EngineBox->click();
    EXPECT_TRUE(panel.DownloadButton->isEnabled());
    panel.SQLBox->click();
    EXPECT_FALSE(panel.DownloadButton->isEnabled());
}

TEST_F(DownloadPanelWidget, RestoreDefaultsEmptiesTheProxiesAndStoresNothing) {
    const auto form = openPanel();
    DownloadPanel& panel = *form->DoUpdatePanel;
    panel.ProxyNameEdit->setText("proxy.lan");
    panel.ProxyPortEdit->setText("3128");
    panel.FTPProxyNameEdit->setText("ftp.lan");
    panel.FTPProxyPortEdit->setText("2121");
    panel.ProxyCheck->setChecked(true);
    panel.FTPuseridEdit->setText("analyst");
    panel.ProxyClearButton->click();
    EXPECT_EQ(panel.ProxyNameEdit->text(), "");
    EXPECT_EQ(panel.ProxyPortEdit->text(), "80");
    EXPECT_EQ(panel.FTPProxyNameEdit->text(), "");
    EXPECT_EQ(panel.FTPProxyPortEdit->text(), "21");
    EXPECT_FALSE(panel.ProxyCheck->isChecked());
    EXPECT_EQ(panel.FTPuseridEdit->text(), "analyst");
    EXPECT_FALSE(registry().openKey(RegistryHive::CurrentUser, kUpdaterKeyPath));
}

TEST_F(DownloadPanelWidget, AfterRestoreDefaultsTheCheckGoesWithoutTheOldProxy) {
    test::MakerSite site;
    ASSERT_TRUE(site.start()) << site.failure();
    const std::string description = "[Generator]\r\nVersion=1.3\r\nURL=" + site.url("sqstage.exe") +
                                    "\r\n" + std::string(130, ';') + "\r\n";
    {
        // A proxy stored once, that is not there any more.
        auto key = registry().createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
        ASSERT_TRUE(key && key->writeString("Proxy Host", "127.0.0.1") &&
                    key->writeString("Proxy Port", "1") && key->writeString("Use Proxy", "1") &&
                    key->writeString("Update Master URL", site.describe(description)));
    }
    const auto form = openPanel();
    DownloadPanel& panel = *form->DoUpdatePanel;
    ASSERT_EQ(panel.ProxyNameEdit->text(), "127.0.0.1");
    QTabBar* tabs = panel.PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_TRUE(panel.FirewallSheet->isVisible());
    QTest::mouseClick(panel.ProxyClearButton, Qt::LeftButton);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QTest::mouseClick(panel.UpdateCheckButton, Qt::LeftButton);

    EXPECT_EQ(panel.MasterResultMessage->text(), "");
    EXPECT_EQ(panel.SQLResultMessage->text(),
              "Database Generator version 1.3 is available for download.");
    EXPECT_TRUE(panel.SQLBox->isChecked());
    EXPECT_TRUE(panel.DownloadButton->isEnabled());
    // Nothing was stored: the proxy is still the saved one for the next start.
    EXPECT_EQ(readTransferSettings(registry()).proxyHost, "127.0.0.1");
}

}  // namespace
}  // namespace vantorell::engine
