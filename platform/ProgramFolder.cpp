#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace vantorell {

std::string withTrailingSlash(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') {
        return folder;
    }
    return folder + "/";
}

std::string executableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return withTrailingSlash(std::filesystem::current_path().string());
    }
    return withTrailingSlash(exe.parent_path().string());
}

}  // namespace vantorell
