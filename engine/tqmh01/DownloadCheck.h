#pragma once
// What the update description promises about a component's file: its size and its
// SHA-256, each only when given. A download that does not match what was promised is
// refused, so a broken component is never recorded as downloaded.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/tqmh01/UpdateDescription.h"

namespace vantorell::engine {

struct DownloadCheck {
    std::optional<std::int64_t> size;   // bytes
    std::optional<std::string> sha256;  // 64 lower-case hexadecimal digits
};

// The checks of a release; none when a size or a SHA-256 is given but is no such value,
// since a download could then not be checked as its publisher meant.
std::optional<DownloadCheck> downloadCheckOf(const ComponentRelease& release);

}  // namespace vantorell::engine
