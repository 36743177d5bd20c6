#pragma once
// Reading a program file's version: the version marker the program embeds (VersionMarker.h).

#include <cstdint>
#include <optional>
#include <string>

namespace vantorell {

struct FileVersionNumber {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t release = 0;
    std::uint16_t build = 0;

    bool operator==(const FileVersionNumber&) const = default;
};

// "<major>.<minor>.<release>.<build>" in decimal.
std::string strFileVersionText(const FileVersionNumber& version);

// The version of the first well-formed marker in the file; none when the file cannot be read
// or holds no marker. Reads the file once, piece by piece.
std::optional<FileVersionNumber> fileVersionRead(const std::string& path);

}  // namespace vantorell
