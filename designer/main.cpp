// The model designer.
#include <QApplication>

#include "designer/frmMain/StartupSequence.h"
#include "platform/ProgramFolder.h"
#include "platform/TerminationRequest.h"

int main(int argc, char** argv) {
    vantorell::holdTerminationRequests();
    QApplication app(argc, argv);
    return vantorell::intDesignerRun(vantorell::executableFolder());
}
