// The Save Settings buttons: what the fields hold becomes the held settings and is stored
// in the user's hive, where the next opening of the panel finds it.
#include <gtest/gtest.h>

#include "common/Scrambler.h"
#include "engine/tqmh01/Updater.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell::engine {
namespace {

class StoredSettings : public ::testing::Test {
protected:
    std::optional<std::string> stored(const char* value) const {
        const auto key = registry.openKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
        return key ? key->readString(value, kRegistryValueBuffer) : std::nullopt;
    }

    test::TempFolder folder;
    Registry registry{folder.file("user.hive"), folder.file("machine.hive")};
    Updater updater{folder.path(), registry};
    DownloadPanelState panel;
};

TEST_F(StoredSettings, SaveProxySettingsStoresTheProxyFields) {
    updater.RetrieveUpdate(panel);
    panel.fields = {"proxy.lan", "3128", "ftp.lan", "2121", true, "analyst", "s3cret"};
    updater.SaveProxySettings(panel);
    EXPECT_EQ(stored("Proxy Host"), "proxy.lan");
    EXPECT_EQ(stored("Proxy Port"), "3128");
    EXPECT_EQ(stored("FTP Proxy Host"), "ftp.lan");
    EXPECT_EQ(stored("FTP Proxy Port"), "2121");
    EXPECT_EQ(stored("Use Proxy"), "1");
    EXPECT_EQ(stored("FTP User ID"), std::nullopt);  // the identity has its own button
    EXPECT_EQ(updater.held().proxyHost, "proxy.lan");
    EXPECT_EQ(updater.held().ftpUser, kDefaultFtpUser);

    panel.fields.useProxy = false;
    updater.SaveProxySettings(panel);
    EXPECT_EQ(stored("Use Proxy"), "0");
}

TEST_F(StoredSettings, TheIdentityKeepsAStoredPasswordUnlessItIsToBeSaved) {
    updater.RetrieveUpdate(panel);
    panel.fields.ftpUser = "analyst";
    panel.fields.ftpPassword = "s3cret!";
    panel.savePassword = true;
    updater.SaveIdentity(panel);
    EXPECT_EQ(stored("FTP Password"), strEncryptBlock("s3cret!", kPasswordKey));
    EXPECT_NE(stored("FTP Password"), "s3cret!");

    panel.fields.ftpUser = "other";
    panel.fields.ftpPassword = "changed";
    panel.savePassword = false;
    updater.SaveIdentity(panel);
    EXPECT_EQ(stored("FTP User ID"), "other");
    EXPECT_EQ(updater.held().ftpPassword, "changed");
    const TransferSettings read = readTransferSettings(registry);
    EXPECT_EQ(read.ftpUser, "other");
    EXPECT_EQ(read.ftpPassword, "s3cret!");
    EXPECT_EQ(read.proxyPort, "80");
}

TEST_F(StoredSettings, APasswordTheScramblerCannotCarryIsNotStored) {
    updater.RetrieveUpdate(panel);
    panel.fields.ftpUser = "analyst";
    panel.fields.ftpPassword = "two words";
    panel.savePassword = true;
    test::TestMessages messages;
    messages.expectContaining("Sorry, the password cannot be saved");
    updater.SaveIdentity(panel);
    EXPECT_EQ(stored("FTP User ID"), "analyst");
    EXPECT_EQ(stored("FTP Password"), std::nullopt);
    EXPECT_EQ(messages.shown().at(0).text.find("two words"), std::string::npos);
}

TEST(StoredSettingsFailure, SettingsThatCannotBeStoredAreSaidToBeSo) {
    test::TempFolder folder;
    // The hive's folder cannot be made: a file stands where it would go.
    folder.write("blocked", "");
    const Registry registry{folder.file("blocked/user.hive"), folder.file("machine.hive")};
    Updater updater{folder.path(), registry};
    DownloadPanelState panel;
    updater.RetrieveUpdate(panel);
    panel.fields.proxyHost = "proxy.lan";
    panel.fields.ftpUser = "analyst";
    test::TestMessages messages;
    messages.expect("Sorry, the settings could not be saved.");
    updater.SaveProxySettings(panel);
    messages.expect("Sorry, the settings could not be saved.");
    updater.SaveIdentity(panel);
    EXPECT_EQ(messages.pending(), 0u);
    EXPECT_EQ(updater.held().proxyHost, "proxy.lan") << "held for this session all the same";
}

}  // namespace
}  // namespace vantorell::engine
