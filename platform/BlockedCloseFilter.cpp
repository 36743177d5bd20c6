#include "platform/BlockedCloseFilter.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

namespace vantorell {
namespace {

xcb_atom_t atomReply(xcb_connection_t* connection, xcb_intern_atom_cookie_t cookie) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

xcb_intern_atom_cookie_t internAtom(xcb_connection_t* connection, const char* name) {
    return xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

// As Qt decides it: a visible application-modal window blocks every other window, a
// window-modal one blocks the windows it is transient for.
bool blockedByModalWindow(const QWindow* window) {
    for (const QWindow* other : QGuiApplication::allWindows()) {
        if (other == window || !other->isVisible()) {
            continue;
        }
        if (other->modality() == Qt::ApplicationModal) {
            return true;
        }
        if (other->modality() == Qt::WindowModal) {
            for (const QWindow* parent = other->transientParent(); parent != nullptr;
                 parent = parent->transientParent()) {
                if (parent == window) {
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace

BlockedCloseFilter::BlockedCloseFilter(QWidget* window, std::function<void()> onClose)
    : window_(window), onClose_(std::move(onClose)) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_intern_atom_cookie_t protocols = internAtom(connection, "WM_PROTOCOLS");
    const xcb_intern_atom_cookie_t deleteWindow = internAtom(connection, "WM_DELETE_WINDOW");
    wmProtocols_ = atomReply(connection, protocols);
    wmDeleteWindow_ = atomReply(connection, deleteWindow);
    if (wmProtocols_ == XCB_ATOM_NONE || wmDeleteWindow_ == XCB_ATOM_NONE) {
        return;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    installed_ = true;
}

BlockedCloseFilter::~BlockedCloseFilter() {
    if (installed_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool BlockedCloseFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
        return false;
    }
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->format != 32 || client->type != wmProtocols_ ||
        client->data.data32[0] != wmDeleteWindow_) {
        return false;
    }
    // Not yet created windows have no id; internalWinId() does not create one.
    const WId target = window_->internalWinId();
    const QWindow* handle = window_->windowHandle();
    if (target == 0 || handle == nullptr || client->window != target ||
        !blockedByModalWindow(handle)) {
        return false;
    }
    onClose_();
    return true;
}

}  // namespace vantorell
