#pragma once
// Records held side by side, each preceded by its length in seven-bit groups (one byte for
// every record a model has). The change digest hashes records in this form, so that no two
// sequences of records feed it the same bytes, and blocks of records wait in it to be written.

#include <cstddef>
#include <cstring>
#include <string_view>

#include "designer/rtnReaderWriter/ShortCopy.h"

namespace vantorell {

// Bytes of the longest length prefix.
inline constexpr std::size_t kLongestLengthPrefix = (sizeof(std::size_t) * 8 + 6) / 7;

// Writes `record` with its prefix at `at`, which has room for kLongestLengthPrefix more
// bytes than the record; returns the end of what it wrote.
inline char* putLengthPrefixed(char* at, std::string_view record) {
    std::size_t length = record.size();
    while (length >= 0x80) {
        *at++ = static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    *at++ = static_cast<char>(length);
    copyShort(at, record.data(), record.size());
    return at + record.size();
}

// Reads the record at `at` (written by putLengthPrefixed) and moves `at` past it.
inline std::string_view takeLengthPrefixed(const char*& at) {
    std::size_t length = 0;
    int shift = 0;
    for (;;) {
        const auto byte = static_cast<unsigned char>(*at++);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (byte < 0x80) {
            break;
        }
        shift += 7;
    }
    const std::string_view record(at, length);
    at += length;
    return record;
}

}  // namespace vantorell
