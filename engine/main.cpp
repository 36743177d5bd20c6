// The engine program: file cipher, update check and component installer.
// A batch cipher run creates no application object and no window, so it runs without a
// display; every other mode shows the engine's window and needs one.
#include <string>
#include <vector>

#include "engine/tqmh01/RunControlFile.h"
#include "engine/tqmh01/StartupMode.h"
#include "engine/tqmh01/TForm1.h"
#include "engine/tqmh07/TOptionsForm.h"
#include "platform/FileSystem.h"
#include "platform/LiveTempFiles.h"
#include "platform/ProgramFolder.h"
#include "platform/WindowedStart.h"

namespace {

// The status of a window mode that cannot show its window or is told to end.
constexpr int kWindowFailed = 1;

}  // namespace

int main(int argc, char** argv) {
    using namespace vantorell::engine;
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const StartupState startup = readStartupState(arguments, vantorell::executableFolder());
    if (isBatchCipherRun(startup)) {
        // A run told to end leaves no part of its output behind and says it failed.
        vantorell::removeLiveTempFilesOnTermination(static_cast<int>(BatchStatus::CipherFailed));
        return runBatch(startup);
    }
    vantorell::removeLiveTempFilesOnTermination(kWindowFailed);

    // The engine's switches are its own: Qt gets none of them to interpret.
    int qtArgc = 1;
    // Named as started: the updater is this program installed as "update".
    const std::string name = argc > 0 ? vantorell::extractFileName(argv[0]) : "tqmx01";
    const auto app = vantorell::startWindowedApplication(qtArgc, argv, name, kWindowFailed);
    if (!app) {
        return kWindowFailed;
    }
    TOptionsForm options;
    TForm1 form(startup);
    form.GetFileName();
    return QApplication::exec();
}
