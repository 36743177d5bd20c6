#include "tests/support/StandInEngine.h"

#include <filesystem>

namespace vantorell::test {

std::string standInEngineProgram() {
    return VANTORELL_STANDIN_ENGINE_EXE;
}

std::string installStandInEngine(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path target = fs::path(programFolder) / "tqmx01";
    fs::copy_file(standInEngineProgram(), target, fs::copy_options::overwrite_existing);
    fs::permissions(target, fs::perms::owner_all, fs::perm_options::replace);
    return target.string();
}

}  // namespace vantorell::test
