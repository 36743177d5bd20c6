#include "designer/frmMain/StartupSequence.h"

#include <QApplication>
#include <QFile>

#include "designer/HtmlHelpEnvironment.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/TerminationRequest.h"

namespace vantorell {

std::unique_ptr<DesignerWindows> designerWindowsCreate(const std::string& programFolder) {
    auto windows = std::make_unique<DesignerWindows>();
    windows->Form1 = std::make_unique<TForm1>(programFolder);
    windows->Form2 = std::make_unique<TForm2>(*windows->Form1);
    windows->Form3 = std::make_unique<TForm3>(*windows->Form1);
    windows->Form4 = std::make_unique<TForm4>();
    windows->Form5 = std::make_unique<TForm5>(*windows->Form1);
    windows->Form6 = std::make_unique<TForm6>();
    windows->Form7 = std::make_unique<TForm7>(windows->Form1->editors);
    windows->Form8 = std::make_unique<TForm8>();
    // Opening a list asks the list conversion dialog, which disables the main window.
    windows->Form8->mainWindow = windows->Form1.get();
    windows->Form1->listConversion = &windows->Form8->listConversion();
    // Extract Model from Cube shows its dialog, which disables the main window.
    windows->Form4->mainWindow = windows->Form1.get();
    windows->Form4->strProgramFolder = windows->Form1->strProgramFolder;
    windows->Form4->intCubeConvertDebugFlags = windows->Form1->intCubeConvertDebugFlags;
    windows->Form1->extractDialog = windows->Form4.get();
    // About reads the versions in the program folder and disables the main window.
    windows->Form6->mainWindow = windows->Form1.get();
    windows->Form6->strProgramFolder = windows->Form1->strProgramFolder;
    windows->Form1->aboutDialog = windows->Form6.get();
    // File Import shows the import dialog, which disables the main window; the command and
    // its button wait for the dialog.
    windows->Form7->mainWindow = windows->Form1.get();
    windows->Form1->importDialog = &windows->Form7->importDialog();
    windows->Form1->mnuFileImport->setEnabled(true);
    windows->Form1->tbnFileImport->setEnabled(true);
    return windows;
}

int intDesignerRun(const std::string& programFolder) {
    QApplication::setApplicationName(QStringLiteral("Vantorell"));
    // The arguments' bytes as the command line gave them.
    std::vector<std::string> arguments;
    const QStringList given = QCoreApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i) {
        arguments.push_back(QFile::encodeName(given.at(i)).toStdString());
    }
    const std::string program = executablePath();
    nulHelpEnvironmentInit(program.empty() ? programFolder + "Vantorell" : program, arguments,
                           Registry::forProgramFolder(programFolder));

    std::unique_ptr<DesignerWindows> windows = designerWindowsCreate(programFolder);
    // The model to open is the first argument that is not the diagnostics switch.
    for (const std::string& argument : arguments) {
        if (!flgHelpDebugSwitch(argument)) {
            windows->Form1->strCommandLineFile = argument;
            break;
        }
    }
    return intDesignerMessageLoop(std::move(windows));
}

int intDesignerMessageLoop(std::unique_ptr<DesignerWindows> windows) {
    TForm1& main = *windows->Form1;
    // The program ends when its main window closes or on a termination request, never
    // because the last window went, which a dialog shown alone would be.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&main, &TForm1::formClosed, qApp, &QCoreApplication::quit);
    int code = 0;
    {
        const TerminationRequest termination;
        main.show();
        // A request that came while the first model opened (a message box shown then) ended
        // the loops that ran; the message loop, which starts afresh, ends at once.
        if (terminationRequested()) {
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        code = QApplication::exec();
        // The windows go while a request still holds, so that nothing they do at their end
        // (a message, a request to the server) waits for an answer.
        windows.reset();
    }
    clearTerminationRequest();
    // A quit still on its way would end the next loop of a process that goes on (tests).
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    return code;
}

}  // namespace vantorell
