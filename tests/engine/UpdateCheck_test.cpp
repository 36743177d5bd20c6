// The update check without the network: version texts, the offers and their labels, the
// description file and the stored transfer settings.
#include <gtest/gtest.h>

#include "common/Scrambler.h"
#include "engine/tqmh01/UpdateDescription.h"
#include "engine/tqmh01/UpdateOffer.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "engine/tqmh01/VersionTexts.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

TEST(VersionTextsTest, DottedVersionsCompareSegmentBySegmentAsNumbers) {
    struct Case {
        const char* first;
        const char* second;
        int order;
    } cases[] = {
        {"2.0", "2.0", 0},
        {"2.10", "2.9", 1},
        {"2.9", "2.10", -1},
        {"2.1", "2.10", -1},
        {"2.01", "2.1", 0},  // by value
        {"2.007", "2.10", -1},
        {"2.0", "2.0.1", -1},
        {"2.0.1", "2.0", 1},
        {"3", "2.99", 1},
        {"1.100000000000000000000000", "1.99999999999999999999999", 1},  // beyond 64 bits
        {"", "", 0},
        {"", "0", 1},       // an empty segment is no number
        {"2.a", "2.9", 1},  // texts after every number
        {"2.1a", "2.10", 1},
        {"2.b", "2.a", 1},
        {"2.a", "2.B", 1},  // by character code
        {"2.0", "2.0.", -1},
        {"1.\xC3\xA9", "1.z", 1},  // as unsigned bytes
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareVersion(c.first, c.second), c.order) << c.first << " vs " << c.second;
    }
    EXPECT_TRUE(StartsWith("http://h/x", "http://"));
    EXPECT_TRUE(StartsWith("anything", ""));
    EXPECT_FALSE(StartsWith("HTTP://h/x", "http://"));
    EXPECT_FALSE(StartsWith("ftp:", "ftp://"));
}

TEST(VersionTextsTest, VersionsAndBuildsAreNumbersOrZero) {
    EXPECT_EQ(decimalVersion("2.5"), 2.5);
    EXPECT_EQ(decimalVersion(" 2,5 "), 2.5);
    EXPECT_EQ(decimalVersion("+3"), 3.0);
    for (const char* text : {"", "0", "2.0.1", "abc", "inf", "nan", "1e999", "2.5x"}) {
        EXPECT_EQ(decimalVersion(text), 0.0) << text;
    }
    EXPECT_EQ(integerBuild("43"), 43);
    EXPECT_EQ(integerBuild(" -2 "), -2);
    for (const char* text : {"", "4.3", "x", "99999999999999999999"}) {
        EXPECT_EQ(integerBuild(text), 0) << text;
    }
}

TEST(UpdateOfferTest, NewerOrNeverDownloadedComponentsAreOffered) {
    using C = UpdateComponent;
    struct Case {
        C component;
        const char* version;
        const char* build;
        std::optional<std::string> installedVersion;
        std::optional<std::string> installedBuild;
        bool offered;
    } cases[] = {
        {C::Engine, "2.0", "43", std::nullopt, std::nullopt, true},
        {C::Engine, "2.0", "43", "2.0", "43", false},
        {C::Engine, "2.0", "44", "2.0", "43", true},
        {C::Engine, "2.0", "44", "2.00", "43", true},  // the same number
        {C::Engine, "2.0", "50", "2.1", "43", false},
        {C::Engine, "2.1", "1", "2.0", "43", true},
        {C::Engine, "2.0", "43", "2.0", std::nullopt, true},  // no build recorded
        {C::Installer, "1.5", "7", "1.5", "8", false},
        {C::Interface, "2.10", "0", "2.9", std::nullopt, true},
        {C::Interface, "2.9", "0", "2.10", std::nullopt, false},  // never a downgrade
        {C::Interface, "2.9.1", "0", "2.9", std::nullopt, true},
        {C::Interface, "2.9", "0", std::nullopt, std::nullopt, true},
        {C::Generator, "1.2", "0", "1.1", std::nullopt, true},
        {C::Generator, "1.2", "0", "1.2", std::nullopt, false},
        {C::Generator, "0", "0", "1.0", std::nullopt, false},  // a description without it
    };
    for (const Case& c : cases) {
        const ComponentRelease release{c.version, c.build, "http://h/f", "", ""};
        EXPECT_EQ(isOffered(c.component, release, {c.installedVersion, c.installedBuild}),
                  c.offered)
            << componentInfo(c.component).section << " " << c.version << "/" << c.build;
    }
}

TEST(UpdateOfferTest, LabelsCarryTheDescriptionsTexts) {
    const ComponentRelease release{"2.0", "43", "0", "", ""};
    EXPECT_EQ(offerText(UpdateComponent::Engine, release, true),
              "Vantorell Engine version 2.0 build 43 is available for download.");
    EXPECT_EQ(offerText(UpdateComponent::Engine, release, false),
              "Vantorell Engine version 2.0 build 43 or later is already downloaded.");
    EXPECT_EQ(offerText(UpdateComponent::Installer, release, true),
              "Engine Installer version 2.0 build 43 is available for download.");
    EXPECT_EQ(offerText(UpdateComponent::Interface, {"2.%s", "0", "0", "", ""}, false),
              "Vantorell version 2.%s or later is already downloaded.");
    EXPECT_EQ(offerText(UpdateComponent::Generator, release, false),
              "Database Generator version 2.0 is already downloaded.");
}

TEST(UpdateDescriptionTest, EveryKeyIsReadAndAMissingOneReadsAsZero) {
    test::TempFolder folder;
    const std::string file =
        folder.write("update.ini",
                     "[engine]\r\nVersion = 2.1\r\nBuild=44\r\nURL=\"http://h/remove.dat\"\r\n"
                     "Size=4096\r\nsha256=" +
                         std::string(64, 'A') +
                         "\r\n"
                         "[Installer]\r\nVersion=1.5\r\nURL=ftp://h/pub/eistage.exe\r\n"
                         "[Interface]\r\nVersion=2.10.1\r\nBuild=9\r\nURL=http://h/" +
                         std::string(250, 'x') +
                         "\r\n[Generator]\r\nVersion=1.2\r\n[Package]\r\nURL=http://h/full\r\n");
    const UpdateDescription read = readUpdateDescription(file);
    const ComponentRelease& engine = read.release(UpdateComponent::Engine);
    EXPECT_EQ(engine.version, "2.1");
    EXPECT_EQ(engine.build, "44");
    EXPECT_EQ(engine.url, "http://h/remove.dat");
    EXPECT_EQ(engine.size, "4096");
    EXPECT_EQ(engine.sha256, std::string(64, 'A'));
    // Older files give neither.
    EXPECT_EQ(read.release(UpdateComponent::Installer).size, "");
    EXPECT_EQ(read.release(UpdateComponent::Installer).sha256, "");
    EXPECT_EQ(read.release(UpdateComponent::Installer).build, "0");
    EXPECT_EQ(read.release(UpdateComponent::Installer).url, "ftp://h/pub/eistage.exe");
    // Interface and generator have no build; a value beyond 255 characters reads as "0".
    EXPECT_EQ(read.release(UpdateComponent::Interface).build, "0");
    EXPECT_EQ(read.release(UpdateComponent::Interface).url, "0");
    EXPECT_EQ(read.release(UpdateComponent::Generator).url, "0");
    EXPECT_EQ(read.packageUrl, "http://h/full");

    const UpdateDescription none = readUpdateDescription(folder.file("missing.ini"));
    for (const ComponentRelease& release : none.components) {
        EXPECT_EQ(release.version, "0");
        EXPECT_EQ(release.url, "0");
    }
}

class StoredSettingsTest : public ::testing::Test {
protected:
    RegistryKey userKey() {
        auto key = registry.createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
        EXPECT_TRUE(key);
        return *key;
    }

    test::TempFolder folder;
    Registry registry{folder.file("user.hive"), folder.file("machine.hive")};
};

TEST_F(StoredSettingsTest, MissingSettingsTakeTheirDefaults) {
    const TransferSettings expected{"", "80", "", "21", false, "anonymous", kDefaultFtpPassword};
    EXPECT_EQ(readTransferSettings(registry), expected);  // no key at all
    userKey();
    EXPECT_EQ(readTransferSettings(registry), expected);
    EXPECT_EQ(readUpdateMasterUrl(registry), std::nullopt);
}

TEST_F(StoredSettingsTest, StoredSettingsAreReadWithThePasswordDeciphered) {
    RegistryKey key = userKey();
    for (const auto& [name, value] : {std::pair{"Proxy Host", "proxy.lan"},
                                      {"Proxy Port", "3128"},
                                      {"FTP Proxy Host", "fp"},
                                      {"FTP Proxy Port", "2121"},
                                      {"Use Proxy", "2"},
                                      {"FTP User ID", "analyst"}}) {
        ASSERT_TRUE(key.writeString(name, value));
    }
    ASSERT_TRUE(key.writeString("FTP Password", strEncryptBlock("s3cret!", "quillbarrow")));
    ASSERT_TRUE(key.writeString("Update Master URL", "http://127.0.0.1/update.ini"));
    EXPECT_EQ(readTransferSettings(registry),
              (TransferSettings{"proxy.lan", "3128", "fp", "2121", true, "analyst", "s3cret!"}));
    EXPECT_EQ(readUpdateMasterUrl(registry), "http://127.0.0.1/update.ini");

    // What cannot be read takes the default: a password that does not decipher, a flag
    // that is no number, an address too long for its buffer.
    ASSERT_TRUE(key.writeString("FTP Password", "with blank"));
    ASSERT_TRUE(key.writeString("Use Proxy", "yes"));
    ASSERT_TRUE(key.writeString("Update Master URL", "http://h/" + std::string(246, 'x')));
    const TransferSettings read = readTransferSettings(registry);
    EXPECT_EQ(read.ftpPassword, kDefaultFtpPassword);
    EXPECT_FALSE(read.useProxy);
    EXPECT_EQ(readUpdateMasterUrl(registry), std::nullopt);
}

}  // namespace
}  // namespace vantorell::engine
