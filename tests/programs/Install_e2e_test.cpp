// The install: "cmake --install" into a prefix of the test's, one whose name holds a blank,
// puts the same program folder together, with a desktop entry and an icon for a desktop's
// menu; the designer installed there runs beside the engine installed with it.
#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <set>

#include "platform/FileSystem.h"
#include "tests/support/ProbedRun.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

namespace fs = std::filesystem;
using test::reportHolds;
using test::TempFolder;

constexpr int kDeadlineMs = 120000;

// Installs the build into `prefix`; the install's output on failure.
std::string install(const std::string& prefix) {
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral(VANTORELL_CMAKE_COMMAND),
              {QStringLiteral("--install"), QStringLiteral(VANTORELL_BINARY_DIR),
               QStringLiteral("--prefix"), QString::fromStdString(prefix)});
    if (!run.waitForStarted(kDeadlineMs) || !run.waitForFinished(kDeadlineMs)) {
        run.kill();
        run.waitForFinished(kDeadlineMs);
        return "the install did not end within the deadline";
    }
    const std::string output = run.readAll().toStdString();
    return run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0 ? std::string() : output;
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(InstallE2eTest, PutsTheProgramFolderTogetherWithADesktopEntry) {
    TempFolder root;
    const std::string prefix = root.path() + "Vantorell Install";
    ASSERT_EQ(install(prefix), "");

    const std::string folder = prefix + "/" + VANTORELL_INSTALL_PROGRAM_DIR + "/";
    for (const char* program : {"Vantorell", "tqmx01", "update"}) {
        const fs::perms perms = fs::status(folder + program).permissions();
        EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none) << program;
    }
    EXPECT_EQ(readWholeFile(folder + "update"), readWholeFile(folder + "tqmx01"));
    EXPECT_EQ(namesIn(folder + "help"), namesIn(test::sourcePath("help")));
    EXPECT_EQ(readWholeFile(folder + "help/index.html"),
              readWholeFile(test::sourcePath("help/index.html")));
    EXPECT_EQ(readWholeFile(folder + "examples/sales.vtm"),
              readWholeFile(test::sourcePath("examples/sales.vtm")));

    // The entry names the installed designer, quoted for the blank in the prefix.
    const std::string icon = prefix + "/share/icons/hicolor/scalable/apps/vantorell.svg";
    EXPECT_TRUE(fileExists(icon));
    const std::string entry = readWholeFile(prefix + "/share/applications/vantorell.desktop");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0U) << entry;
    for (const std::string& line :
         {std::string("Type=Application"), std::string("Name=Vantorell"),
          "Exec=\"" + folder + "Vantorell\" %f", "TryExec=" + folder + "Vantorell", "Icon=" + icon,
          std::string("Terminal=false")}) {
        EXPECT_TRUE(reportHolds(entry, line)) << line << "\n" << entry;
    }

    // The installed designer finds the engine installed beside it.
    TempFolder run;
    const std::string shown = test::probedRun(folder + "Vantorell", {}, run, "mnuHelpAbout");
    EXPECT_TRUE(reportHolds(shown, std::string("lblAboutPointsEngineBuild: Points Engine Build: ") +
                                       VANTORELL_VERSION_TEXT))
        << shown;
}

}  // namespace
}  // namespace vantorell
