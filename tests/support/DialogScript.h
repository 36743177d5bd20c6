#pragma once
// A user's script for a dialog that a test shows and waits for: it runs from the event loop
// once the dialog waits (or has sent a signal that it is ready), and the dialog is closed,
// as a failure, at a deadline should the script not have closed it.

#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

namespace vantorell::test {

class DialogScript {
public:
    DialogScript(QWidget& dialog, std::function<void()> user) : DialogScript(dialog) {
        QTimer::singleShot(0, &dialog, std::move(user));
    }
    template <class Dialog, class Signal>
    DialogScript(Dialog& dialog, Signal ready, std::function<void()> user) : DialogScript(dialog) {
        QObject::connect(&dialog, ready, &dialog, std::move(user),
                         Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    }

private:
    explicit DialogScript(QWidget& dialog);

    QTimer deadline_;
};

}  // namespace vantorell::test
