// Install Components in the engine's window, and the Save Settings buttons of the download
// panel.
#include <gtest/gtest.h>

#include <QLabel>

#include "engine/tqmh01/TForm1.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell::engine {
namespace {

class InstallPanelWidget : public ::testing::Test {
protected:
    std::unique_ptr<TForm1> started(const std::vector<std::string>& arguments) {
        auto form = std::make_unique<TForm1>(readStartupState(arguments, program.path()));
        form->GetFileName();
        return form;
    }

    test::TempFolder program;
    test::TempFolder config;
    test::ScopedEnvironment env{{{"XDG_CONFIG_HOME", config.path()}}};
};

TEST_F(InstallPanelWidget, StartedByTheDesignerOnlyTheGeneratorCanBeInstalled) {
    for (const bool fromDesigner : {true, false}) {
        const auto form =
            started(fromDesigner ? std::vector<std::string>{"-U"} : std::vector<std::string>{});
        EXPECT_EQ(form->UpdateButton->text(), "Find Updates");
        EXPECT_EQ(form->InstallButton->text(), "Install Components");
        form->InstallButton->click();
        const ComponentInstallPanel& panel = *form->ProgInstPanel;
        EXPECT_EQ(form->windowTitle(), "Vantorell Component Installation");
        EXPECT_EQ(form->size(), QSize(368, 516));
        EXPECT_TRUE(panel.isVisible());
        EXPECT_FALSE(form->WelcomePanel->isVisible());
        EXPECT_FALSE(form->DoUpdatePanel->isVisible());
        EXPECT_EQ(panel.PrevCopyButton->isEnabled(), !fromDesigner);
        EXPECT_TRUE(panel.GenCopyButton->isEnabled());
        EXPECT_FALSE(panel.InstallerCopyButton->isEnabled());
        EXPECT_TRUE(panel.InstallerCopyButton->isVisible());
        EXPECT_FALSE(panel.RunSetupButton->isVisible());
        EXPECT_EQ(panel.RunSetupButton->isEnabled(), !fromDesigner);
        // The updater's program file is called "update" here.
        QStringList texts;
        for (const QLabel* label : panel.findChildren<QLabel*>()) {
            texts << label->text();
        }
        EXPECT_TRUE(texts.contains("Please rename eistage.exe to update in your Vantorell"))
            << texts.join('|').toStdString();
    }
}

TEST_F(InstallPanelWidget, InstallMovesTheDownloadedGeneratorIntoPlace) {
    const auto form = started({"-U"});
    form->InstallButton->click();
    program.write("sqstage.exe", "the new generator");
    test::TestMessages messages;
    messages.expect("Database Generator file created.");
    form->ProgInstPanel->GenCopyButton->click();
    EXPECT_EQ(program.read("tqmx03"), "the new generator");
    EXPECT_TRUE(form->isVisible());
}

TEST_F(InstallPanelWidget, SaveSettingsStoresWhatTheFieldsHold) {
    const auto form = started({"-U"});
    form->UpdateButton->click();
    DownloadPanel& panel = *form->DoUpdatePanel;
    panel.ProxyNameEdit->setText("proxy.lan");
    panel.ProxyCheck->setChecked(true);
    panel.FTPuseridEdit->setText("analyst");
    panel.FTPpasswordEdit->setText("s3cret");
    panel.SaveProxyButton->click();
    panel.IdentitySaveButton->click();

    const Registry registry = Registry::forProgramFolder(program.path());
    TransferSettings expected{"proxy.lan", "80", "", "21", true, "analyst", kDefaultFtpPassword};
    EXPECT_EQ(readTransferSettings(registry), expected);
    panel.PasswordSaveBox->setChecked(true);
    panel.IdentitySaveButton->click();
    expected.ftpPassword = "s3cret";
    EXPECT_EQ(readTransferSettings(registry), expected);
    EXPECT_EQ(panel.updater().held(), expected);
}

}  // namespace
}  // namespace vantorell::engine
