// The real designer on an X display of its own, closed the way a window manager closes a
// window when the user clicks its title bar's close button.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "tests/support/BuiltPrograms.h"
#include "tests/support/FileWait.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/XDisplay.h"

namespace vantorell {
namespace {

using namespace std::chrono_literals;
using test::TempFolder;
using test::TopLevelWindow;

const TopLevelWindow* findWindow(const std::vector<TopLevelWindow>& windows,
                                 const std::string& titleStart) {
    const auto found = std::find_if(windows.begin(), windows.end(), [&](const auto& window) {
        return window.title.rfind(titleStart, 0) == 0;
    });
    return found == windows.end() ? nullptr : &*found;
}

// The user changes the model, asks for help that is not there and, while the message box
// says so, clicks the close button of the main window behind it. Qt gives a window that a
// modal box blocks no close event; the program must still end as at Exit, asking nothing
// and keeping the model as it was saved.
TEST(DesignerWindowManagerE2eTest, ACloseOfTheMainWindowWhileAMessageBoxIsOpenEndsTheProgram) {
    const test::XvfbDisplay display;
    ASSERT_FALSE(display.name().empty()) << display.failure();
    TempFolder program;
    const std::string designer = test::installBuiltProgram(program.path(), "Vantorell");
    const std::string model = program.file("sales.vtm");
    std::filesystem::copy_file(test::sourcePath("examples/sales.vtm"), model);
    const std::string saved = program.read("sales.vtm");
    const std::string notes = program.file("messages.txt");
    const test::ScopedEnvironment probe(
        test::messageProbeVariables(notes, "tbnDimsCatsAddSibling,mnuHelpHelp"));

    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("DISPLAY", QString::fromStdString(display.name()));
    // Off the session bus of whoever runs the tests, and not looking for one through the
    // display either.
    environment.insert("DBUS_SESSION_BUS_ADDRESS",
                       QString::fromStdString("unix:path=" + program.file("no-bus")));
    run.setProcessEnvironment(environment);
    run.start(QString::fromStdString(designer), {QString::fromStdString(model)});
    ASSERT_TRUE(run.waitForStarted(10000));
    ASSERT_TRUE(test::waitForFileContents(
        notes,
        [](const std::string& text) {
            return text.find("message Loading Main Help File: Could not find help file") !=
                   std::string::npos;
        },
        30s))
        << program.read("messages.txt");

    test::WindowManagerClient windowManager(display.name());
    ASSERT_TRUE(windowManager.connected());
    std::vector<TopLevelWindow> windows;
    const bool shown = windowManager.waitForWindows(
        run.processId(),
        [](const std::vector<TopLevelWindow>& seen) {
            const TopLevelWindow* main = findWindow(seen, "Vantorell - ");
            const TopLevelWindow* box = findWindow(seen, "Loading Main Help File");
            return main != nullptr && main->mapped && box != nullptr && box->mapped;
        },
        windows, 30s);
    ASSERT_TRUE(shown) << windows.size() << " windows";
    const auto requested = std::chrono::steady_clock::now();
    ASSERT_TRUE(windowManager.sendClose(findWindow(windows, "Vantorell - ")->id));
    const bool ended = run.waitForFinished(30000);
    const auto took = std::chrono::steady_clock::now() - requested;
    ASSERT_TRUE(ended) << "the designer lives on behind its message box";
    EXPECT_LT(took, 10s);
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
    const std::string noted = program.read("messages.txt");
    EXPECT_EQ(std::count(noted.begin(), noted.end(), '\n'), 1) << noted;
    EXPECT_EQ(program.read("sales.vtm"), saved);
    EXPECT_FALSE(directoryExists(program.path() + "Temp/"));
    EXPECT_EQ(IniFile(program.file("Vantorell.ini")).readSectionValues("File Menu Reopen List"),
              (std::vector<std::string>{"File1=" + model}));
}

}  // namespace
}  // namespace vantorell
