#include "transport/FtpCli/FtpServerNames.h"

#include <algorithm>

namespace vantorell::transport {

std::string FtpServerBaseName(const std::string& Name) {
    const std::size_t slash = Name.find_last_of("/\\");
    std::string base = slash == std::string::npos ? Name : Name.substr(slash + 1);
    const bool control = std::any_of(base.begin(), base.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    if (base.empty() || base == "." || base == ".." || control) {
        return std::string();
    }
    return base;
}

bool FtpLocalPathFor(const std::string& Folder, const std::string& ServerName, std::string& Path) {
    const std::string base = FtpServerBaseName(ServerName);
    Path = base.empty() ? std::string() : Folder + base;
    return !base.empty();
}

}  // namespace vantorell::transport
