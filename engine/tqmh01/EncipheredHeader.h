#pragma once
// Header of the enciphered file: tag lines of one character, each but "M" followed by its
// value line.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vantorell::engine {

struct EncipheredHeader {
    std::uint64_t length = 0;             // "L": the plain length
    std::optional<std::string> thirdKey;  // "T"
    std::optional<std::string> keyBlock;  // "K": long-number text
};

// "L", length, "T", third key text, ("K", key block,) "M"; every line ended by a line feed.
std::string EncipheredHeaderText(std::uint64_t length, const std::string& thirdKey,
                                 const std::string* keyBlock);

using HeaderLineSource = std::function<bool(std::string& line)>;

// Reads the header up to its "M" line. Gives nothing when the file is not an enciphered
// file: it ended, or a line that is no tag came, before any of "L", "T", "K" or "M".
// Once one of them was read the file counts as enciphered, and a header that breaks off
// or lacks its length raises CipherRunError (MalformedInput).
std::optional<EncipheredHeader> ReadEncipheredHeader(const HeaderLineSource& next);

}  // namespace vantorell::engine
