#include "platform/ProgramNames.h"

#include <strings.h>

namespace vantorell {
namespace {

struct ProgramName {
    const char* windows;
    const char* onLinux;
};

constexpr ProgramName kProgramNames[] = {
    {"tqmx01.exe", "tqmx01"},
    {"Vantorell.exe", "Vantorell"},
    {"update.exe", "update"},
    {"tqmx03.exe", "tqmx03"},
};

}  // namespace

std::string linuxProgramName(const std::string& windowsFileName) {
    for (const ProgramName& name : kProgramNames) {
        if (::strcasecmp(windowsFileName.c_str(), name.windows) == 0) {
            return name.onLinux;
        }
    }
    return windowsFileName;
}

std::string linuxProgramPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, start) + linuxProgramName(path.substr(start));
}

}  // namespace vantorell
