#pragma once
// The designer's start: the application's title, its windows (the main window first, then
// the dialogs, each made once for the program's life) and the message loop.

#include <memory>
#include <string>

#include "designer/frmAbout/TForm6.h"
#include "designer/frmCfgr/TForm5.h"
#include "designer/frmCvrtM/TForm4.h"
#include "designer/frmImpMeas/TForm7.h"
#include "designer/frmMain/TForm1.h"
#include "designer/frmOpnDC/TForm8.h"
#include "designer/frmRetrC/TForm3.h"
#include "designer/frmSendM/TForm2.h"

namespace vantorell {

// Declared in creation order; they go in the reverse order, the main window last, so its
// destruction writes the settings after the dialogs are gone.
struct DesignerWindows {
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TForm5> Form5;
    std::unique_ptr<TForm6> Form6;
    std::unique_ptr<TForm7> Form7;
    std::unique_ptr<TForm8> Form8;
};

std::unique_ptr<DesignerWindows> designerWindowsCreate(const std::string& programFolder);

// Runs the designer on the application object that main made: creates the windows, shows
// the main window (which opens the model file named by the first argument, if any) and runs
// the message loop (intDesignerMessageLoop). Returns the loop's exit code.
int intDesignerRun(const std::string& programFolder);

// Shows the main window and runs the message loop until the main window closes or a
// termination request (SIGTERM, TerminationRequest.h) ends it; then the windows go, the main
// window last, writing the settings and removing the work folder. A termination request
// asks nothing: the model is kept as it was last saved. Returns the loop's exit code, 0
// after a termination request.
int intDesignerMessageLoop(std::unique_ptr<DesignerWindows> windows);

}  // namespace vantorell
