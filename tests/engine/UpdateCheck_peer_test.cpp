// Check Now against the loopback update site: the description is fetched into the program
// folder, the components newer than the recorded ones are offered, and the address of a
// check that succeeded is stored.
#include <gtest/gtest.h>

#include "engine/tqmh01/Updater.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/FileSystem.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

constexpr const char* kDescription =
    "[Engine]\nVersion=2.0\nBuild=44\nURL=http://127.0.0.1/remove.dat\n"
    "[Installer]\nVersion=2.0\nBuild=43\nURL=http://127.0.0.1/eistage.exe\n"
    "[Interface]\nVersion=2.10\nURL=http://127.0.0.1/instage.exe\n"
    "[Generator]\nVersion=1.3\nURL=http://127.0.0.1/sqstage.exe\n"
    "; padding, so that the description is no error message\n"
    ";;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;\n";

class UpdateCheckPeer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.start()) << site.failure(); }

    void record(const std::vector<std::pair<const char*, const char*>>& values) {
        auto key = registry.createKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
        ASSERT_TRUE(key);
        for (const auto& [name, value] : values) {
            ASSERT_TRUE(key->writeString(name, value));
        }
    }

    test::MakerSite site;
    test::TempFolder program;
    test::TempFolder user;
    Registry registry{user.file("current-user.hive"), program.file("local-machine.hive")};
    Updater updater{program.path(), registry};
    DownloadPanelState panel;
};

TEST_F(UpdateCheckPeer, NewerComponentsAreOfferedAndTheAddressIsStored) {
    record({{"Engine Version", "2.0"},
            {"Engine Build", "43"},
            {"Installer Version", "2.0"},
            {"Installer Build", "43"},
            {"Interface Version", "2.9"}});
    updater.RetrieveUpdate(panel);
    EXPECT_EQ(panel.url, kBuiltInUpdateAddress);
    panel.url = site.describe(kDescription);
    program.write("update.ini", "[Engine]\nVersion=9\n");  // from an earlier check
    updater.UpdateDoClick(panel);

    EXPECT_EQ(program.read("update.ini"), kDescription);
    const std::pair<bool, const char*> expected[] = {
        {true, "Vantorell Engine version 2.0 build 44 is available for download."},
        {false, "Engine Installer version 2.0 build 43 or later is already downloaded."},
        {true, "Vantorell version 2.10 is available for download."},  // after 2.9
        {true, "Database Generator version 1.3 is available for download."},
    };
    for (const UpdateComponent component : kUpdateComponents) {
        const auto& [checked, text] = expected[componentIndex(component)];
        EXPECT_EQ(panel.row(component).checked, checked) << text;
        EXPECT_EQ(panel.row(component).result, text);
    }
    EXPECT_TRUE(panel.boxesEnabled);
    EXPECT_TRUE(panel.downloadEnabled);
    EXPECT_FALSE(panel.checkEnabled);
    EXPECT_EQ(panel.masterResult, "");
    EXPECT_EQ(updater.description().release(UpdateComponent::Generator).url,
              "http://127.0.0.1/sqstage.exe");
    EXPECT_EQ(readUpdateMasterUrl(registry), panel.url);

    // The next time the panel opens, it checks at the stored address.
    DownloadPanelState reopened;
    Updater next(program.path(), registry);
    next.RetrieveUpdate(reopened);
    EXPECT_EQ(reopened.url, panel.url);
}

TEST_F(UpdateCheckPeer, AnOlderVersionIsNeverOffered) {
    record({{"Engine Version", "2.1"},
            {"Engine Build", "1"},
            {"Installer Version", "2.0"},
            {"Installer Build", "50"},
            {"Interface Version", "2.10"},
            {"Generator Version", "1.4"}});
    updater.RetrieveUpdate(panel);
    panel.url = site.describe(
        "[Engine]\nVersion=2.0\nBuild=44\nURL=http://127.0.0.1/remove.dat\n"
        "[Installer]\nVersion=2.0\nBuild=43\nURL=http://127.0.0.1/eistage.exe\n"
        "[Interface]\nVersion=2.9\nURL=http://127.0.0.1/instage.exe\n"
        "[Generator]\nVersion=1.3\nURL=http://127.0.0.1/sqstage.exe\n" +
        std::string(100, ';') + "\n");
    updater.UpdateDoClick(panel);
    EXPECT_EQ(panel.row(UpdateComponent::Interface).result,
              "Vantorell version 2.9 or later is already downloaded.");
    for (const ComponentRow& row : panel.components) {
        EXPECT_FALSE(row.checked) << row.result;
    }
    EXPECT_TRUE(panel.boxesEnabled);
    EXPECT_FALSE(panel.downloadEnabled);
}

TEST_F(UpdateCheckPeer, NothingRecordedOffersEverything) {
    updater.RetrieveUpdate(panel);
    panel.url = site.describe(kDescription);
    updater.UpdateDoClick(panel);
    for (const ComponentRow& row : panel.components) {
        EXPECT_TRUE(row.checked) << row.result;
    }
}

TEST_F(UpdateCheckPeer, AFailedCheckOffersNothingAndCanBeRepeated) {
    updater.RetrieveUpdate(panel);
    program.write("update.ini", std::string(200, 'o'));
    for (const std::string& address :
         {site.url("missing.ini"), site.put("short.ini", "[Engine]\nVersion=3\n"),
          std::string("https://127.0.0.1/update.ini")}) {
        panel.url = address;
        updater.UpdateDoClick(panel);
        EXPECT_EQ(panel.masterResult, "Update process failure. Please contact Orvane Dovozerodi.")
            << address;
        EXPECT_TRUE(panel.checkEnabled);
        EXPECT_FALSE(panel.boxesEnabled);
        EXPECT_FALSE(panel.downloadEnabled);
        EXPECT_FALSE(fileExists(program.file("update.ini")));
    }
    EXPECT_EQ(readUpdateMasterUrl(registry), std::nullopt);

    panel.url = site.describe(kDescription);
    updater.UpdateDoClick(panel);
    EXPECT_EQ(panel.masterResult, "");
    EXPECT_TRUE(panel.boxesEnabled);
}

TEST_F(UpdateCheckPeer, TheCheckUsesTheHeldSettingsNotTheFields) {
    updater.RetrieveUpdate(panel);
    panel.fields.proxyHost = "127.0.0.1";
    panel.fields.proxyPort = "1";  // a proxy that is not there
    panel.url = site.describe(kDescription);
    updater.UpdateDoClick(panel);
    EXPECT_EQ(panel.masterResult, "");
    EXPECT_TRUE(panel.boxesEnabled);
}

}  // namespace
}  // namespace vantorell::engine
