#pragma once
// A dialog of the designer that is shown modeless while the main window is disabled, so that
// it behaves as modal; a command that needs its answer shows it and lets events run until
// it is hidden again. Only the dialog's own showing and hiding count: a window manager that
// minimizes and restores it sends spontaneous events.

#include <QDialog>

class QEventLoop;

namespace vantorell {

class ModelessDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModelessDialog(QWidget* parent = nullptr);

    // Disabled while the dialog is shown.
    QWidget* mainWindow = nullptr;

    // Shows the dialog in front and lets events run until it is hidden again.
    void nulShowAndWait();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The dialog's own part of showing (the main window already disabled) and of hiding
    // (before the main window is enabled again).
    virtual void FormShow() {}
    virtual void FormHide() {}

private:
    QEventLoop* waiting_ = nullptr;
};

}  // namespace vantorell
