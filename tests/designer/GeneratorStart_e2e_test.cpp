// The point generator and the updater started by the designer's commands: the real engine
// program stands in for both (the updater is the engine installed as "update"). A probe
// loaded into it reports the window it shows and ends it, which ends the designer's wait.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "designer/rtnReaderWriter/EngineCommands.h"
#include "tests/support/RealEngine.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

// Runs the command with the probe in place, giving up on the wait after a deadline.
std::string shownWhileWaiting(const TempFolder& program, const std::function<void()>& command) {
    const test::ScopedEnvironment env(test::windowProbeVariables(program.file("window.txt")));
    QTimer deadline;
    deadline.setSingleShot(true);
    bool late = false;
    QObject::connect(&deadline, &QTimer::timeout, [&late] {
        late = true;
        QCoreApplication::quit();
    });
    deadline.start(60000);
    command();
    EXPECT_FALSE(late) << "the program did not end within the deadline";
    return program.read("window.txt");
}

TEST(GeneratorStartTest, TheGenerationSwitchShowsTheEngineWindowWithoutAPanel) {
    TempFolder program;
    test::installRealEngine(program.path());
    const std::string shown = shownWhileWaiting(
        program, [&] { nulStartEngine(program.path(), true, program.file("sales.vtm")); });
    EXPECT_EQ(shown.rfind("window Form1: ", 0), 0U) << shown;
    for (const char* panel : {"WelcomePanel", "EncryptPanel", "InstallPanel", "EnginePanel"}) {
        EXPECT_EQ(shown.find(panel), std::string::npos) << panel << "\n" << shown;
    }
}

TEST(GeneratorStartTest, TheUpdaterShowsItsWelcomePanelWithCancel) {
    TempFolder program;
    test::installRealEngine(program.path(), "update");
    const std::string shown = shownWhileWaiting(program, [&] { nulCheckUpdates(program.path()); });
    EXPECT_NE(shown.find("\nWelcomePanel: \n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\nWelcomeExitButton: Cancel\n"), std::string::npos) << shown;
}

}  // namespace
}  // namespace vantorell
