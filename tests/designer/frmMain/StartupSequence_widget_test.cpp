#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <csignal>

#include "designer/frmMain/StartupSequence.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::TempFolder;

class ExitWhenShown : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* main = qobject_cast<TForm1*>(watched);
            main != nullptr && event->type() == QEvent::Show) {
            QMetaObject::invokeMethod(main->mnuFileExit, &QAction::trigger, Qt::QueuedConnection);
        }
        return false;
    }
};

TEST(StartupSequenceTest, CreatesTheMainWindowAndTheDialogsWithTheirCaptions) {
    TempFolder program;
    test::TestMessages messages;
    const auto windows = designerWindowsCreate(program.path());
    // The main window shows the new model's untitled name after its title.
    const std::string mainCaption = "Vantorell - " + program.path() + "~untitled~.vtm";
    const std::pair<QWidget*, const char*> expected[] = {
        {windows->Form1.get(), mainCaption.c_str()},
        {windows->Form2.get(), "Send Model"},
        {windows->Form3.get(), "Retrieve Cube"},
        {windows->Form4.get(), "Extract Vantorell Model from Cube"},
        {windows->Form5.get(), "Configuration"},
        {windows->Form6.get(), "About"},
        {windows->Form7.get(), "Import"},
        {windows->Form8.get(), "Open Dimension/Category List (Continued)"},
    };
    for (const auto& [window, caption] : expected) {
        EXPECT_EQ(window->windowTitle().toStdString(), caption);
        EXPECT_FALSE(window->isVisible()) << caption;
        EXPECT_EQ(window->parentWidget(), nullptr) << caption;
    }
}

TEST(StartupSequenceTest, RunsUntilTheMainWindowClosesThenWritesTheSettings) {
    TempFolder program;
    test::TestMessages messages;
    // Exit through the menu once the main window is shown; the deadline ends a loop that did
    // not stop.
    ExitWhenShown exitWhenShown;
    qApp->installEventFilter(&exitWhenShown);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    deadline.start(30000);

    EXPECT_EQ(intDesignerRun(program.path()), 0);
    qApp->removeEventFilter(&exitWhenShown);
    EXPECT_TRUE(fileExists(program.file("Vantorell.ini")));
    EXPECT_FALSE(directoryExists(program.path() + "Temp/"));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<TForm1*>(window), nullptr);  // the windows went with the run
    }

    // The run leaves nothing behind for what comes after it in the same process: no quit
    // request that would end the next wait at once, no termination signal held back.
    bool fired = false;
    QTimer::singleShot(50, [&] { fired = true; });
    EXPECT_TRUE(waitForMessages([&] { return fired; }, std::chrono::seconds(10)));
    sigset_t held;
    sigemptyset(&held);
    pthread_sigmask(SIG_BLOCK, nullptr, &held);
    EXPECT_FALSE(sigismember(&held, SIGTERM));
}

}  // namespace
}  // namespace vantorell
