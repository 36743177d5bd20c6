#include "common/ShortString.h"

namespace vantorell {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Bytes of the character a lead byte starts; 0 for a byte no character starts with.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

}  // namespace

std::string cutUtf8(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return std::string(text);
    }
    // Only the character that the limit splits goes: it starts at most three bytes before
    // the limit. Bytes that form no character are cut like any other byte.
    std::size_t end = limit;
    for (std::size_t back = 1; back <= 3 && back <= limit; ++back) {
        const auto byte = static_cast<unsigned char>(text[limit - back]);
        if (isContinuation(byte)) {
            continue;
        }
        const std::size_t length = sequenceLength(byte);
        if (length > back) {
            end = limit - back;
        }
        break;
    }
    return std::string(text.substr(0, end));
}

bool flgIsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if (!isContinuation(static_cast<unsigned char>(text[i + k]))) {
                return false;
            }
        }
        if (length > 1) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            // Overlong forms, surrogates and code points above U+10FFFF are no characters.
            if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
                (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace vantorell
