// Mode decisions from the engine's command line, and what the window shows for them.
#include "engine/tqmh01/StartupMode.h"

#include <gtest/gtest.h>

#include "engine/tqmh01/StartupLayout.h"

namespace vantorell::engine {
namespace {

using Args = std::vector<std::string>;
constexpr int kNoDirection = 0;
constexpr EngineMode kInitial = EngineMode::Initial;
constexpr EngineMode kCipher = EngineMode::FileCipher;
constexpr EngineMode kGeneration = EngineMode::Generation;

int directionOf(const CipherSwitches& s) {
    return s.direction ? static_cast<int>(*s.direction) : kNoDirection;
}

TEST(StartupModeTest, ArgumentsChooseTheModeAndTheCipherSwitches) {
    struct Case {
        Args arguments;
        EngineMode mode;
        bool batch;
        bool installButtons;
        int direction;
        int requestMask;
        std::string controlFile;
    } cases[] = {
        {{}, kInitial, false, true, 0, 0, ""},
        {{"x", "/f", "-Z", "-"}, kInitial, false, true, 0, 0, ""},
        {{"-U"}, kInitial, false, false, 0, 0, ""},
        {{"-u"}, kInitial, false, true, 0, 0, ""},
        {{"-BK7#LmmP"}, kCipher, false, true, 0, 0, ""},
        {{"-BK7#LmmP", "-f/p/control.bec", "-d"}, kCipher, true, true, 2, 3, "/p/control.bec"},
        {{"-BK7#LmmP", "-e", "-fc.bec"}, kCipher, true, true, 1, 3, "c.bec"},
        {{"-BK7#LmmP", "-d", "-e"}, kCipher, true, true, 1, 1, ""},
        {{"-BK7#LmmP", "-f"}, kCipher, true, true, 0, 2, ""},
        {{"-BK7#LmmP", "stray"}, kCipher, true, true, 0, 0, ""},
        // Letters after "-B" are case-sensitive, and the code must stand alone.
        {{"-bK7#LmmP", "-fc", "-d"}, kInitial, false, true, 0, 0, ""},
        {{"-BK7#LmmPx", "-fc", "-d"}, kInitial, false, true, 0, 0, ""},
        {{"-BK7#Lmm", "-fc", "-d"}, kInitial, false, true, 0, 0, ""},
        {{"-B", "-fc", "-d"}, kInitial, false, true, 0, 0, ""},
        // Switches before the cipher switch are judged in initial mode.
        {{"-d", "-fc", "-BK7#LmmP"}, kCipher, false, true, 0, 0, ""},
        {{"-d", "-BK7#LmmP", "-fc"}, kCipher, true, true, 0, 2, "c"},
        {{"-U", "-BK7#LmmP"}, kCipher, false, false, 0, 0, ""},
        // After the cipher switch "-U", "-D" and a second coded switch mean nothing.
        {{"-BK7#LmmP", "-U", "-D", "-Er6413T%T", "-F"}, kCipher, true, true, 0, 0, ""},
        {{"-Er6413T%T"}, kGeneration, false, true, 0, 0, ""},
        {{"-Er6413T%T", "-BK7#LmmP", "-d", "-fc", "-U"}, kGeneration, true, true, 0, 0, ""},
        {{"-Er6413T%"}, kInitial, false, true, 0, 0, ""},
    };
    for (const Case& c : cases) {
        std::string text;
        for (const std::string& a : c.arguments) {
            text += "[" + a + "]";
        }
        const StartupState s = readStartupState(c.arguments, "/opt/v/");
        EXPECT_EQ(s.mode, c.mode) << text;
        EXPECT_EQ(s.batch, c.batch) << text;
        EXPECT_EQ(s.installButtons, c.installButtons) << text;
        EXPECT_EQ(directionOf(s.cipher), c.direction) << text;
        EXPECT_EQ(s.cipher.requestMask, c.requestMask) << text;
        EXPECT_EQ(s.cipher.controlFilePath, c.controlFile) << text;
        EXPECT_EQ(s.programFolder, "/opt/v/");
        EXPECT_EQ(s.cipher.keyVariant, 1);
    }
}

TEST(StartupModeTest, MismatchReportSwitchCountsOnlyInCipherMode) {
    StartupState s = readStartupState({"-BK7#LmmP", "-w/tmp/report.txt", "-d"}, "/");
    EXPECT_TRUE(s.cipher.mismatchReport);
    EXPECT_EQ(s.cipher.mismatchReportPath, "/tmp/report.txt");
    EXPECT_EQ(s.cipher.requestMask, 1);

    s = readStartupState({"-w/tmp/report.txt", "-BK7#LmmP", "-d"}, "/");
    EXPECT_FALSE(s.cipher.mismatchReport);
    EXPECT_EQ(s.cipher.mismatchReportPath, "");
}

// A longer argument would not fit the 256-character buffer: it is ignored, not cut, so a
// shortened control-file path can never name another file.
TEST(StartupModeTest, ArgumentsLongerThan255CharactersAreIgnoredWhole) {
    const std::string path255 = "/" + std::string(252, 'a');  // "-f" + 253 = 255
    StartupState s = readStartupState({"-BK7#LmmP", "-f" + path255, "-d"}, "/");
    EXPECT_EQ(s.cipher.requestMask, 3);
    EXPECT_EQ(s.cipher.controlFilePath, path255);
    EXPECT_TRUE(s.ignoredArguments.empty());

    const std::string tooLong = "-f" + path255 + "b";
    s = readStartupState({"-BK7#LmmP", tooLong, "-d"}, "/");
    EXPECT_EQ(s.cipher.requestMask, 1);
    EXPECT_EQ(s.cipher.controlFilePath, "");
    EXPECT_EQ(s.ignoredArguments, Args{tooLong});
    EXPECT_TRUE(s.batch);

    // The ignored argument still counts as one that follows the cipher switch.
    s = readStartupState({"-BK7#LmmP", tooLong}, "/");
    EXPECT_TRUE(isBatchCipherRun(s));
}

TEST(StartupModeTest, LayoutPerMode) {
    const std::string welcome = "Welcome to Orvane Dovozerodi Ltd. Vantorell 2.0 Installation";
    const auto kWelcome = StartupPanel::Welcome;
    struct Case {
        Args arguments;
        bool shown;
        StartupPanel panel;
        bool resize;
        int width;
        int height;
        std::string caption;
        std::string exitCaption;
    } cases[] = {
        {{}, true, kWelcome, true, 636, 305, welcome, "Exit"},
        {{"-U"}, true, kWelcome, true, 636, 305, welcome, "Cancel"},
        {{"-BK7#LmmP"}, true, StartupPanel::Encrypt, true, 525, 207, "File Encryption", "Exit"},
        {{"-Er6413T%T"}, true, StartupPanel::None, false, 0, 0, "", "Exit"},
        {{"-BK7#LmmP", "-fc", "-d"}, false, StartupPanel::None, false, 0, 0, "", "Exit"},
    };
    for (const Case& c : cases) {
        const StartupLayout l = startupLayout(readStartupState(c.arguments, "/"));
        const std::string first = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(l.showWindow, c.shown) << first;
        EXPECT_EQ(l.panel, c.panel) << first;
        EXPECT_EQ(l.resize, c.resize) << first;
        EXPECT_EQ(l.width, c.width) << first;
        EXPECT_EQ(l.height, c.height) << first;
        EXPECT_EQ(l.caption, c.caption) << first;
        EXPECT_EQ(l.welcomeExitCaption, c.exitCaption) << first;
    }
}

}  // namespace
}  // namespace vantorell::engine
