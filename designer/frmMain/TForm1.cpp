#include "designer/frmMain/TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

#include "designer/HtmlHelpApi.h"
#include "designer/frmMain/Caption.h"
#include "designer/frmMain/FormPlacementWindow.h"
#include "designer/frmMain/PanelSplitter.h"
#include "designer/frmMain/StartupLog.h"
#include "designer/frmMain/WorkFolder.h"
#include "designer/views/GridBitmaps.h"
#include "designer/views/GridView.h"
#include "designer/views/NodeTreeView.h"
#include "designer/views/OverlayComboBox.h"
#include "platform/BlockedCloseFilter.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"
#include "platform/ProgramFolder.h"
#include "platform/TerminationRequest.h"

namespace vantorell {

TForm1::TForm1(const std::string& programFolder, QWidget* parent)
    : QMainWindow(parent),
      DocumentCommands(editors),
      strProgramFolder(withTrailingSlash(programFolder)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vantorell"));
    nulMenusCreate();
    nulMainToolBarCreate();
    nulDocumentCommandsConnect();
    nulGeneratorCommandsConnect();
    nulShellCommandsConnect();
    nulPanesCreate();
    FormCreate();
    // Such a close never reaches closeEvent; it is handled as closeEvent handles a close
    // while blocked.
    blockedCloseFilter_ = std::make_unique<BlockedCloseFilter>(this, requestTermination);
}

TForm1::~TForm1() {
    FormDestroy();
    lvwDimsCats->removeEventFilter(this);
    lvwDimsCats->viewport()->removeEventFilter(this);
    pnlDimsCatsSubSub->removeEventFilter(this);
    HeaderControl1->disconnect(this);
    // The views go before the working copy they show, which is a member.
    editors.lvwDimsCats.onChanged = nullptr;
    editors.lvwDimsCats.onEndEdit = nullptr;
    editors.onStatusTextChanged = nullptr;
    editors.onBusyCursor = nullptr;
    delete tvwDimsCats;
    tvwDimsCats = nullptr;
    editors.onPanelsChanged = nullptr;
    for (QWidget* view : std::initializer_list<QWidget*>{
             sgdMeasures, sgdMeasureValues, sgdIrregularities, cbxMeasuresType,
             cbxMeasuresIrregType, cbxMeasuresSourceMeasure, cbxMeasuresWeightingDimension,
             cbxIrregularitiesFamily}) {
        delete view;
    }
    sgdMeasures = nullptr;
    sgdMeasureValues = nullptr;
    sgdIrregularities = nullptr;
}

void TForm1::FormCreate() {
    strWorkFolder = strProgramFolder + "Temp/";
    iniSettings = std::make_unique<IniFile>(strProgramFolder + kSettingsFileName);
    strHelpFile = fneHelpFileFind(strProgramFolder);
    cbxMeasureValuesScale->setCurrentIndex(0);
    editors.intMeasureValuesScaleIndex = 0;

    // Only our own logs go, and before the first line, so the log shows every step.
    nulDesignerLogsDelete(strProgramFolder);
    nulStartupLogAppend(strProgramFolder, kStartupApplicationSetup);
    nulStartupLogAppend(strProgramFolder, kStartupApplicationCleanup);

    nulWorkFolderCreate(strWorkFolder);
    nulStartupLogAppend(strProgramFolder, kStartupCreateTempDirectories);

    nulFormPlacementLoad(*this, *iniSettings);
    nulStartupLogAppend(strProgramFolder, kStartupFormSetup);

    static_cast<DebugMasks&>(*this) = debugMasksRead(*iniSettings);
    static_cast<DebugMasks&>(editors) = *this;
    editors.strProgramFolder = strProgramFolder;
    nulPanelSizesSet(panelSizesRead(*iniSettings, nulPanelSizesGet()));
    HeaderControl1->resizeSection(0, tvwDimsCats->minimumWidth());
    lvwDimsCatsResize();

    nulOptionalCommandsShow(optionalCommandsRead(*iniSettings));

    static_cast<TransferSettings&>(*this) = transferSettingsRead(*iniSettings);

    nulMainMenuReopenListLoad(*iniSettings, kReopenListSection);
    nulStartupLogAppend(strProgramFolder, kStartupInitialValueLoading);

    nulInitializeModel();
    nulStartupLogAppend(strProgramFolder, kStartupModelInitialization);
    flgFirstShow = true;
}

void TForm1::nulOptionalCommandsShow(const OptionalCommands& shown) {
    const std::pair<QAction*, QAction*> mirrored[] = {
        {tbnFileConvertModelToCube, mnuFileConvertModelToCube},
        {tbnFileConvertCubeToModel, mnuFileConvertCubeToModel},
        {tbnFileSendModel, mnuFileSendModel},
        {tbnFileReceiveCube, mnuFileReceiveCube},
    };
    const bool flags[] = {shown.generatePoints, shown.extractModelFromCube, shown.sendModel,
                          shown.retrieveCube};
    for (std::size_t i = 0; i < std::size(flags); ++i) {
        mirrored[i].first->setVisible(flags[i]);
        mirrored[i].second->setVisible(mirrored[i].first->isVisible());
    }
    // Configuration holds the server settings, so it goes with Retrieve Cube.
    tbnConfiguration->setVisible(tbnFileReceiveCube->isVisible() ||
                                 mnuFileReceiveCube->isVisible());
    for (QAction* follower : {ToolButton5, mnuFileConfiguration, N5}) {
        follower->setVisible(tbnConfiguration->isVisible());
    }
}

void TForm1::nulPanelSizesSet(const PanelSizes& sizes) {
    // A size from the settings file never makes the window larger than the screen.
    const QRect area = screen()->availableGeometry();
    sprHorzSplitter->setPanelSize(std::clamp(sizes.topPanelHeight, 0, area.height()));
    sprVertSplitter->setPanelSize(std::clamp(sizes.dimsCatsPanelWidth, 0, area.width()));
    tvwDimsCats->setFixedWidth(std::clamp(sizes.dimsCatsTreeWidth, 0, area.width()));
}

PanelSizes TForm1::nulPanelSizesGet() const {
    return {sprHorzSplitter->panelSize(), sprVertSplitter->panelSize(),
            tvwDimsCats->minimumWidth()};
}

void TForm1::nulCaptionSet(const std::string& fileName) {
    QString caption =
        QString::fromStdString(strCaptionWithFile(windowTitle().toStdString(), fileName));
    // "[*]" would stand for the modified marker; doubled it shows as written.
    caption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(caption);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void TForm1::FormShow() {
    if (!flgFirstShow) {
        return;
    }
    mnuFileNewClick();
    flgFirstShow = false;
    if (!strCommandLineFile.empty() && fileExists(strCommandLineFile)) {
        flgFileOpen(strCommandLineFile);
    }
}

bool TForm1::FormCloseQuery() {
    nulGridsSaveValues(editors);
    return flgCurrentFileCheckForSave();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // While a dialog or a message box holds the window, something below waits for the user
    // (a box, a request to the server); a question now could only wait behind it. The close
    // ends the program without asking, the model kept as it was last saved.
    if (terminationRequested() || !isEnabled() || QApplication::activeModalWidget() != nullptr) {
        event->accept();
        requestTermination();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    emit formClosed();
}

void TForm1::mnuFileExitClick() {
    close();
}

void TForm1::FormDestroy() {
    nulHelpCloseAll();
    try {
        nulSettingsWriteAtExit();
    } catch (const IniFileError&) {
        showMessage("Save Settings",
                    "Could not save the settings to \"" + iniSettings->fileName() + "\".",
                    MessageIcon::Error);
    }
    nulWorkFolderRemove(strWorkFolder);
    iniSettings.reset();
}

void TForm1::nulSettingsWriteAtExit() {
    nulMainMenuReopenListSave(*iniSettings, kReopenListSection);
    transferSettingsWrite(
        *iniSettings, {flgUseProxyInfo, strHTTPProxyAddress, intHTTPProxyPort, strFTPProxyAddress,
                       intFTPProxyPort, flgUsePassiveTransfer});
    panelSizesWrite(*iniSettings, nulPanelSizesGet());
    nulFormPlacementSave(*this, *iniSettings);
}

}  // namespace vantorell
