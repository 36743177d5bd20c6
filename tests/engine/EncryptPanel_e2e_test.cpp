// The real engine program started by a user in file-cipher mode, on the offscreen platform:
// a probe loaded into it reports the window the user sees.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

constexpr int kDeadlineMs = 60000;

// Runs the engine with `switches` until the probe has written its report, and returns it.
std::string visibleWindow(const QStringList& switches, const test::TempFolder& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LD_PRELOAD", VANTORELL_WINDOW_PROBE_LIB);
    env.insert("VANTORELL_WINDOW_PROBE", QString::fromStdString(folder.file("window.txt")));
    // The probe is loaded ahead of the sanitizer runtime in sanitized builds.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(QString::fromStdString(folder.path()));
    run.start(QStringLiteral(VANTORELL_ENGINE_EXE), switches);
    EXPECT_TRUE(run.waitForStarted(kDeadlineMs));
    if (!run.waitForFinished(kDeadlineMs)) {
        run.kill();
        run.waitForFinished(kDeadlineMs);
        ADD_FAILURE() << "the engine did not end within the deadline";
    }
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
    return folder.read("window.txt");
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
