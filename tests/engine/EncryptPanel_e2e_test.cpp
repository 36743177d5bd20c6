// The real engine program started by a user in file-cipher mode, on the offscreen platform:
// a probe loaded into it reports the window the user sees.
#include <gtest/gtest.h>

#include "tests/support/ProbedRun.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

// Runs the engine with `switches` until the probe has written its report, and returns it.
std::string visibleWindow(const QStringList& switches, const test::TempFolder& folder) {
    return test::probedRun(VANTORELL_ENGINE_EXE, switches, folder);
}

TEST(EncryptPanelE2eTest, TheCipherSwitchAloneShowsTheFileEncryptionPanel) {
    test::TempFolder folder;
    const std::string shown = visibleWindow({QStringLiteral("-BK7#LmmP")}, folder);

    EXPECT_EQ(shown.rfind("window Form1: File Encryption\n", 0), 0U) << shown;
    for (const char* line :
         {"EncryptPanel: ", "Label6: Source file name:", "UpperEdit: ", "UpperBrowse: Browse",
          "Label7: Target file name:", "LowerEdit: ", "LowerBrowse: Browse",
          "Label8: Key 1:", "FirstKey: ", "Label9: Key 2:", "SecondKey: ", "DecReqBox: Decrypt",
          "Button3: OK", "Button4: Cancel"}) {
        EXPECT_NE(shown.find(std::string("\n") + line + "\n"), std::string::npos) << line << "\n"
                                                                                  << shown;
    }
    for (const char* hidden : {"WelcomePanel", "InstallPanel", "EnginePanel"}) {
        EXPECT_EQ(shown.find(hidden), std::string::npos) << hidden;
    }
}

}  // namespace
}  // namespace vantorell::engine
