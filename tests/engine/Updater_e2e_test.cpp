// The real engine installed as the updater and started as the designer starts it,
// `update -U`, against a loopback update site: a probe loaded into it clicks Find Updates,
// Check Now and Download Latest Versions as a user would and reports what the window then
// shows. The test points the updater at the site the way a user would: through the stored
// address of the update description in the user's hive.
#include <gtest/gtest.h>

#include "common/Scrambler.h"
#include "engine/tqmh01/UpdaterRegistry.h"
#include "platform/FileSystem.h"
#include "tests/servers/FtpServer.h"
#include "tests/servers/MakerSite.h"
#include "tests/support/ProbedRun.h"
#include "tests/support/RealEngine.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

using test::reportHolds;

// Runs the updater installed in `program` as `update -U` while the probe runs `commands`,
// and returns what the probe reported.
std::string runUpdater(const test::TempFolder& program, const std::string& commands) {
    return test::probedRun(program.file("update"), {QStringLiteral("-U")}, program, commands);
}

TEST(UpdaterE2eTest, ChecksAndDownloadsTheNewerComponents) {
    test::MakerSite site;
    ASSERT_TRUE(site.start()) << site.failure();
    test::TempFolder served;
    served.write("pub/instage.exe", test::componentBytes("Interface"));
    std::string failure;
    const auto ftp = test::startFtpServer(failure, served.path());
    ASSERT_TRUE(ftp) << failure;

    test::TempFolder program;
    test::TempFolder config;
    test::installRealEngine(program.path(), "update");
    const test::ScopedEnvironment configuration({{"XDG_CONFIG_HOME", config.path()}});
    const Registry registry = Registry::forProgramFolder(program.path());

    const std::string description =
        "[Engine]\r\nVersion=2.0\r\nBuild=43\r\nURL=" + site.put("remove.dat", "e") +
        "\r\n[Installer]\r\nVersion=2.0\r\nBuild=44\r\nURL=" +
        site.put("pub/eistage.exe", test::componentBytes("Installer")) +
        "\r\n[Interface]\r\nVersion=2.10\r\nURL=ftp://127.0.0.1:" + ftp->portText() +
        "/pub/instage.exe\r\n[Generator]\r\nVersion=1.3\r\nURL=" +
        site.put("pub/sqstage.exe", test::componentBytes("Generator")) +
        "\r\n[Package]\r\nURL=0\r\n";
    {
        auto user = registry.createKey(RegistryHive::CurrentUser, kUpdaterKeyPath);
        auto machine = registry.createKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
        ASSERT_TRUE(user && machine);
        ASSERT_TRUE(user->writeString("Update Master URL", site.describe(description)));
        ASSERT_TRUE(user->writeString("FTP User ID", test::kFtpUser));
        ASSERT_TRUE(
            user->writeString("FTP Password", strEncryptBlock(test::kFtpPassword, kPasswordKey)));
        ASSERT_TRUE(machine->writeString("Engine Version", "2.0") &&
                    machine->writeString("Engine Build", "43") &&
                    machine->writeString("Installer Version", "2.0") &&
                    machine->writeString("Installer Build", "43"));
    }
    // Nothing but the loopback site may be asked.
    ASSERT_EQ(readUpdateMasterUrl(registry), site.url("update.ini"));

    const std::string shown = runUpdater(program, "UpdateButton,UpdateCheckButton,DownloadButton");
    EXPECT_EQ(shown.rfind("message Information: Download operations complete.\n"
                          "window Form1: Vantorell Download\n",
                          0),
              0u)
        << shown;
    for (const char* line :
         {"UpdateResultMessage: Vantorell Engine version 2.0 build 43 or later is already "
          "downloaded.",
          "InstallerResultMessage: Vantorell Installer downloaded successfully.",
          "InterfaceResultMessage: Vantorell Interface downloaded successfully.",
          "SQLResultMessage: Vantorell Database Generator downloaded successfully.",
          "MasterResultMessage: ", "UpdateCheckButton: Check Now",
          "DownloadButton: Download Latest Versions"}) {
        EXPECT_TRUE(reportHolds(shown, line)) << line << "\n" << shown;
    }
    EXPECT_EQ(shown.find("WelcomePanel"), std::string::npos) << shown;

    EXPECT_EQ(program.read("update.ini"), description);
    EXPECT_EQ(program.read("eistage.exe"), test::componentBytes("Installer"));
    EXPECT_EQ(program.read("instage.exe"), test::componentBytes("Interface"));
    EXPECT_EQ(program.read("sqstage.exe"), test::componentBytes("Generator"));
    EXPECT_FALSE(fileExists(program.file("remove.dat")));
    const auto recorded = registry.openKey(RegistryHive::LocalMachine, kUpdaterKeyPath);
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->readString("Engine Build", kRegistryValueBuffer), "43");
    EXPECT_EQ(recorded->readString("Installer Build", kRegistryValueBuffer), "44");
    EXPECT_EQ(recorded->readString("Interface Version", kRegistryValueBuffer), "2.10");
    EXPECT_EQ(recorded->readString("Generator Version", kRegistryValueBuffer), "1.3");
}

TEST(UpdaterE2eTest, InstallsTheDownloadedGeneratorButNotTheRunningDesigner) {
    test::TempFolder program;
    test::TempFolder config;
    test::installRealEngine(program.path(), "update");
    const test::ScopedEnvironment configuration({{"XDG_CONFIG_HOME", config.path()}});
    program.write("sqstage.exe", test::componentBytes("Generator"));
    program.write("instage.exe", test::componentBytes("Interface"));

    const std::string shown = runUpdater(program, "InstallButton,GenCopyButton,PrevCopyButton");
    EXPECT_EQ(shown.rfind("message Information: Database Generator file created.\n"
                          "window Form1: Vantorell Component Installation\n",
                          0),
              0u)
        << shown;
    EXPECT_TRUE(reportHolds(shown, "GenCopyButton: Install")) << shown;
    EXPECT_EQ(program.read("tqmx03"), test::componentBytes("Generator"));
    EXPECT_FALSE(fileExists(program.file("sqstage.exe")));
    // The designer that started the updater waits for it: its row is disabled.
    EXPECT_FALSE(fileExists(program.file("Vantorell")));
    EXPECT_TRUE(fileExists(program.file("instage.exe")));
}

}  // namespace
}  // namespace vantorell::engine
