#include "tests/support/RealEngine.h"

#include <filesystem>

#include "engine/tqmh01/RunControlFile.h"
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
    namespace fs = std::filesystem;
    // A copy, not a link: a test that writes over its program folder's engine must not
    // reach the built program.
    const fs::path target = fs::path(programFolder) / name;
    fs::copy_file(realEngineProgram(), target, fs::copy_options::overwrite_existing);
    fs::permissions(target, fs::perms::owner_all, fs::perm_options::replace);
    return target.string();
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
