#pragma once
// A window manager's close request (WM_DELETE_WINDOW) for a top-level window that a modal
// window blocks. Qt drops the close event of a blocked window before the window sees it, so
// a close that should end the program would be lost; this filter notices the request on the
// X connection first and calls its handler. On platforms other than xcb it does nothing.

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>

class QWidget;

namespace vantorell {

class BlockedCloseFilter : public QAbstractNativeEventFilter {
public:
    // Installs itself on the application for the top-level `window`, which must outlive it.
    BlockedCloseFilter(QWidget* window, std::function<void()> onClose);
    ~BlockedCloseFilter() override;
    BlockedCloseFilter(const BlockedCloseFilter&) = delete;
    BlockedCloseFilter& operator=(const BlockedCloseFilter&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget* window_;
    std::function<void()> onClose_;
    bool installed_ = false;
    std::uint32_t wmProtocols_ = 0;
    std::uint32_t wmDeleteWindow_ = 0;
};

}  // namespace vantorell
