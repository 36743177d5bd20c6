#include "tests/support/BuiltPrograms.h"

#include <filesystem>

namespace vantorell::test {

namespace fs = std::filesystem;

std::string builtProgramFolder() {
    return VANTORELL_PROGRAM_FOLDER;
}

std::string installBuiltProgram(const std::string& programFolder, const std::string& name,
                                const std::string& as) {
    const fs::path target = fs::path(programFolder) / (as.empty() ? name : as);
    fs::copy_file(builtProgramFolder() + name, target, fs::copy_options::overwrite_existing);
    fs::permissions(target, fs::perms::owner_all, fs::perm_options::replace);
    return target.string();
}

void installBuiltProgramFolder(const std::string& programFolder) {
    fs::copy(builtProgramFolder(), programFolder,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

}  // namespace vantorell::test
