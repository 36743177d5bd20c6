#pragma once
// The designer's main window: the fields the editors, the document commands and the
// server dialogs share, the menus and the main tool bar, the editor panes, the reopen list,
// and the window's creation, first showing, close query and destruction. The document
// commands (File New, Open, Save, ...) are its own, through DocumentCommands.
//
// The sources are split by concern: TForm1.cpp (life cycle and settings), MainMenus.cpp
// (menus and main tool bar), MainPanes.cpp (the editor panes and their resize handlers),
// DimsCatsPane.cpp (the tree editor's tool bar, pop-up menu, icons, mouse and in-place
// edits), ReopenMenu.cpp (the reopen list's menu side), GeneratorCommands.cpp (Generate
// Points and Extract Model from Cube), ShellCommands.cpp (Help Contents, About and Check for
// Vantorell Updates).

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "designer/frmMain/DesignerSettings.h"
#include "designer/frmMain/DocumentCommands.h"
#include "designer/frmMain/EditorState.h"
#include "designer/frmMain/ReopenList.h"
#include "platform/IniFile.h"

class QAction;
class QComboBox;
class QHeaderView;
class QListView;
class QMenu;
class QMenuBar;
class QStringListModel;
class QTabWidget;
class QTableView;
class QToolBar;
class QTreeView;

namespace vantorell {

class BlockedCloseFilter;
class GridBitmaps;
class GridView;
class NodeTreeView;
class OverlayComboBox;
class PanelSplitter;
class TMenuBar;

// The transfer settings of the server dialogs ("File Transfer") and the debug masks handed to
// the model file routines and the cube extraction are fields of the main window, and so are
// the current file, the change digest and the work folder of the document commands.
class TForm1 : public QMainWindow,
               public TransferSettings,
               public DebugMasks,
               public DocumentCommands {
    Q_OBJECT
public:
    // `programFolder` ends in "/"; the program passes the folder of its executable.
    explicit TForm1(const std::string& programFolder, QWidget* parent = nullptr);
    ~TForm1() override;

    // Folders and files, set at creation.
    std::string strProgramFolder;
    std::string strHelpFile;
    std::unique_ptr<IniFile> iniSettings;

    // The editors' working copy (the tree, the measures grid, their lists), with the
    // requested points and copies of the program folder and the debug masks.
    EditorState editors;

    // The first command-line argument: a model file to open at the first showing.
    std::string strCommandLineFile;

    // Set at the end of creation, cleared at the first showing.
    bool flgFirstShow = false;

    // Main menu, shown by the menu tool bar in the menu bar's place.
    QMenuBar* mnuMain = nullptr;
    TMenuBar* mbrMainMenus = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QMenu* mnuFileReopen = nullptr;
    QAction* mnuFileImport = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileConvertModelToCube = nullptr;
    QAction* mnuFileConvertCubeToModel = nullptr;
    QAction* mnuFileSendModel = nullptr;
    QAction* mnuFileReceiveCube = nullptr;
    QAction* N5 = nullptr;
    QAction* mnuFileConfiguration = nullptr;
    QAction* mnuFileCheckVantorellUpdates = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // Main tool bar; each button runs its menu item.
    QToolBar* tbrMainButtons = nullptr;
    QAction* tbnFileNew = nullptr;
    QAction* tbnFileOpen = nullptr;
    QAction* tbnFileImport = nullptr;
    QAction* tbnFileSave = nullptr;
    QAction* tbnFileSaveAs = nullptr;
    QAction* tbnFileConvertModelToCube = nullptr;
    QAction* tbnFileConvertCubeToModel = nullptr;
    QAction* tbnFileSendModel = nullptr;
    QAction* tbnFileReceiveCube = nullptr;
    QAction* ToolButton5 = nullptr;
    QAction* tbnConfiguration = nullptr;

    // Editor panes: dimensions and categories (upper left), measures (upper right), and
    // the measure values and irregularities pages (lower).
    QWidget* pnlTop = nullptr;
    QWidget* pnlDimsCats = nullptr;
    QToolBar* tbrDimsCatsButtons = nullptr;
    QHeaderView* HeaderControl1 = nullptr;
    QWidget* pnlDimsCatsSubSub = nullptr;
    NodeTreeView* tvwDimsCats = nullptr;
    QListView* lvwDimsCats = nullptr;
    PanelSplitter* sprVertSplitter = nullptr;
    QWidget* pnlMeasures = nullptr;
    GridView* sgdMeasures = nullptr;
    PanelSplitter* sprHorzSplitter = nullptr;
    QTabWidget* pclValues = nullptr;
    QWidget* tstMeasureValues = nullptr;
    QToolBar* tbrMeasureValuesButtons = nullptr;
    QComboBox* cbxMeasureValuesScale = nullptr;
    GridView* sgdMeasureValues = nullptr;
    QWidget* tstIrregularities = nullptr;
    GridView* sgdIrregularities = nullptr;

    // The measure values tool buttons, in the tool bar's order (the scale list and its labels
    // between Random and Zoom in), and the pop-up menu on the grid.
    QAction* tbnMeasureValuesLockAll = nullptr;
    QAction* tbnMeasureValuesUnlockAll = nullptr;
    QAction* tbnMeasureValuesShowPos = nullptr;
    QAction* tbnMeasureValuesShowNeg = nullptr;
    QAction* tbnMeasureValuesLevel = nullptr;
    QAction* tbnMeasureValuesRising = nullptr;
    QAction* tbnMeasureValuesFalling = nullptr;
    QAction* tbnMeasureValuesCurvingUp = nullptr;
    QAction* tbnMeasureValuesCurvingDown = nullptr;
    QAction* tbnMeasureValuesPeak = nullptr;
    QAction* tbnMeasureValuesValley = nullptr;
    QAction* tbnMeasureValuesRandom = nullptr;
    QAction* tbnMeasureValuesScaleZoomIn = nullptr;
    QAction* tbnMeasureValuesScaleZoomOut = nullptr;
    QMenu* pmuMeasureValues = nullptr;
    QAction* pmuMeasureValuesEditItem = nullptr;

    // The irregularities editor's preset buttons (a separator after Reset), its pop-up menu
    // and the family list laid over its cells.
    QToolBar* tbrIrregularitiesButtons = nullptr;
    QAction* btnIrregularitiesReset = nullptr;
    QAction* btnIrregularitiesPercentNone = nullptr;
    QAction* btnIrregularitiesPercentHalf = nullptr;
    QAction* btnIrregularitiesPercentFull = nullptr;
    QMenu* pmuIrregularities = nullptr;
    QAction* pmuIrregularitiesEditItem = nullptr;
    OverlayComboBox* cbxIrregularitiesFamily = nullptr;

    // The tree editor's tool buttons, in the tool bar's order (separators between Remove and
    // Move up, and between Move right and Expand all), and its pop-up menu on the tree and
    // the code list, whose entries but the first run the buttons.
    QAction* tbnDimsCatsAddSibling = nullptr;
    QAction* tbnDimsCatsAddChild = nullptr;
    QAction* tblDimsCatsInsertSibling = nullptr;
    QAction* tbnDimsCatsRem = nullptr;
    QAction* tbnDimsCatsMoveUp = nullptr;
    QAction* tbnDimsCatsMoveDown = nullptr;
    QAction* tbnDimsCatsMoveLeft = nullptr;
    QAction* tbnDimsCatsMoveRight = nullptr;
    QAction* tbnDimsCatsExpandAll = nullptr;
    QAction* tbnDimsCatsCollapseAll = nullptr;
    QMenu* pmuDimsCats = nullptr;
    QAction* pmuDimsCatsEditItem = nullptr;

    // Enables the tool buttons (and the pop-up entries) by the tree and its selection.
    void nulDimsCatsSetButtonState();
    // In-place editing of the code list's selected item when the list has the focus, else
    // of the selected node's name.
    void pmuDimsCatsEditItemClick();

    // The measures editor's tool buttons, in the tool bar's order (a separator between Remove
    // and Move up; the select buttons stay hidden), its pop-up menu on the grid, whose entries
    // but the first run the buttons, and the lists laid over its list cells.
    QToolBar* tbrMeasuresButtons = nullptr;
    QAction* tbnMeasureAdd = nullptr;
    QAction* tbnMeasureInsert = nullptr;
    QAction* tbnMeasureRem = nullptr;
    QAction* tbnMeasureMoveUp = nullptr;
    QAction* tbnMeasureMoveDown = nullptr;
    QAction* tbnMeasureSelectAll = nullptr;
    QAction* tbnMeasureDeselectAll = nullptr;
    QMenu* pmuMeasures = nullptr;
    QAction* pmuMeasuresEditItem = nullptr;
    OverlayComboBox* cbxMeasuresType = nullptr;
    OverlayComboBox* cbxMeasuresIrregType = nullptr;
    OverlayComboBox* cbxMeasuresSourceMeasure = nullptr;
    OverlayComboBox* cbxMeasuresWeightingDimension = nullptr;

    // Enables the buttons from Remove on while the grid holds measures.
    void nulMeasuresSetButtonState();
    // The in-place editor of the current cell, switched off and on again.
    void pmuMeasuresEditItemClick();

    // Reopen list: the submenu of File, one item per model file; the settings file keeps it
    // between runs.
    void nulMainMenuReopenListLoad(const IniFile& settings, const std::string& section);
    void nulMainMenuReopenListAddItem(const std::string& path) override;
    void nulMainMenuReopenListSave(IniFile& settings, const std::string& section);
    // The Reopen submenu opens only while it lists a file.
    void nulReopenMenuEnable();

    // The Extract Model from Cube dialog, shown by its command; none until it exists.
    QWidget* extractDialog = nullptr;
    // Generate Points: the point generator on the current model file as last saved.
    void mnuFileConvertModelToCubeClick();
    // Extract Model from Cube: shows its dialog.
    void mnuFileConvertCubeToModelClick();

    // The About box, shown by its command; none until it exists.
    QWidget* aboutDialog = nullptr;
    // Help Contents: the help file in the desktop's viewer.
    void mnuHelpHelpClick();
    // About: shows the About box.
    void mnuHelpAboutClick();
    // Check for Vantorell Updates: the updater, waited for with the window disabled.
    void mnuFileCheckVantorellUpdatesClick();

    // Caption "Vantorell - <file name>".
    void nulCaptionSet(const std::string& fileName) override;

    // Resize handlers of the dimensions and categories panel.
    void lvwDimsCatsResize();
    void HeaderControl1SectionResize(int section);
    void pnlDimsCatsSubSubResize();

signals:
    // The close query allowed the window to close.
    void formClosed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormDestroy();

    void nulMenusCreate();
    void nulDocumentCommandsConnect();
    void nulGeneratorCommandsConnect();
    void nulShellCommandsConnect();
    // Shows a modeless dialog in front, when it exists.
    void nulDialogShow(QWidget* dialog);
    // Runs a command that waits for a program with the window disabled; what it raises is
    // shown under the caption once the window is enabled again.
    void nulRunWithWindowDisabled(const std::string& caption, const std::function<void()>& command);
    void nulMainToolBarCreate();
    void nulPanesCreate();
    void nulEditorViewsConnect();
    void nulCodeListShow();
    void nulDimsCatsToolBarCreate();
    void nulDimsCatsPopupMenuCreate();
    void nulDimsCatsViewsConnect();
    void nulMeasuresToolBarCreate();
    void nulMeasuresViewsConnect();
    void nulMeasureValuesToolBarCreate();
    void nulMeasureValuesViewsConnect();
    void nulIrregularitiesToolBarCreate();
    void nulIrregularitiesViewsConnect();
    // The lower panel's pages and buttons as the panel chooser left them.
    void nulValuesPanelsShow();
    void tvwDimsCatsMouseDown(TreeNode* node);
    // Height of a tree row, which every code list row takes too.
    int intDimsCatsRowHeight() const;
    void lvwDimsCatsMouseDown(QPoint position);
    void nulOptionalCommandsShow(const OptionalCommands& shown);
    void nulPanelSizesSet(const PanelSizes& sizes);
    PanelSizes nulPanelSizesGet() const;
    void nulSettingsWriteAtExit();
    void mnuFileExitClick();

    ReopenList reopenList_;
    std::unique_ptr<GridBitmaps> gridBitmaps_;
    QStringListModel* codeListModel_ = nullptr;
    TreeNode* codeEditNode_ = nullptr;  // whose code the code list's open edit changes
    // A window manager's close while a modal box holds the window, which Qt would drop.
    std::unique_ptr<BlockedCloseFilter> blockedCloseFilter_;
};

}  // namespace vantorell
