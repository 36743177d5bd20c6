// The main window's commands of the shell: Help Contents, About and Check for Vantorell
// Updates. Configuration is the Configuration dialog's, Exit the life cycle's. With them the
// helpers of the commands that show a dialog or wait for a program.
#include <QAction>
#include <exception>

#include "designer/HtmlHelpApi.h"
#include "designer/frmMain/TForm1.h"
#include "designer/rtnReaderWriter/EngineCommands.h"
#include "platform/MessageService.h"

namespace vantorell {

void TForm1::nulShellCommandsConnect() {
    connect(mnuHelpHelp, &QAction::triggered, this, [this] { mnuHelpHelpClick(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAboutClick(); });
    connect(mnuFileCheckVantorellUpdates, &QAction::triggered, this,
            [this] { mnuFileCheckVantorellUpdatesClick(); });
}

void TForm1::mnuHelpHelpClick() {
    nulGridsSaveValues(editors);
    nulHelpFileShow(strHelpFile);
}

void TForm1::mnuHelpAboutClick() {
    nulGridsSaveValues(editors);
    nulDialogShow(aboutDialog);
}

void TForm1::mnuFileCheckVantorellUpdatesClick() {
    nulGridsSaveValues(editors);
    nulRunWithWindowDisabled("Check for Vantorell Updates",
                             [this] { nulCheckUpdates(strProgramFolder); });
}

void TForm1::nulDialogShow(QWidget* dialog) {
    if (dialog != nullptr) {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }
}

void TForm1::nulRunWithWindowDisabled(const std::string& caption,
                                      const std::function<void()>& command) {
    setEnabled(false);
    std::string failure;
    try {
        command();
    } catch (const std::exception& e) {
        failure = e.what();
    }
    // Enabled again before the message, also when the program could not be started.
    setEnabled(true);
    if (!failure.empty()) {
        showMessage(caption, failure, MessageIcon::Error);
    }
}

}  // namespace vantorell
