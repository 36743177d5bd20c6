// Shared test main: the application object exists for every test, on the offscreen platform,
// so that widget tests and event-loop waits work without a display. No test opens a help
// file with the desktop's viewer: a recording help service stands in unless a test installs
// its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/HelpService.h"
#include "platform/RecordingHelpService.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    vantorell::RecordingHelpService help;
    vantorell::setHelpService(&help);
    const int result = RUN_ALL_TESTS();
    vantorell::setHelpService(nullptr);
    return result;
}
