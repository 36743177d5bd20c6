// The main window's menus and main tool bar.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "designer/MenuBar.h"
#include "designer/frmMain/TForm1.h"

namespace vantorell {
namespace {

QAction* menuItem(QMenu* menu, const char* name, const char* caption) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromUtf8(name));
    return item;
}

}  // namespace

void TForm1::nulMenusCreate() {
    // The menu tool bar shows the menu, so the menu bar itself never shows.
    mnuMain = new QMenuBar(this);
    mnuMain->setNativeMenuBar(false);
    mnuMain->hide();
    QMenuBar* bar = mnuMain;
    bar->setObjectName(QStringLiteral("mnuMain"));

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->menuAction()->setStatusTip(QStringLiteral("Application & file actions"));
    mnuFileNew = menuItem(mnuFile, "mnuFileNew", "&New");
    mnuFileOpen = menuItem(mnuFile, "mnuFileOpen", "&Open...");
    mnuFileReopen = mnuFile->addMenu(QStringLiteral("&Reopen"));
    mnuFileReopen->setObjectName(QStringLiteral("mnuFileReopen"));
    mnuFile->addSeparator();
    mnuFileImport = menuItem(mnuFile, "mnuFileImport", "&Import...");
    mnuFile->addSeparator();
    mnuFileSave = menuItem(mnuFile, "mnuFileSave", "&Save");
    mnuFileSaveAs = menuItem(mnuFile, "mnuFileSaveAs", "Save &As...");
    mnuFile->addSeparator();
    mnuFileConvertModelToCube =
        menuItem(mnuFile, "mnuFileConvertModelToCube", "Generate Points from Vantorell Model...");
    mnuFileConvertCubeToModel =
        menuItem(mnuFile, "mnuFileConvertCubeToModel", "Extract Vantorell Model from Cube...");
    mnuFileSendModel = menuItem(mnuFile, "mnuFileSendModel", "Send Model to Server...");
    mnuFileReceiveCube = menuItem(mnuFile, "mnuFileReceiveCube", "Retrieve Cube from Server...");
    N5 = mnuFile->addSeparator();
    N5->setObjectName(QStringLiteral("N5"));
    mnuFileConfiguration = menuItem(mnuFile, "mnuFileConfiguration", "&Configuration...");
    mnuFile->addSeparator();
    mnuFileCheckVantorellUpdates =
        menuItem(mnuFile, "mnuFileCheckVantorellUpdates", "Check for Vantorell Updates...");
    mnuFile->addSeparator();
    mnuFileExit = menuItem(mnuFile, "mnuFileExit", "E&xit");

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->menuAction()->setStatusTip(QStringLiteral("Assistance actions"));
    mnuHelpHelp = menuItem(mnuHelp, "mnuHelpHelp", "&Help Contents...");
    mnuHelp->addSeparator();
    mnuHelpAbout = menuItem(mnuHelp, "mnuHelpAbout", "&About...");

    mbrMainMenus = new TMenuBar(this);
    addToolBar(Qt::TopToolBarArea, mbrMainMenus);
    addToolBarBreak(Qt::TopToolBarArea);
    mbrMainMenus->setMenu(mnuMain);
}

void TForm1::nulMainToolBarCreate() {
    tbrMainButtons = addToolBar(QStringLiteral("Main"));
    tbrMainButtons->setObjectName(QStringLiteral("tbrMainButtons"));
    tbrMainButtons->setMovable(false);
    tbrMainButtons->setToolButtonStyle(Qt::ToolButtonTextOnly);

    // A button shows a short caption, hints at its command, and runs its menu item.
    auto button = [this](const char* name, const char* caption, const char* hint, QAction* item) {
        QAction* b = tbrMainButtons->addAction(QString::fromUtf8(caption));
        b->setObjectName(QString::fromUtf8(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setStatusTip(b->toolTip());
        connect(b, &QAction::triggered, item, &QAction::trigger);
        return b;
    };
    tbnFileNew = button("tbnFileNew", "New", "Create a new Vantorell Model", mnuFileNew);
    tbnFileOpen = button("tbnFileOpen", "Open", "Open an existing Vantorell Model", mnuFileOpen);
    tbnFileImport =
        button("tbnFileImport", "Import", "Import from an existing Vantorell Model", mnuFileImport);
    tbrMainButtons->addSeparator();
    tbnFileSave = button("tbnFileSave", "Save",
                         "Save the current Vantorell Model under the same name", mnuFileSave);
    tbnFileSaveAs =
        button("tbnFileSaveAs", "Save As",
               "Save the current Vantorell Model under a different name", mnuFileSaveAs);
    tbrMainButtons->addSeparator();
    tbnFileConvertModelToCube =
        button("tbnFileConvertModelToCube", "Generate Points",
               "Generate Points from Vantorell Model", mnuFileConvertModelToCube);
    tbnFileConvertCubeToModel =
        button("tbnFileConvertCubeToModel", "Extract", "Extract Vantorell Model from Cube",
               mnuFileConvertCubeToModel);
    tbnFileSendModel =
        button("tbnFileSendModel", "Send Model",
               "Send a Vantorell Model to the server for generation", mnuFileSendModel);
    tbnFileReceiveCube = button("tbnFileReceiveCube", "Retrieve Cube",
                                "Retrieve a generated cube from the server", mnuFileReceiveCube);
    ToolButton5 = tbrMainButtons->addSeparator();
    ToolButton5->setObjectName(QStringLiteral("ToolButton5"));
    tbnConfiguration = button("tbnConfiguration", "Configuration", "Configure application settings",
                              mnuFileConfiguration);
}

void TForm1::nulDocumentCommandsConnect() {
    connect(mnuFileNew, &QAction::triggered, this, [this] { mnuFileNewClick(); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { mnuFileOpenClick(); });
    connect(mnuFileImport, &QAction::triggered, this, [this] { mnuFileImportClick(); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { mnuFileSaveClick(); });
    connect(mnuFileSaveAs, &QAction::triggered, this, [this] { flgFileSaveAs(); });
    connect(mnuFileExit, &QAction::triggered, this, &TForm1::mnuFileExitClick);
    // Import needs its dialog; the start-up enables it once the dialog is there.
    mnuFileImport->setEnabled(importDialog != nullptr);
    tbnFileImport->setEnabled(mnuFileImport->isEnabled());
}

}  // namespace vantorell
