// Download Latest Versions against the loopback update site: each checked component goes
// into its staging file in the program folder, and the versions of those that arrived are
// recorded in the local machine's hive.
#include <gtest/gtest.h>

#include <QCryptographicHash>

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
    // A staging file is replaced only by a download that arrived.
    EXPECT_EQ(program.read("remove.dat"), "the engine downloaded before");
    EXPECT_EQ(program.read("eistage.exe"), "an installer downloaded before");
    EXPECT_EQ(program.read("instage.exe"), test::componentBytes("Interface"));
    EXPECT_EQ(showings, (std::vector<std::string>{"+---", "++--", "+++-", "++++"}));
}

// Check Now against a description, then Download Latest Versions of the components in
// `ticked` only, as a user who looked at the offers would.
class UpdateRoundPeer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.start()) << site.failure(); }

    DownloadPanelState check(const std::string& description) {
        DownloadPanelState panel;
        updater.RetrieveUpdate(panel);
        // Padded, so that the description is no error message.
        panel.url = site.describe(description + std::string(130, ';') + "\n");
        updater.UpdateDoClick(panel);
        EXPECT_EQ(panel.masterResult, "");
        return panel;
    }

    void download(DownloadPanelState& panel, UpdateComponent ticked) {
        for (const UpdateComponent component : kUpdateComponents) {
            panel.row(component).checked = component == ticked;
        }
        test::TestMessages messages;
        messages.expect("Download operations complete.");
        updater.DoDownload(panel);
    }

    std::optional<std::string> installed(const char* value) const {
        const auto key = registry.openKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
        return key ? key->readString(value, kRegistryValueBuffer) : std::nullopt;
    }

    test::MakerSite site;
    test::TempFolder program;
    test::TempFolder hives;
    Registry registry{hives.file("current-user.hive"), hives.file("local-machine.hive")};
    Updater updater{program.path(), registry};
};

TEST_F(UpdateRoundPeer, AFailedDownloadKeepsTheStagingFileOfTheRecordedVersion) {
    const auto installer = [](const std::string& version, const std::string& url) {
        return "[Installer]\nVersion=" + version + "\nBuild=1\nURL=" + url + "\n";
    };
    const std::string downloaded = test::componentBytes("Installer 2.2");
    DownloadPanelState panel = check(installer("2.2", site.put("pub/eistage.exe", downloaded)));
    ASSERT_TRUE(panel.row(UpdateComponent::Installer).checked);
    download(panel, UpdateComponent::Installer);
    ASSERT_EQ(panel.row(UpdateComponent::Installer).result,
              "Vantorell Installer downloaded successfully.");

    // The same version again, from an address that answers 404, ticked by hand; then a
    // newer one from there, twice.
    const std::pair<const char*, const char*> rounds[] = {
        {"2.2", "Engine Installer version 2.2 build 1 or later is already downloaded."},
        {"2.3", "Engine Installer version 2.3 build 1 is available for download."},
        {"2.3", "Engine Installer version 2.3 build 1 is available for download."},
    };
    for (const auto& [version, offer] : rounds) {
        panel = check(installer(version, site.url("pub/gone.exe")));
        EXPECT_EQ(panel.row(UpdateComponent::Installer).result, offer);
        download(panel, UpdateComponent::Installer);
        EXPECT_EQ(panel.row(UpdateComponent::Installer).result,
                  "Problems downloading Vantorell Installer.")
            << version;
    }
    // What is recorded is what lies there.
    EXPECT_TRUE(program.read("eistage.exe") == downloaded);
    EXPECT_EQ(installed("Installer Version"), "2.2");
    EXPECT_EQ(installed("Installer Build"), "1");
}

TEST_F(UpdateRoundPeer, ADownloadThatIsNotWhatTheDescriptionPromisesIsRefused) {
    const std::string whole = test::componentBytes("Interface 2.10", 100000);
    const std::string half = whole.substr(0, 50000);
    const std::string hash =
        QCryptographicHash::hash(QByteArray::fromStdString(whole), QCryptographicHash::Sha256)
            .toHex()
            .toStdString();
    const std::string size = std::to_string(whole.size());
    struct Case {
        const char* what;
        std::string url;
        std::string promises;  // lines of the Interface section
        std::string staged;    // what the staging file then holds; empty: refused
    } cases[] = {
        {"cut short without a length, its size given",
         site.putAnswer("cut.exe", half, std::nullopt), "Size=" + size, ""},
        {"cut short without a length, its hash given",
         site.putAnswer("cut.exe", half, std::nullopt), "SHA256=" + hash, ""},
        {"cut short of its length, nothing given", site.putAnswer("short.exe", half, whole.size()),
         "", ""},
        {"beyond its size, its length announced", site.put("long.exe", whole), "Size=50000", ""},
        {"beyond its size, unannounced", site.putAnswer("long-open.exe", whole, std::nullopt),
         "Size=50000", ""},
        {"another file than its hash", site.put("other.exe", whole + "x"), "SHA256=" + hash, ""},
        {"a size that is no number", site.put("whole.exe", whole), "Size=100 kB", ""},
        {"whole, as promised", site.putAnswer("open.exe", whole, std::nullopt),
         "Size=" + size + "\nSHA256=" + hash, whole},
        // Where nothing tells how long it is, what arrives is taken.
        {"unannounced, nothing given", site.putAnswer("half.exe", half, std::nullopt), "", half},
    };
    for (const Case& c : cases) {
        program.write("instage.exe", "the designer downloaded before");
        {
            auto key = registry.createKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
            ASSERT_TRUE(key && key->writeString("Interface Version", "2.9"));
        }
        DownloadPanelState panel =
            check("[Interface]\nVersion=2.10\nURL=" + c.url + "\n" + c.promises + "\n");
        ASSERT_TRUE(panel.row(UpdateComponent::Interface).checked) << c.what;
        download(panel, UpdateComponent::Interface);
        const bool downloaded = !c.staged.empty();
        EXPECT_EQ(panel.row(UpdateComponent::Interface).result,
                  downloaded ? "Vantorell Interface downloaded successfully."
                             : "Problems downloading Vantorell Interface.")
            << c.what;
        EXPECT_EQ(installed("Interface Version"), downloaded ? "2.10" : "2.9") << c.what;
        EXPECT_TRUE(program.read("instage.exe") ==
                    (downloaded ? c.staged : std::string("the designer downloaded before")))
            << c.what;
        // No partial file is left beside it.
        EXPECT_EQ(findEntries(program.path() + "*").size(), 2u) << c.what;
    }
}

}  // namespace
}  // namespace vantorell::engine
