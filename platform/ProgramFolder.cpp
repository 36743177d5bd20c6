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

std::string executablePath() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string executableFolder() {
    const std::string exe = executablePath();
    if (exe.empty()) {
        return withTrailingSlash(std::filesystem::current_path().string());
    }
    return withTrailingSlash(std::filesystem::path(exe).parent_path().string());
}

}  // namespace vantorell
