#pragma once
// An X display of the test's own, and a client on it that acts as a window manager does:
// it finds a program's top-level windows and sends them the close request of a title bar's
// close button.

#include <QProcess>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace vantorell::test {

// Xvfb on a display number it picks itself, reached only through its local socket; ended
// with the object.
class XvfbDisplay {
public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // ":<number>" once the server accepts clients, else empty (failure() says why).
    const std::string& name() const { return name_; }
    const std::string& failure() const { return failure_; }

private:
    QProcess server_;
    std::string name_;
    std::string failure_;
};

struct TopLevelWindow {
    std::uint32_t id = 0;
    std::string title;
    bool mapped = false;
};

class WindowManagerClient {
public:
    explicit WindowManagerClient(const std::string& display);
    ~WindowManagerClient();
    WindowManagerClient(const WindowManagerClient&) = delete;
    WindowManagerClient& operator=(const WindowManagerClient&) = delete;

    bool connected() const;

    // Waits until `ready` holds for the top-level windows of process `pid` (by their
    // _NET_WM_PID), read again whenever a top-level window is created, mapped or changed.
    // False when the deadline passed first; `windows` then holds what was seen last.
    bool waitForWindows(std::int64_t pid,
                        const std::function<bool(const std::vector<TopLevelWindow>&)>& ready,
                        std::vector<TopLevelWindow>& windows, std::chrono::milliseconds deadline);

    // Sends the window WM_DELETE_WINDOW, as a window manager does when the user clicks its
    // close button; false when the window does not list that protocol (a window manager
    // would then kill the client) or the request could not be sent.
    bool sendClose(std::uint32_t window);

private:
    std::uint32_t atom(const char* name);
    std::vector<TopLevelWindow> windowsOf(std::int64_t pid);

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
};

}  // namespace vantorell::test
