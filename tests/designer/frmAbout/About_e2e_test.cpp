// The real designer, run from a program folder of its own beside the real engine: its About
// command shows the versions the build gave both programs. A probe loaded into the designer
// runs the command and reports the windows the user then sees.
#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>

#include "tests/support/RealEngine.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

constexpr int kDeadlineMs = 60000;

// Runs the designer in `program` until the probe has reported what the About command shows.
std::string shownByAbout(const TempFolder& program) {
    const std::string designer = program.file("Vantorell");
    std::filesystem::copy_file(VANTORELL_DESIGNER_EXE, designer);
    const test::ScopedEnvironment env(
        test::windowProbeVariables(program.file("window.txt"), "mnuHelpAbout"));
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(QString::fromStdString(designer), {});
    EXPECT_TRUE(run.waitForStarted(kDeadlineMs));
    if (!run.waitForFinished(kDeadlineMs)) {
        run.kill();
        run.waitForFinished(kDeadlineMs);
        ADD_FAILURE() << "the designer did not end within the deadline";
    }
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
    return program.read("window.txt");
}

bool holdsLine(const std::string& report, const std::string& line) {
    return report.find("\n" + line + "\n") != std::string::npos;
}

TEST(AboutE2eTest, ShowsTheBuildsOfTheDesignerAndTheEngineBesideIt) {
    TempFolder program;
    test::installRealEngine(program.path());
    const std::string shown = shownByAbout(program);

    const std::string version = VANTORELL_VERSION_TEXT;
    EXPECT_NE(shown.find("window Form6: About\n"), std::string::npos) << shown;
    const std::string lines[] = {
        "sttProductName: Vantorell", "lblAboutCompany: by Orvane Dovozerodi Ltd.",
        "lblAboutVersion: Version 2", "lblAboutGUIBuild: GUI Build: " + version,
        "lblAboutPointsEngineBuild: Points Engine Build: " + version,
        // No database generator is installed.
        "lblAboutSQLInterfaceBuild: SQL Interface Build: 0.0.0.0", "btnOk: &Ok"};
    for (const std::string& line : lines) {
        EXPECT_TRUE(holdsLine(shown, line)) << line << "\n" << shown;
    }
}

TEST(AboutE2eTest, WithoutTheEngineItsBuildIsNoughts) {
    TempFolder program;
    const std::string shown = shownByAbout(program);
    EXPECT_TRUE(holdsLine(shown, "lblAboutPointsEngineBuild: Points Engine Build: 0.0.0.0"))
        << shown;
}

}  // namespace
}  // namespace vantorell
