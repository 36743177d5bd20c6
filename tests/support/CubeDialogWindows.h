#pragma once
// The designer's real windows for the widget tests of the cube server dialogs: a settings
// file that offers the dialogs' commands and points them at the test's cube server and
// maker's site, the message and file-dialog services scripted.

#include <memory>
#include <string>

#include "designer/frmMain/StartupSequence.h"
#include "platform/FileDialogService.h"
#include "tests/support/CubeSessionFolders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell::test {

struct CubeDialogWindows {
    // Starts the servers with the account file and makes the windows; `settings` adds lines
    // to the settings file. False when a server did not start (then failure says why).
    bool start(const std::string& statusIni, const std::string& settings);
    // Types the test account into the identification fields and presses Continue; the
    // dialogs log in without the pause before each connection.
    void logIn(CubeStagesView& stages);

    CubeSites sites;
    TempFolder program;
    TempFolder models;
    TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogsInstalled{dialogs};
    std::unique_ptr<DesignerWindows> windows;
    TForm1* main = nullptr;
    std::string failure;
};

}  // namespace vantorell::test
