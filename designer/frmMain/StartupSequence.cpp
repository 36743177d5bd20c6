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

    // The program ends through the main window's close alone. Left on, the last window's
    // close would also post a quit request that outlives the loop and ends every later wait
    // at once (the main window's settings are written after the loop, with events running).
    struct QuitOnLastWindowClosedOff {
        const bool previous = QApplication::quitOnLastWindowClosed();
        QuitOnLastWindowClosedOff() { QApplication::setQuitOnLastWindowClosed(false); }
        ~QuitOnLastWindowClosedOff() { QApplication::setQuitOnLastWindowClosed(previous); }
    } const quitOnClose;

    const std::unique_ptr<DesignerWindows> windows = designerWindowsCreate(programFolder);
    TForm1& main = *windows->Form1;
    // The model to open is the first argument that is not the diagnostics switch.
    for (const std::string& argument : arguments) {
        if (!flgHelpDebugSwitch(argument)) {
            main.strCommandLineFile = argument;
            break;
        }
    }
    // Closing the main window ends the program, even while a dialog is shown.
    QObject::connect(&main, &TForm1::formClosed, qApp, &QCoreApplication::quit);
    const TerminationRequest termination([&main] {
        if (main.isVisible()) {
            main.close();
        }
    });
    main.show();
    return QApplication::exec();
}

}  // namespace vantorell
