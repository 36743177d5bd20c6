// The real designer, run from a program folder of its own beside the real engine: its About
// command shows the versions the build gave both programs. A probe loaded into the designer
// runs the command and reports the windows the user then sees.
#include <gtest/gtest.h>

#include "tests/support/BuiltPrograms.h"
#include "tests/support/ProbedRun.h"
#include "tests/support/RealEngine.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

using test::reportHolds;

// Runs the designer in `program` until the probe has reported what the About command shows.
std::string shownByAbout(const TempFolder& program) {
    const std::string designer = test::installBuiltProgram(program.path(), "Vantorell");
    return test::probedRun(designer, {}, program, "mnuHelpAbout");
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
        EXPECT_TRUE(reportHolds(shown, line)) << line << "\n" << shown;
    }
}

TEST(AboutE2eTest, WithoutTheEngineItsBuildIsNoughts) {
    TempFolder program;
    const std::string shown = shownByAbout(program);
    EXPECT_TRUE(reportHolds(shown, "lblAboutPointsEngineBuild: Points Engine Build: 0.0.0.0"))
        << shown;
}

}  // namespace
}  // namespace vantorell
