// Ending the designer on request while something waits for the user or for a server: a
// close request of the main window or SIGTERM, while a real message box is open and while a
// transfer waits for a silent server. The message loop runs as the program runs it; each
// time the request ends it soon, the model kept as it was last saved and the work folder
// removed.
#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>

#include "designer/frmMain/StartupSequence.h"
#include "platform/FileSystem.h"
#include "tests/support/CubeDialogWindows.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/FtpThreadPeer.h"
#include "tests/support/RealEngine.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

enum class Request { Close, Terminate };

const char* requestName(Request request) {
    return request == Request::Close ? "close request" : "SIGTERM";
}

// The request as the window system or the session manager makes it.
void makeRequest(Request request, TForm1* main) {
    if (request == Request::Terminate) {
        ::raise(SIGTERM);
    } else {
        main->windowHandle()->close();
    }
}

// Notes each message box as it shows and makes the request while it is open.
class RequestWhenABoxShows : public QObject {
public:
    RequestWhenABoxShows(Request request, TForm1* main) : request_(request), main_(main) {}

    std::vector<std::string> shown;
    Clock::time_point requested{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            shown.push_back(box->text().toStdString());
            if (shown.size() == 1) {
                QTimer::singleShot(0, box, [this] {
                    requested = Clock::now();
                    makeRequest(request_, main_);
                });
            }
        }
        return false;
    }

private:
    Request request_;
    TForm1* main_;
};

// Runs the message loop with `start` as its first event; a loop that the request did not
// end ends at the deadline with 99.
int runLoop(std::unique_ptr<DesignerWindows> windows, const std::function<void()>& start) {
    QTimer::singleShot(0, qApp, start);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    deadline.start(60000);
    return intDesignerMessageLoop(std::move(windows));
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// No test message service: the boxes are the real ones, and the request must end them.
TEST(TerminationTest, ARequestWhileAMessageBoxIsOpenEndsTheProgramWithoutSaving) {
    struct Case {
        const char* what;
        Request request;
        const char* box;  // the start of its text
        std::size_t fileDialogs;
        std::function<void(TForm1&, ScriptedFileDialogService&, const test::TempFolder&)> start;
    };
    const auto openBroken = [](TForm1& main, ScriptedFileDialogService& dialogs,
                               const test::TempFolder& program) {
        dialogs.queue(program.write("broken.vtm", "VT0200\r\nINFO\r\n"));
        main.mnuFileOpen->trigger();
    };
    const auto changeThen = [](QAction* TForm1::*command) {
        return [command](TForm1& main, ScriptedFileDialogService&, const test::TempFolder&) {
            main.editors.tvwDimsCats.getFirstNode()->setText("Renamed");
            (main.*command)->trigger();
        };
    };
    const char* question = "The current file has changed";
    // A second close of a window that is closing (Exit's question) is Qt's to drop; SIGTERM
    // ends that one too.
    const Case cases[] = {
        {"an error box", Request::Close, "A fatal error", 1, openBroken},
        {"an error box", Request::Terminate, "A fatal error", 1, openBroken},
        {"the change question of File New", Request::Close, question, 0,
         changeThen(&TForm1::mnuFileNew)},
        {"the change question of File New", Request::Terminate, question, 0,
         changeThen(&TForm1::mnuFileNew)},
        {"the change question at Exit", Request::Terminate, question, 0,
         changeThen(&TForm1::mnuFileExit)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ", " + requestName(c.request));
        test::TempFolder program;
        ScriptedFileDialogService dialogs;
        const ScopedFileDialogService installed(dialogs);
        std::unique_ptr<DesignerWindows> windows = designerWindowsCreate(program.path());
        TForm1* main = windows->Form1.get();
        RequestWhenABoxShows watcher(c.request, main);
        qApp->installEventFilter(&watcher);
        const int code = runLoop(std::move(windows), [&] { c.start(*main, dialogs, program); });
        const auto ended = Clock::now();
        qApp->removeEventFilter(&watcher);

        EXPECT_EQ(code, 0);
        // One box: the request answered it, and nothing was asked after it.
        ASSERT_EQ(watcher.shown.size(), 1u);
        EXPECT_EQ(watcher.shown[0].rfind(c.box, 0), 0u) << watcher.shown[0];
        EXPECT_LT(ended - watcher.requested, 10s);
        // The settings are written as at Exit; no model was saved, nor a name asked for.
        EXPECT_EQ(dialogs.asked().size(), c.fileDialogs);
        EXPECT_FALSE(directoryExists(program.path() + "Temp/"));
        EXPECT_TRUE(fileExists(program.file("Vantorell.ini")));
        for (const std::string& name : filesIn(program.path())) {
            EXPECT_TRUE(name == "broken.vtm" || name.find(".vtm") == std::string::npos) << name;
        }
    }
}

// A server that takes the upload's command and then says nothing more; the request comes
// while the client waits for it.
class SilentAfterStore {
public:
    SilentAfterStore(Request request, TForm1* main, const std::string& workCopy) {
        peer_.run([this, request, main, workCopy](test::FtpThreadPeer& p) {
            if (!p.accept()) {
                return;
            }
            std::string line;
            // The engine makes the protected copy before the upload, slowly on a busy machine.
            while (p.command(line, 60s)) {
                const std::string verb = line.substr(0, line.find(' '));
                if (verb == "USER") {
                    p.send("331 Password required.\r\n");
                } else if (verb == "PASS") {
                    p.send("230 Logged in.\r\n");
                } else if (verb == "CWD") {
                    p.send("250 Folder changed.\r\n");
                } else if (verb == "PORT") {
                    p.send(p.dataConnect(line) ? "200 Active data connection.\r\n"
                                               : "425 No data connection.\r\n");
                } else if (verb == "STOR") {
                    p.send("150 Opening data connection.\r\n");
                    copyMade_ = fileExists(workCopy);
                    {
                        const std::lock_guard<std::mutex> lock(mutex_);
                        requested_ = Clock::now();
                    }
                    if (request == Request::Terminate) {
                        ::kill(::getpid(), SIGTERM);  // to the process, as a session manager
                    } else {
                        QMetaObject::invokeMethod(
                            main, [main] { makeRequest(Request::Close, main); },
                            Qt::QueuedConnection);
                    }
                    if (!p.waitForClose()) {
                        p.fail("the client did not close its connection");
                    }
                    return;
                } else {
                    p.send("200 OK.\r\n");
                }
            }
            p.fail("the client sent no upload");
        });
    }

    std::string port() const { return peer_.portText(); }
    std::string join() { return peer_.join(); }
    bool copyMade() const { return copyMade_; }
    Clock::time_point requested() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requested_;
    }

private:
    test::FtpThreadPeer peer_;
    std::mutex mutex_;
    Clock::time_point requested_{};
    std::atomic<bool> copyMade_{false};
};

TEST(TerminationTest, ARequestDuringATransferToASilentServerEndsTheProgramSoon) {
    for (const Request request : {Request::Close, Request::Terminate}) {
        SCOPED_TRACE(requestName(request));
        test::CubeDialogWindows run;
        ASSERT_TRUE(run.start(test::accountFile("enabled", 3), "")) << run.failure;
        test::installRealEngine(run.program.path());
        const std::string model = run.models.write(
            "sales-ascii.vtm", readWholeFile(test::sourcePath("examples/sales-ascii.vtm")));
        TForm1* main = run.main;
        TForm2* dialog = run.windows->Form2.get();
        // Active mode, so that the silent server can take the data connection.
        main->flgUsePassiveTransfer = false;
        SilentAfterStore server(request, main, run.program.file("Temp/sales-ascii.vtm"));

        const int code = runLoop(std::move(run.windows), [&] {
            main->tbnFileSendModel->trigger();
            run.logIn(*dialog->stages);
            run.dialogs.queueFiles(std::vector<std::string>{model});
            QTest::mouseClick(dialog->btnAcceptanceYes, Qt::LeftButton);
            dialog->session.context.address.intServerPort = std::stoi(server.port());
            QTest::mouseClick(dialog->btnSelection, Qt::LeftButton);
        });
        const auto ended = Clock::now();

        EXPECT_EQ(code, 0);
        EXPECT_EQ(server.join(), "");
        EXPECT_TRUE(server.copyMade());
        // Well within the client's time-out of 15 seconds without progress.
        EXPECT_LT(ended - server.requested(), 10s);
        EXPECT_FALSE(directoryExists(run.program.path() + "Temp/"));
        EXPECT_TRUE(fileExists(run.program.file("Vantorell.ini")));
        EXPECT_NE(run.program.read("SendModel.log")
                      .find("! - Transfer cancelled: the program is ending.\r\n"),
                  std::string::npos)
            << run.program.read("SendModel.log");
    }
}

}  // namespace
}  // namespace vantorell
