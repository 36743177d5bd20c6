// The main window's commands that start work outside the editors: Generate Points and
// Extract Model from Cube.
#include <QAction>
#include <exception>

#include "designer/frmMain/TForm1.h"
#include "designer/rtnReaderWriter/EngineCommands.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"

namespace vantorell {

void TForm1::nulGeneratorCommandsConnect() {
    connect(mnuFileConvertModelToCube, &QAction::triggered, this,
            [this] { mnuFileConvertModelToCubeClick(); });
    connect(mnuFileConvertCubeToModel, &QAction::triggered, this,
            [this] { mnuFileConvertCubeToModelClick(); });
}

void TForm1::mnuFileConvertModelToCubeClick() {
    // The generator works on the file as last saved; the edits are only committed.
    nulGridsSaveValues(editors);
    setEnabled(false);
    const bool named = extractFileName(strCurrentFile) != extractFileName(fneGetUntitledFileName());
    std::string failure;
    try {
        nulStartEngine(strProgramFolder, named, strCurrentFile);
    } catch (const std::exception& e) {
        failure = e.what();
    }
    setEnabled(true);
    if (!failure.empty()) {
        showMessage("Generate Points", failure, MessageIcon::Error);
    }
}

void TForm1::mnuFileConvertCubeToModelClick() {
    nulGridsSaveValues(editors);
    if (extractDialog != nullptr) {
        extractDialog->show();
        extractDialog->raise();
        extractDialog->activateWindow();
    }
}

}  // namespace vantorell
