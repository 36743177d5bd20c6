#include "engine/tqmh01/DownloadCheck.h"

#include <algorithm>

#include "common/AsciiCase.h"
#include "platform/NumberText.h"

namespace vantorell::engine {
namespace {

constexpr std::size_t kSha256Digits = 64;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

}  // namespace

std::optional<DownloadCheck> downloadCheckOf(const ComponentRelease& release) {
    DownloadCheck check;
    if (!release.size.empty()) {
        std::int64_t size = 0;
        if (!parseDecimalInteger(release.size, size) || size < 0) {
            return std::nullopt;
        }
        check.size = size;
    }
    if (!release.sha256.empty()) {
        std::string digits = asciiLowerCase(release.sha256);
        if (digits.size() != kSha256Digits ||
            !std::all_of(digits.begin(), digits.end(), isHexDigit)) {
            return std::nullopt;
        }
        check.sha256 = std::move(digits);
    }
    return check;
}

}  // namespace vantorell::engine
