#include "platform/Registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/RegistryHive.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

constexpr const char* kPath = "SOFTWARE\\Orvane Dovozerodi Ltd.\\Vantorell\\All Versions";

unsigned modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

class RegistryTest : public ::testing::Test {
protected:
    TempFolder folder;
    Registry registry{folder.file("user/current-user.hive"), folder.file("local-machine.hive")};
};

TEST_F(RegistryTest, AKeyIsOpenedOnlyOnceEveryKeyOfItsPathExists) {
    EXPECT_FALSE(registry.openKey(RegistryHive::CurrentUser, kPath));
    auto key = registry.createKey(RegistryHive::CurrentUser, kPath);
    ASSERT_TRUE(key);
    EXPECT_FALSE(registry.openKey(RegistryHive::LocalMachine, kPath));  // the other hive
    for (const char* path : {"SOFTWARE", "software\\orvane dovozerodi ltd.",
                             "SOFTWARE\\Orvane Dovozerodi Ltd.\\Vantorell\\ALL VERSIONS"}) {
        EXPECT_TRUE(registry.openKey(RegistryHive::CurrentUser, path)) << path;
    }
    EXPECT_FALSE(registry.openKey(RegistryHive::CurrentUser, "SOFTWARE\\Other"));
    // An empty key name, or one with a control character, names no key.
    for (const char* path : {"", "SOFTWARE\\\\Orvane", "SOFTWARE\\", "SOFTWARE\\a\nb"}) {
        EXPECT_FALSE(registry.openKey(RegistryHive::CurrentUser, path)) << path;
        EXPECT_FALSE(registry.createKey(RegistryHive::CurrentUser, path)) << path;
    }
}

TEST_F(RegistryTest, TextValuesReadBackWithinTheirBuffer) {
    auto key = registry.createKey(RegistryHive::LocalMachine, kPath);
    ASSERT_TRUE(key);
    const std::string odd = "a \"quoted\" \\path\\ with\r\nlines\tand \x01 and \xC3\xA9";
    ASSERT_TRUE(key->writeString("Engine Version", "2.0"));
    ASSERT_TRUE(key->writeString("Odd", odd));
    ASSERT_TRUE(key->writeString("Long", std::string(257, 'x')));
    ASSERT_TRUE(key->writeString("engine version", "2.1"));  // the same value, case aside
    EXPECT_FALSE(key->writeString("Nul", std::string("a\0b", 3)));
    EXPECT_TRUE(key->flush());

    const auto read = registry.openKey(RegistryHive::LocalMachine, kPath);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->readString("ENGINE VERSION", 258), "2.1");
    EXPECT_EQ(read->readString("Odd", 258), odd);
    // A value and its NUL must fit the buffer, as a read into a fixed buffer.
    EXPECT_EQ(read->readString("Long", 258), std::string(257, 'x'));
    EXPECT_EQ(read->readString("Long", 257), std::nullopt);
    EXPECT_EQ(read->readString("Missing", 258), std::nullopt);
    EXPECT_EQ(read->readString("Nul", 258), std::nullopt);
    // A key opened for reading is not written through.
    auto readOnly = *read;
    EXPECT_FALSE(readOnly.writeString("Engine Version", "9"));
    EXPECT_EQ(
        registry.openKey(RegistryHive::LocalMachine, kPath)->readString("Engine Version", 258),
        "2.1");
}

TEST_F(RegistryTest, WritesKeepWhatOthersWroteMeanwhile) {
    auto first = registry.createKey(RegistryHive::LocalMachine, kPath);
    auto second = registry.createKey(RegistryHive::LocalMachine, "SOFTWARE\\Other");
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(first->writeString("A", "1"));
    ASSERT_TRUE(second->writeString("B", "2"));
    ASSERT_TRUE(first->writeString("C", "3"));
    EXPECT_EQ(registry.openKey(RegistryHive::LocalMachine, "SOFTWARE\\Other")->readString("B", 9),
              "2");
    const auto read = registry.openKey(RegistryHive::LocalMachine, kPath);
    EXPECT_EQ(read->readString("A", 9), "1");
    EXPECT_EQ(read->readString("C", 9), "3");
}

TEST_F(RegistryTest, TheUsersHiveIsTheUsersAlone) {
    auto key = registry.createKey(RegistryHive::CurrentUser, kPath);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->writeString("FTP Password", "secret"));
    EXPECT_EQ(modeOf(registry.hiveFile(RegistryHive::CurrentUser)), 0600u);
    EXPECT_EQ(modeOf(folder.file("user")), 0700u);
    ASSERT_TRUE(registry.createKey(RegistryHive::LocalMachine, kPath));
    EXPECT_EQ(modeOf(registry.hiveFile(RegistryHive::LocalMachine)), 0644u);
}

TEST_F(RegistryTest, AHiveThatCannotBeReadIsNeverWrittenOver) {
    const std::string broken = "; Vantorell registry hive\n[SOFTWARE]\nnot a value line\n";
    folder.write("local-machine.hive", broken);
    EXPECT_FALSE(registry.openKey(RegistryHive::LocalMachine, "SOFTWARE"));
    EXPECT_FALSE(registry.createKey(RegistryHive::LocalMachine, kPath));
    EXPECT_EQ(folder.read("local-machine.hive"), broken);

    // A hive that went bad after the key was opened is not written over either.
    auto key = registry.createKey(RegistryHive::CurrentUser, kPath);
    ASSERT_TRUE(key);
    folder.write("user/current-user.hive", broken);
    EXPECT_FALSE(key->writeString("A", "1"));
    EXPECT_EQ(folder.read("user/current-user.hive"), broken);
}

TEST(RegistryHiveTest, TextFormRoundTripsAndRefusesWhatItDoesNotKnow) {
    HiveContent hive;
    hive.create("A\\B").values = {{"x", "1"}, {"name \"q\"", "line\nnext \\ end"}};
    const auto back = parseHiveText(hiveText(hive));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->keys.size(), 2u);  // the key above is a key of its own
    EXPECT_EQ(back->keys[0].path, "A");
    EXPECT_EQ(back->keys[1].values, hive.keys[1].values);

    for (const char* text :
         {"\"x\"=\"1\"\n", "[A]\n\"x\"=\"1\n", "[A]\n\"x\"\"1\"\n", "[A]\n\"x\"=\"\\q\"\n",
          "[A]\n\"x\"=\"\\x4\"\n", "[A\\]\n", "[A]\n\"x\"=\"1\" trailing\n"}) {
        EXPECT_FALSE(parseHiveText(text)) << text;
    }
    EXPECT_TRUE(parseHiveText("\r\n; comment\r\n[A]\r\n\"x\"=\"\\x41\"\r\n"));
}

TEST(RegistryLocationTest, TheUsersHiveLiesInTheConfigurationFolder) {
    TempFolder config;
    {
        test::ScopedEnvironment env({{"XDG_CONFIG_HOME", config.path() + "cfg"}});
        EXPECT_EQ(Registry::forProgramFolder("/opt/v/").hiveFile(RegistryHive::CurrentUser),
                  config.path() + "cfg/Vantorell/current-user.hive");
    }
    test::ScopedEnvironment env({{"XDG_CONFIG_HOME", std::nullopt}, {"HOME", "/home/analyst"}});
    const Registry registry = Registry::forProgramFolder("/opt/v/");
    EXPECT_EQ(registry.hiveFile(RegistryHive::CurrentUser),
              "/home/analyst/.config/Vantorell/current-user.hive");
    EXPECT_EQ(registry.hiveFile(RegistryHive::LocalMachine), "/opt/v/local-machine.hive");
}

}  // namespace
}  // namespace vantorell
