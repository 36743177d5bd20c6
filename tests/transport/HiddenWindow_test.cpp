// Hidden windows: posted messages arrive in order on the window's thread, and a window
// that goes away takes its waiting messages with it.

#include "transport/WSocket/HiddenWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <thread>

#include "tests/support/SocketRecorder.h"
#include "transport/WSocket/CustomWSocket.h"

namespace vantorell::transport {
namespace {

using test::waitUntil;

TEST(HiddenWindow, MessagesArriveInOrderWithTheirWords) {
    std::vector<std::tuple<unsigned, WPARAM, LPARAM>> got;
    const HWND window =
        AllocateHWnd([&](TMessage& m) { got.emplace_back(m.Msg, m.WParam, m.LParam); });
    for (unsigned i = 0; i < 5; ++i) {
        PostMessage(window, WM_USER + i, i * 10, -static_cast<LPARAM>(i));
    }
    EXPECT_TRUE(got.empty());
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(got.size(), 5u);
    for (unsigned i = 0; i < 5; ++i) {
        EXPECT_EQ(got[i], std::make_tuple(WM_USER + i, WPARAM(i * 10), -LPARAM(i)));
    }
    DeallocateHWnd(window);
}

TEST(HiddenWindow, DestroyingTheWindowDropsWhatWaits) {
    int calls = 0;
    const HWND window = AllocateHWnd([&](TMessage&) { ++calls; });
    PostMessage(window, WM_USER, 0, 0);
    DeallocateHWnd(window);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(PostMessage(nullptr, WM_USER, 0, 0));
}

TEST(HiddenWindow, ASocketOfAnotherThreadRunsItsEventsThere) {
    TCustomWSocket listener;
    const std::string port = test::listenOnLoopback(listener);
    TCustomWSocket accepted;
    listener.OnSessionAvailable = [&](TObject*, TWord) { accepted.Dup(listener.Accept()); };

    std::atomic<bool> connectedThere{false};
    std::atomic<bool> done{false};
    QThread* worker = QThread::create([&] {
        TCustomWSocket client;
        client.OnSessionConnected = [&](TObject*, TWord error) {
            connectedThere = error == 0 && QThread::currentThread() != qApp->thread();
        };
        client.SetAddr("127.0.0.1");
        client.SetPort(port);
        client.Connect();
        waitUntil([&] { return client.State() == wsConnected; });
        // Detaching is for the socket's own thread only.
        try {
            client.ThreadAttach();
        } catch (const ESocketException&) {
            done = true;
        }
    });
    QObject::connect(worker, &QThread::finished, qApp, [] {});  // wakes this thread's loop
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return worker->isFinished(); }));
    EXPECT_TRUE(connectedThere);
    EXPECT_TRUE(done);
    delete worker;
}

TEST(HiddenWindow, DetachingFromAnotherThreadIsRefused) {
    TCustomWSocket socket;
    std::string message;
    std::thread([&] {
        try {
            socket.ThreadDetach();
        } catch (const ESocketException& e) {
            message = e.what();
        }
    }).join();
    EXPECT_EQ(message, "Cannot detach from other thread");
}

}  // namespace
}  // namespace vantorell::transport
