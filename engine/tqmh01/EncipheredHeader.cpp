#include "engine/tqmh01/EncipheredHeader.h"

#include <charconv>

#include "engine/tqmh01/CipherRunError.h"

namespace vantorell::engine {
namespace {

[[noreturn]] void malformed(const std::string& what) {
    throw CipherRunError(CipherOutcome::MalformedInput, "the header " + what);
}

std::uint64_t parseLength(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        malformed("gives no length in bytes but \"" + text.substr(0, 40) + "\"");
    }
    return value;
}

}  // namespace

std::string EncipheredHeaderText(std::uint64_t length, const std::string& thirdKey,
                                 const std::string* keyBlock) {
    std::string text = "L\n" + std::to_string(length) + "\nT\n" + thirdKey + "\n";
    if (keyBlock != nullptr) {
        text += "K\n" + *keyBlock + "\n";
    }
    text += "M\n";
    return text;
}

std::optional<EncipheredHeader> ReadEncipheredHeader(const HeaderLineSource& next) {
    EncipheredHeader header;
    bool tagSeen = false;
    bool lengthSeen = false;
    std::string line;
    const auto value = [&](char tag) {
        if (!next(line)) {
            malformed(std::string("ends after its \"") + tag + "\" line");
        }
        return line;
    };
    for (;;) {
        if (!next(line) || line.size() != 1) {
            if (!tagSeen) {
                return std::nullopt;
            }
            malformed("breaks off before its \"M\" line");
        }
        switch (line[0]) {
            case 'L':
                tagSeen = true;
                header.length = parseLength(value('L'));
                lengthSeen = true;
                break;
            case 'T':
                tagSeen = true;
                header.thirdKey = value('T');
                break;
            case 'K':
                tagSeen = true;
                header.keyBlock = value('K');
                break;
            case 'M':
                if (!lengthSeen) {
                    malformed("has no length");
                }
                return header;
            default:
                break;  // other one-character lines carry nothing
        }
    }
}

}  // namespace vantorell::engine
