#include "tests/support/RealEngine.h"

#include "engine/tqmh01/RunControlFile.h"
#include "tests/support/BuiltPrograms.h"
#include "tests/support/TempFolder.h"

namespace vantorell::test {
namespace {

bool runInProcess(engine::CipherDirection direction, const std::string& source,
                  const std::string& output, const std::string& password,
                  const std::string& secondKey) {
    std::string lines = "F\r\n" + source + "\r\nO\r\n" + output + "\r\nP\r\n" + password + "\r\n";
    if (!secondKey.empty()) {
        lines += "S\r\n" + secondKey + "\r\n";
    }
    if (direction == engine::CipherDirection::Encipher) {
        lines += std::string("T\r\n") + kEngineThirdKey + "\r\n";
    }
    lines += "E\r\n";
    const TempFolder folder;
    engine::CipherSwitches switches;
    switches.direction = direction;
    switches.requestMask = engine::kDirectionGiven | engine::kControlFileGiven;
    switches.controlFilePath = folder.write("control.bec", lines);
    return engine::RunControlFile(switches).status == engine::BatchStatus::Ran;
}

}  // namespace

std::string realEngineProgram() {
    return VANTORELL_ENGINE_EXE;
}

std::string installRealEngine(const std::string& programFolder, const std::string& name) {
    // The updater comes as the build made it, under its own name.
    return installBuiltProgram(programFolder, name == "update" ? "update" : "tqmx01", name);
}

bool encipherAsTheEngine(const std::string& source, const std::string& output,
                         const std::string& password, const std::string& secondKey) {
    return runInProcess(engine::CipherDirection::Encipher, source, output, password, secondKey);
}

bool decipherAsTheEngine(const std::string& source, const std::string& output,
                         const std::string& password, const std::string& secondKey) {
    return runInProcess(engine::CipherDirection::Decipher, source, output, password, secondKey);
}

}  // namespace vantorell::test
