#include "tests/support/XDisplay.h"

#include <poll.h>
#include <signal.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace vantorell::test {
namespace {

constexpr int kProcessDeadlineMs = 10000;

template <typename Reply>
struct FreeReply {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeReply<Reply>>;

int millisecondsLeft(std::chrono::steady_clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    return std::max(0, static_cast<int>(left.count()));
}

xcb_get_property_cookie_t propertyRequest(xcb_connection_t* connection, xcb_window_t window,
                                          xcb_atom_t property) {
    return xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
}

std::string propertyText(const xcb_get_property_reply_t* reply) {
    if (reply == nullptr || reply->format != 8) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply)),
            static_cast<std::size_t>(xcb_get_property_value_length(reply))};
}

std::vector<std::uint32_t> propertyWords(const xcb_get_property_reply_t* reply) {
    if (reply == nullptr || reply->format != 32) {
        return {};
    }
    const auto* words = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    return {words, words + xcb_get_property_value_length(reply) / 4};
}

}  // namespace

XvfbDisplay::XvfbDisplay() {
    // No signal held back, whatever the test's thread holds, so that the end comes at once.
    server_.setChildProcessModifier([] {
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
    });
    // The server writes its display number to the descriptor once it accepts clients.
    server_.start(QStringLiteral("Xvfb"),
                  {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
    if (!server_.waitForStarted(kProcessDeadlineMs)) {
        failure_ = "cannot start Xvfb: " + server_.errorString().toStdString();
        return;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(15000);
    QByteArray number;
    while (!number.contains('\n')) {
        const int left = millisecondsLeft(end);
        if (left == 0 || !server_.waitForReadyRead(left)) {
            failure_ =
                "Xvfb named no display in time: " + server_.readAllStandardError().toStdString();
            return;
        }
        number += server_.readAllStandardOutput();
    }
    name_ = ":" + number.trimmed().toStdString();
}

XvfbDisplay::~XvfbDisplay() {
    if (server_.state() == QProcess::NotRunning) {
        return;
    }
    server_.terminate();
    if (!server_.waitForFinished(kProcessDeadlineMs)) {
        server_.kill();
        server_.waitForFinished(kProcessDeadlineMs);
    }
}

WindowManagerClient::WindowManagerClient(const std::string& display)
    : connection_(xcb_connect(display.c_str(), nullptr)) {
    if (xcb_connection_has_error(connection_) == 0) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
}

WindowManagerClient::~WindowManagerClient() {
    xcb_disconnect(connection_);
}

bool WindowManagerClient::connected() const {
    return xcb_connection_has_error(connection_) == 0;
}

std::uint32_t WindowManagerClient::atom(const char* name) {
    ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::vector<TopLevelWindow> WindowManagerClient::windowsOf(std::int64_t pid) {
    std::vector<TopLevelWindow> windows;
    ReplyPointer<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) {
        return windows;
    }
    const xcb_atom_t pidAtom = atom("_NET_WM_PID");
    const xcb_atom_t nameAtom = atom("_NET_WM_NAME");
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = 0; i < count; ++i) {
        const xcb_window_t child = children[i];
        // A title set later wakes the wait too.
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, child, XCB_CW_EVENT_MASK, &mask);
        const auto pidCookie = propertyRequest(connection_, child, pidAtom);
        const auto nameCookie = propertyRequest(connection_, child, nameAtom);
        const auto legacyNameCookie = propertyRequest(connection_, child, XCB_ATOM_WM_NAME);
        const auto attributesCookie = xcb_get_window_attributes(connection_, child);
        ReplyPointer<xcb_get_property_reply_t> pidReply(
            xcb_get_property_reply(connection_, pidCookie, nullptr));
        ReplyPointer<xcb_get_property_reply_t> nameReply(
            xcb_get_property_reply(connection_, nameCookie, nullptr));
        ReplyPointer<xcb_get_property_reply_t> legacyNameReply(
            xcb_get_property_reply(connection_, legacyNameCookie, nullptr));
        ReplyPointer<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection_, attributesCookie, nullptr));
        const std::vector<std::uint32_t> pids = propertyWords(pidReply.get());
        if (pids.empty() || pids.front() != static_cast<std::uint32_t>(pid)) {
            continue;
        }
        std::string title = propertyText(nameReply.get());
        if (title.empty()) {
            title = propertyText(legacyNameReply.get());
        }
        windows.push_back(
            {child, title, attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE});
    }
    return windows;
}

bool WindowManagerClient::waitForWindows(
    std::int64_t pid, const std::function<bool(const std::vector<TopLevelWindow>&)>& ready,
    std::vector<TopLevelWindow>& windows, std::chrono::milliseconds deadline) {
    if (!connected()) {
        return false;
    }
    // Watched before the first look, so that no change after it goes unnoticed.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            std::free(event);
        }
        windows = windowsOf(pid);
        if (ready(windows)) {
            return true;
        }
        // Changes that came in with the replies are already read.
        if (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_)) {
            std::free(event);
            continue;
        }
        const int left = millisecondsLeft(end);
        if (left == 0 || !connected()) {
            return false;
        }
        pollfd p{xcb_get_file_descriptor(connection_), POLLIN, 0};
        ::poll(&p, 1, left);
    }
}

bool WindowManagerClient::sendClose(std::uint32_t window) {
    const xcb_atom_t protocols = atom("WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom("WM_DELETE_WINDOW");
    ReplyPointer<xcb_get_property_reply_t> listed(xcb_get_property_reply(
        connection_, propertyRequest(connection_, window, protocols), nullptr));
    const std::vector<std::uint32_t> taken = propertyWords(listed.get());
    if (std::find(taken.begin(), taken.end(), deleteWindow) == taken.end()) {
        return false;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = protocols;
    event.data.data32[0] = deleteWindow;
    event.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t sent = xcb_send_event_checked(
        connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    ReplyPointer<xcb_generic_error_t> error(xcb_request_check(connection_, sent));
    return !error;
}

}  // namespace vantorell::test
