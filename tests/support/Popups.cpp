#include "tests/support/Popups.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace vantorell::test {

QWidget* poppedBy(const std::function<void()>& open) {
    QPointer<QWidget> popped;
    QTimer look;
    look.setSingleShot(true);
    QObject::connect(&look, &QTimer::timeout, [&popped] {
        popped = QApplication::activePopupWidget();
        if (popped != nullptr) {
            popped->close();
        }
    });
    look.start(0);
    // Should the first look miss it, the submenu still goes within a deadline.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    });
    deadline.start(10000);
    open();
    return popped;
}

}  // namespace vantorell::test
