#include "tests/support/ModalMessages.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/QtMessageService.h"

namespace vantorell::test {
namespace {

QMessageBox::StandardButton buttonOf(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

ModalMessages::ModalMessages()
    : RecordingMessageService([](const std::string& what) { ADD_FAILURE() << what; }),
      previous_(setMessageService(this)) {}

ModalMessages::~ModalMessages() {
    setMessageService(previous_);
}

MessageAnswer ModalMessages::show(const MessageRequest& request) {
    const MessageAnswer answer = RecordingMessageService::show(request);
    // The box's own loop runs the timer; it clicks once the box is up, or closes the box
    // at a deadline.
    QTimer look;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // A user answers a box that is up and has the focus.
        if (box == nullptr || !box->isVisible() || !box->isActiveWindow()) {
            if (waited.elapsed() > 10000) {
                ADD_FAILURE() << "no message box came up for: " << request.text;
                look.stop();
            }
            return;
        }
        look.stop();
        QAbstractButton* button = box->button(buttonOf(answer));
        if (button == nullptr) {
            ADD_FAILURE() << "the message box has no button for the answer: " << request.text;
            box->reject();
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    });
    look.start(5);
    QtMessageService().show(request);
    return answer;
}

}  // namespace vantorell::test
