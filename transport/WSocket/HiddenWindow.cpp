#include "transport/WSocket/HiddenWindow.h"

#include <QCoreApplication>
#include <QEvent>

#include "transport/WSocket/AsyncLookup.h"

namespace vantorell::transport {
namespace {

QEvent::Type postedMessageType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

class PostedMessage : public QEvent {
public:
    PostedMessage(const TMessage& message, std::shared_ptr<MessagePayload> payload)
        : QEvent(postedMessageType()), message_(message), payload_(std::move(payload)) {}

    TMessage message_;
    std::shared_ptr<MessagePayload> payload_;
};

}  // namespace

HiddenWindow::HiddenWindow(TWndMethod method) : method_(std::move(method)) {}

HiddenWindow::~HiddenWindow() {
    // A lookup still running must not post to a window that no longer exists.
    CancelLookupsFor(this);
}

void HiddenWindow::Destroy() {
    method_ = nullptr;
    CancelLookupsFor(this);
    if (dispatching_ > 0) {
        destroyed_ = true;
        deleteLater();
    } else {
        delete this;
    }
}

bool HiddenWindow::event(QEvent* e) {
    if (e->type() != postedMessageType()) {
        return QObject::event(e);
    }
    auto* posted = static_cast<PostedMessage*>(e);
    if (destroyed_ || !method_) {
        return true;
    }
    if (posted->payload_ && !posted->payload_->Deliver()) {
        return true;
    }
    // The procedure may replace or destroy the window; keep what is called alive.
    const TWndMethod method = method_;
    ++dispatching_;
    method(posted->message_);
    --dispatching_;
    return true;
}

bool PostMessage(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam,
                 std::shared_ptr<MessagePayload> Payload) {
    if (Wnd == nullptr) {
        return false;
    }
    const TMessage message{Msg, WParam, LParam, 0};
    QCoreApplication::postEvent(Wnd, new PostedMessage(message, std::move(Payload)));
    return true;
}

HWND AllocateHWnd(TWndMethod Method) {
    return new HiddenWindow(std::move(Method));
}

void DeallocateHWnd(HWND Wnd) {
    if (Wnd != nullptr) {
        Wnd->Destroy();
    }
}

}  // namespace vantorell::transport
