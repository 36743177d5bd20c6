// Download Latest Versions against the loopback update site: each checked component goes
// into its staging file in the program folder, and the versions of those that arrived are
// recorded in the local machine's hive.
#include <gtest/gtest.h>

#include "engine/tqmh01/Updater.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/FileSystem.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell::engine {
namespace {

class ComponentDownloadPeer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.start()) << site.failure();
        for (const UpdateComponent component : kUpdateComponents) {
            ComponentRelease& release = description.release(component);
            release.version = "2.5";
            release.build = "44";
            release.url = site.put(std::string("pub/") + componentInfo(component).stagingFile,
                                   test::componentBytes(componentInfo(component).section));
        }
        description.release(UpdateComponent::Interface).version = "2.10.1";
    }

    std::optional<std::string> installed(const char* value) const {
        const auto key = registry.openKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
        return key ? key->readString(value, kRegistryValueBuffer) : std::nullopt;
    }

    void download(DownloadPanelState& panel) {
        test::TestMessages messages;
        messages.expect("Download operations complete.");
        Updater updater(program.path(), registry);
        updater.setDescription(description);
        updater.OnShow = [&](const DownloadPanelState& shown) {
            std::string rows;
            for (const ComponentRow& row : shown.components) {
                rows += row.result.empty() ? "-" : "+";
            }
            showings.push_back(rows);
        };
        updater.DoDownload(panel);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
        EXPECT_EQ(messages.shown()[0].caption, "Information");
        EXPECT_EQ(updater.held(), panel.fields);
    }

    test::MakerSite site;
    test::TempFolder program;
    test::TempFolder user;
    Registry registry{user.file("current-user.hive"), program.file("local-machine.hive")};
    UpdateDescription description;
    std::vector<std::string> showings;
};

TEST_F(ComponentDownloadPeer, OnlyTheCheckedComponentIsFetchedAndRecorded) {
    DownloadPanelState panel;
    panel.downloadEnabled = true;
    panel.row(UpdateComponent::Generator).checked = true;
    download(panel);

    EXPECT_EQ(program.read("sqstage.exe"), test::componentBytes("Generator"));
    EXPECT_EQ(findEntries(program.path() + "*.exe").size(), 1u);
    EXPECT_FALSE(fileExists(program.file("remove.dat")));
    EXPECT_EQ(installed("Generator Version"), "2.5");
    for (const char* value : {"Engine Version", "Engine Build", "Installer Version",
                              "Installer Build", "Interface Version"}) {
        EXPECT_EQ(installed(value), std::nullopt) << value;
    }
    EXPECT_EQ(panel.row(UpdateComponent::Generator).result,
              "Vantorell Database Generator downloaded successfully.");
    EXPECT_EQ(panel.row(UpdateComponent::Engine).result, "");
    EXPECT_FALSE(panel.downloadEnabled);
    EXPECT_EQ(showings, (std::vector<std::string>{"---+"}));
}

TEST_F(ComponentDownloadPeer, AFailedComponentKeepsItsVersionAndTheOthersGoOn) {
    auto key = registry.createKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->writeString("Engine Version", "2.0") &&
                key->writeString("Engine Build", "43"));
    description.release(UpdateComponent::Engine).url = "https://127.0.0.1/remove.dat";
    description.release(UpdateComponent::Installer).url = site.put("short.exe", "Not Found");
    program.write("remove.dat", "the engine downloaded before");
    program.write("eistage.exe", "an installer downloaded before");

    DownloadPanelState panel;
    for (ComponentRow& row : panel.components) {
        row.checked = true;
    }
    panel.fields.proxyPort = "8080";
    panel.fields.ftpUser = "analyst";
    download(panel);

    EXPECT_EQ(panel.row(UpdateComponent::Engine).result, "Problems downloading Vantorell Engine.");
    EXPECT_EQ(panel.row(UpdateComponent::Installer).result,
              "Problems downloading Vantorell Installer.");
    EXPECT_EQ(panel.row(UpdateComponent::Interface).result,
              "Vantorell Interface downloaded successfully.");
    EXPECT_EQ(panel.row(UpdateComponent::Generator).result,
              "Vantorell Database Generator downloaded successfully.");
    EXPECT_EQ(installed("Engine Version"), "2.0");
    EXPECT_EQ(installed("Engine Build"), "43");
    EXPECT_EQ(installed("Installer Version"), std::nullopt);
    EXPECT_EQ(installed("Interface Version"), "2.10.1");
    EXPECT_EQ(installed("Generator Version"), "2.5");
    // The engine's staging file is overwritten only by a download that arrived; the
    // installer's went before its download was tried.
    EXPECT_EQ(program.read("remove.dat"), "the engine downloaded before");
    EXPECT_FALSE(fileExists(program.file("eistage.exe")));
    EXPECT_EQ(program.read("instage.exe"), test::componentBytes("Interface"));
    EXPECT_EQ(showings, (std::vector<std::string>{"+---", "++--", "+++-", "++++"}));
}

}  // namespace
}  // namespace vantorell::engine
