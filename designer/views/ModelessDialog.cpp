#include "designer/views/ModelessDialog.h"

#include <QEventLoop>
#include <QHideEvent>
#include <QShowEvent>

namespace vantorell {

ModelessDialog::ModelessDialog(QWidget* parent) : QDialog(parent) {}

void ModelessDialog::nulShowAndWait() {
    show();
    raise();
    activateWindow();
    if (!isVisible()) {
        return;
    }
    QEventLoop loop;
    waiting_ = &loop;
    loop.exec();
    waiting_ = nullptr;
}

void ModelessDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (mainWindow != nullptr) {
            mainWindow->setEnabled(false);
        }
        FormShow();
    }
    QDialog::showEvent(event);
}

void ModelessDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        FormHide();
        if (mainWindow != nullptr) {
            mainWindow->setEnabled(true);
        }
        if (waiting_ != nullptr) {
            waiting_->quit();
        }
    }
}

}  // namespace vantorell
