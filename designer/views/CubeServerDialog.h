#pragma once
// What the Send Model and Retrieve Cube dialogs do alike as windows: made once at start-up,
// shown modeless by a main window command with the main window disabled until they hide,
// without border icons, so that Close (disabled while a stage talks to the server) is the
// only way out. The dialog's session lives in the derived dialog, which binds it here.

#include <QDialog>

#include "designer/rtnCubeServer/CubeSession.h"
#include "designer/views/CubeStagesView.h"

class QAction;

namespace vantorell {

class TForm1;

class CubeServerDialog : public QDialog {
    Q_OBJECT
public:
    CubeServerDialog(TForm1& main, const char* objectName, const char* caption);

    // What a session takes from the main window: folders, transfer settings, the settings
    // file with the cube server's address, the reader's debug mask.
    static CubeSessionContext sessionContext(TForm1& main);

    CubeStagesView* stages = nullptr;

    // The main window's command: commits the editors' pending edits, then shows the dialog.
    void nulCommandRun();

protected:
    // Binds the session, empties its log and builds the common controls; `command` is the
    // main window's menu item that shows the dialog.
    void nulStagesCreate(CubeSession& session, const char* intro, const Stage2Names& stage2,
                         QAction* command);
    // Drops the controls while the session still exists; the derived dialog's destructor
    // calls it.
    void nulStagesDelete();
    // Shows the session's state in every control.
    virtual void nulControlsShow() = 0;

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    TForm1& main_;
    CubeSession* session_ = nullptr;
};

}  // namespace vantorell
