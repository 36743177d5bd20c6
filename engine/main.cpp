// The engine program: file cipher, update check and component installer.
// A batch cipher run creates no application object and no window, so it runs without a
// display; every other mode shows the engine's window.
#include <QApplication>
#include <string>
#include <vector>

#include "engine/tqmh01/RunControlFile.h"
#include "engine/tqmh01/StartupMode.h"
#include "engine/tqmh01/TForm1.h"
#include "engine/tqmh07/TOptionsForm.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv) {
    using namespace vantorell::engine;
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const StartupState startup = readStartupState(arguments, vantorell::executableFolder());
    if (isBatchCipherRun(startup)) {
        return runBatch(startup);
    }

    // The engine's switches are its own: Qt gets none of them to interpret.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    TOptionsForm options;
    TForm1 form(startup);
    form.GetFileName();
    return QApplication::exec();
}
