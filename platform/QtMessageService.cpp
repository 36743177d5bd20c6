#include "platform/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "platform/TerminationRequest.h"

namespace vantorell {
namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageService::show(const MessageRequest& request) {
    // The program is ending: a box would wait for an answer nobody gives. A box that is open
    // when the request comes ends as cancelled too.
    if (terminationRequested()) {
        return MessageAnswer::Cancel;
    }
    QString text =
        QString::fromUtf8(request.text.data(), static_cast<qsizetype>(request.text.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    QMessageBox box(toQtIcon(request.icon), QString::fromStdString(request.caption), text,
                    QMessageBox::NoButton, QApplication::activeWindow());
    if (request.buttons & kButtonYes)
        box.addButton(QMessageBox::Yes);
    if (request.buttons & kButtonNo)
        box.addButton(QMessageBox::No);
    if (request.buttons & kButtonOk)
        box.addButton(QMessageBox::Ok);
    if (request.buttons & kButtonCancel)
        box.addButton(QMessageBox::Cancel);
    if (request.buttons == 0)
        box.addButton(QMessageBox::Ok);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            return MessageAnswer::Cancel;
    }
}

}  // namespace vantorell
