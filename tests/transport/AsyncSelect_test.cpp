// The asynchronous select keeps Winsock's re-enabling rules on POSIX sockets.

#include "transport/WSocket/AsyncSelect.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketRecorder.h"
#include "transport/WSocket/HiddenWindow.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

using test::waitUntil;

constexpr long kAll = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

// A window that records the notices it gets as (event, error) pairs.
class NoticeWindow {
public:
    NoticeWindow()
        : window_(AllocateHWnd([this](TMessage& m) {
              notices.emplace_back(SelectEvents(m.LParam), SelectError(m.LParam));
          })) {}
    ~NoticeWindow() { DeallocateHWnd(window_); }
    HWND handle() const { return window_; }

    int count(long event) const {
        return static_cast<int>(std::count_if(notices.begin(), notices.end(),
                                              [&](const auto& n) { return n.first == event; }));
    }
    bool waitFor(long event, int times = 1) {
        return waitUntil([&] { return count(event) >= times; });
    }
    // Runs the event loop a few rounds without waiting: an armed notifier of a ready
    // socket would post a notice in each.
    static void spin() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::sendPostedEvents();
    }

    std::vector<std::pair<TWord, TWord>> notices;

private:
    HWND window_;
};

class ConnectedSelect : public ::testing::Test {
protected:
    void SetUp() override {
        s = WSocket_socket(WSOCK_AF_INET, WSOCK_SOCK_STREAM, 0);
        ASSERT_EQ(WSocket_WSAAsyncSelect(s, window.handle(), WM_ASYNCSELECT, kAll), 0);
        const sockaddr_in address = test::loopbackAddress(peer.port());
        ASSERT_EQ(WSocket_connect(s, reinterpret_cast<const TSockAddr*>(&address), sizeof address),
                  SOCKET_ERROR);
        ASSERT_EQ(WSocket_WSAGetLastError(), WSAEWOULDBLOCK);
        ASSERT_TRUE(peer.accept(test::kSocketDeadline));
        ASSERT_TRUE(window.waitFor(FD_WRITE));
    }
    void TearDown() override { WSocket_closesocket(s); }

    test::LoopbackPeer peer;
    NoticeWindow window;
    TSocket s = INVALID_SOCKET;
};

TEST_F(ConnectedSelect, ConnectNoticeThenOneWriteNotice) {
    ASSERT_GE(window.notices.size(), 2u);
    EXPECT_EQ(window.notices[0], std::make_pair(TWord(FD_CONNECT), TWord(0)));
    EXPECT_EQ(window.notices[1], std::make_pair(TWord(FD_WRITE), TWord(0)));
    NoticeWindow::spin();
    EXPECT_EQ(window.count(FD_WRITE), 1);
}

TEST_F(ConnectedSelect, ReadNoticeWaitsForTheNextReceive) {
    ASSERT_TRUE(peer.sendAll("abcd"));
    ASSERT_TRUE(window.waitFor(FD_READ));
    NoticeWindow::spin();
    EXPECT_EQ(window.count(FD_READ), 1);

    char buffer[8];
    ASSERT_EQ(WSocket_recv(s, buffer, 2, 0), 2);
    ASSERT_TRUE(window.waitFor(FD_READ, 2));  // data is still waiting
    ASSERT_EQ(WSocket_recv(s, buffer, sizeof buffer, 0), 2);
    NoticeWindow::spin();
    EXPECT_EQ(window.count(FD_READ), 2);
    EXPECT_EQ(WSocket_recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR);
    EXPECT_EQ(WSocket_WSAGetLastError(), WSAEWOULDBLOCK);
}

TEST_F(ConnectedSelect, WriteNoticeComesBackAfterASendWouldBlock) {
    const std::string chunk(65536, 'x');
    std::size_t queued = 0;
    for (;;) {
        const int n = WSocket_send(s, chunk.data(), static_cast<int>(chunk.size()), 0);
        if (n <= 0) {
            break;
        }
        queued += static_cast<std::size_t>(n);
    }
    ASSERT_EQ(WSocket_WSAGetLastError(), WSAEWOULDBLOCK);
    NoticeWindow::spin();
    EXPECT_EQ(window.count(FD_WRITE), 1);
    std::string drained;
    ASSERT_TRUE(peer.read(drained, queued, test::kSocketDeadline));
    ASSERT_TRUE(window.waitFor(FD_WRITE, 2));
}

TEST_F(ConnectedSelect, CloseNoticeAfterTheLastDataWasRead) {
    ASSERT_TRUE(peer.sendAll("bye"));
    peer.closeConnection();
    ASSERT_TRUE(window.waitFor(FD_READ));
    NoticeWindow::spin();
    EXPECT_EQ(window.count(FD_CLOSE), 0);
    char buffer[8];
    ASSERT_EQ(WSocket_recv(s, buffer, sizeof buffer, 0), 3);
    ASSERT_TRUE(window.waitFor(FD_CLOSE));
    EXPECT_EQ(window.notices.back(), std::make_pair(TWord(FD_CLOSE), TWord(0)));
    NoticeWindow::spin();
    EXPECT_EQ(window.count(FD_CLOSE), 1);
}

TEST_F(ConnectedSelect, ResetArrivesAsCloseNoticeWithItsError) {
    peer.closeConnection(true);
    ASSERT_TRUE(window.waitFor(FD_CLOSE));
    EXPECT_EQ(window.notices.back(), std::make_pair(TWord(FD_CLOSE), TWord(WSAECONNRESET)));
}

TEST(AsyncSelect, NoticesOfAnEarlierRegistrationAreDropped) {
    test::LoopbackPeer peer;
    const TSocket s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = test::loopbackAddress(peer.port());
    ASSERT_EQ(::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(peer.accept(test::kSocketDeadline));
    ASSERT_TRUE(peer.sendAll("abcd"));
    char byte = 0;
    ASSERT_EQ(::recv(s, &byte, 1, MSG_PEEK), 1);  // data is waiting

    // Readable and writable at once: both notices are posted in the same round; the
    // first one's handler stops the notices, so the second must not arrive.
    std::vector<TWord> notices;
    const HWND window = AllocateHWnd([&](TMessage& m) {
        notices.push_back(SelectEvents(m.LParam));
        WSocket_WSAAsyncSelect(s, nullptr, 0, 0);
    });
    ASSERT_EQ(WSocket_WSAAsyncSelect(s, window, WM_ASYNCSELECT, kAll), 0);
    ASSERT_TRUE(waitUntil([&] { return !notices.empty(); }));
    NoticeWindow::spin();
    EXPECT_EQ(notices.size(), 1u);
    DeallocateHWnd(window);
    WSocket_closesocket(s);
}

TEST(AsyncSelect, AcceptNoticeWaitsForTheNextAccept) {
    NoticeWindow window;
    const TSocket listener = WSocket_socket(WSOCK_AF_INET, WSOCK_SOCK_STREAM, 0);
    sockaddr_in address = test::loopbackAddress(0);
    ASSERT_EQ(WSocket_bind(listener, reinterpret_cast<TSockAddr*>(&address), sizeof address), 0);
    int length = sizeof address;
    WSocket_getsockname(listener, reinterpret_cast<TSockAddr*>(&address), &length);
    ASSERT_EQ(WSocket_listen(listener, 5), 0);
    ASSERT_EQ(WSocket_WSAAsyncSelect(listener, window.handle(), WM_ASYNCSELECT, kAll), 0);

    int clients[2];
    for (int& c : clients) {
        c = ::socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_EQ(::connect(c, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    ASSERT_TRUE(window.waitFor(FD_ACCEPT));
    NoticeWindow::spin();
    EXPECT_EQ(window.count(FD_ACCEPT), 1);
    const TSocket first = WSocket_accept(listener, nullptr, nullptr);
    ASSERT_NE(first, INVALID_SOCKET);
    ASSERT_TRUE(window.waitFor(FD_ACCEPT, 2));
    const TSocket second = WSocket_accept(listener, nullptr, nullptr);
    ASSERT_NE(second, INVALID_SOCKET);
    EXPECT_EQ(WSocket_accept(listener, nullptr, nullptr), INVALID_SOCKET);
    EXPECT_EQ(WSocket_WSAGetLastError(), WSAEWOULDBLOCK);
    for (const TSocket t : {first, second, listener}) {
        WSocket_closesocket(t);
    }
    for (const int c : clients) {
        ::close(c);
    }
}

TEST(AsyncSelect, RefusedConnectArrivesAsConnectNotice) {
    int port = 0;
    {
        test::LoopbackPeer gone;
        port = gone.port();
    }
    NoticeWindow window;
    const TSocket s = WSocket_socket(WSOCK_AF_INET, WSOCK_SOCK_STREAM, 0);
    ASSERT_EQ(WSocket_WSAAsyncSelect(s, window.handle(), WM_ASYNCSELECT, kAll), 0);
    const sockaddr_in address = test::loopbackAddress(port);
    EXPECT_EQ(WSocket_connect(s, reinterpret_cast<const TSockAddr*>(&address), sizeof address),
              SOCKET_ERROR);
    EXPECT_EQ(WSocket_WSAGetLastError(), WSAEWOULDBLOCK);
    ASSERT_TRUE(window.waitFor(FD_CONNECT));
    NoticeWindow::spin();
    EXPECT_EQ(window.notices,
              (std::vector<std::pair<TWord, TWord>>{{TWord(FD_CONNECT), TWord(WSAECONNREFUSED)}}));
    WSocket_closesocket(s);
}

}  // namespace
}  // namespace vantorell::transport
