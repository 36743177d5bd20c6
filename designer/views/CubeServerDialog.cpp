#include "designer/views/CubeServerDialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>
#include <exception>

#include "designer/frmMain/TForm1.h"
#include "designer/rtnFiles.h"
#include "designer/views/DialogPlacement.h"
#include "platform/MessageService.h"

namespace vantorell {

CubeServerDialog::CubeServerDialog(TForm1& main, const char* objectName, const char* caption)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), main_(main) {
    setObjectName(QString::fromUtf8(objectName));
    setWindowTitle(QString::fromUtf8(caption));
    setModal(false);
}

CubeSessionContext CubeServerDialog::sessionContext(TForm1& main) {
    CubeSessionContext context;
    context.strProgramFolder = main.strProgramFolder;
    context.strWorkFolder = main.strWorkFolder;
    context.transfer = &main;
    context.settings = main.iniSettings.get();
    context.address = cubeServerAddressRead(*main.iniSettings);
    context.intReaderWriterDebugFlags = main.intReaderWriterDebugFlags;
    return context;
}

void CubeServerDialog::nulStagesCreate(CubeSession& session, const char* intro,
                                       const Stage2Names& stage2, QAction* command) {
    session_ = &session;
    try {
        session.FormCreate();
    } catch (const FileIoError&) {
        // Start-up goes on; the first line the session logs reports the failure.
    }
    stages = new CubeStagesView(session, intro, stage2, this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(stages);
    session.onChanged = [this] { nulControlsShow(); };
    session.onClose = [this] { hide(); };
    connect(command, &QAction::triggered, this, &CubeServerDialog::nulCommandRun);
}

void CubeServerDialog::nulStagesDelete() {
    if (session_ != nullptr) {
        session_->onChanged = nullptr;
        session_->onClose = nullptr;
    }
    delete stages;
    stages = nullptr;
}

void CubeServerDialog::nulCommandRun() {
    nulGridsSaveValues(main_.editors);
    show();
    raise();
    activateWindow();
}

void CubeServerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        main_.setEnabled(false);
        stages->guarded([this] { session_->FormShow(); });
        centreOnScreen(*this);
    }
}

void CubeServerDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        try {
            session_->FormHide();
        } catch (const std::exception& e) {
            // The user ID could not be kept; the dialog hides all the same.
            showMessage("Vantorell", e.what(), MessageIcon::Error);
        }
        session_->tmrStageImageTimer = false;
        nulControlsShow();
        main_.setEnabled(true);
    }
}

void CubeServerDialog::closeEvent(QCloseEvent* event) {
    if (!session_->btnClose.enabled) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CubeServerDialog::reject() {
    // Escape closes like the Close button, and only while Close may be used.
    if (session_->btnClose.enabled) {
        hide();
    }
}

}  // namespace vantorell
