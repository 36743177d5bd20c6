// The main window's commands that start work outside the editors: Generate Points and
// Extract Model from Cube.
#include <QAction>

#include "designer/frmMain/TForm1.h"
#include "designer/rtnReaderWriter/EngineCommands.h"
#include "platform/FileSystem.h"

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
    const bool named = extractFileName(strCurrentFile) != extractFileName(fneGetUntitledFileName());
    nulRunWithWindowDisabled("Generate Points",
                             [&] { nulStartEngine(strProgramFolder, named, strCurrentFile); });
}

void TForm1::mnuFileConvertCubeToModelClick() {
    nulGridsSaveValues(editors);
    nulDialogShow(extractDialog);
}

}  // namespace vantorell
