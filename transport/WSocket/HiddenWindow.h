#pragma once
// Hidden windows and posted window messages. A hidden window is a QObject that turns
// posted messages (message number and two words) into calls of its window procedure, on
// its own thread, one at a time, in the order they were posted. Destroying the window drops
// the messages still waiting for it.

#include <QObject>
#include <functional>
#include <memory>

#include "transport/WSocket/WinsockTypes.h"

namespace vantorell::transport {

// Message numbers of the socket layer.
inline constexpr unsigned WM_USER = 1024;
inline constexpr unsigned WM_ASYNCSELECT = WM_USER + 1;
inline constexpr unsigned WM_ASYNCGETHOSTBYNAME = WM_USER + 2;
inline constexpr unsigned WM_ASYNCGETHOSTBYADDR = WM_USER + 3;
inline constexpr unsigned WM_CLOSE_DELAYED = WM_USER + 4;
inline constexpr unsigned WM_WSOCKET_RELEASE = WM_USER + 5;
inline constexpr unsigned WM_TRIGGER_EXCEPTION = WM_USER + 6;
inline constexpr unsigned WM_TRIGGER_DATA_AVAILABLE = WM_USER + 20;

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LPARAM Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

// Something a posted message carries along. It is asked, on the window's thread, right
// before the message is dispatched; false drops the message.
class MessagePayload {
public:
    virtual ~MessagePayload() = default;
    virtual bool Deliver() = 0;
};

class HiddenWindow : public QObject {
public:
    explicit HiddenWindow(TWndMethod method);
    ~HiddenWindow() override;

    // Stops dispatching (the window procedure is forgotten) and destroys the window: at
    // once, or, while one of its messages is being dispatched, once that has returned.
    void Destroy();

protected:
    bool event(QEvent* e) override;

private:
    TWndMethod method_;
    int dispatching_ = 0;
    bool destroyed_ = false;
};

// Posts a message to a window; safe from any thread while the window exists. False when
// there is no window.
bool PostMessage(HWND Wnd, unsigned Msg, WPARAM WParam, LPARAM LParam,
                 std::shared_ptr<MessagePayload> Payload = nullptr);

// Windows for the protocol clients: a window that calls Method for every message.
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);

}  // namespace vantorell::transport
