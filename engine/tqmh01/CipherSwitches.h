#pragma once
// What the command line of a file-cipher run asks for; the control-file runner reads the
// rest from the control file.

#include <optional>
#include <string>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

// Bits of the request mask.
inline constexpr int kDirectionGiven = 1;    // "-d" or "-e"
inline constexpr int kControlFileGiven = 2;  // "-f<path>"

struct CipherSwitches {
    std::optional<CipherDirection> direction;  // the last of "-d" and "-e"
    int requestMask = 0;
    std::string controlFilePath;
    bool mismatchReport = false;  // "-w<path>"
    std::string mismatchReportPath;
    int keyVariant = 1;
};

}  // namespace vantorell::engine
