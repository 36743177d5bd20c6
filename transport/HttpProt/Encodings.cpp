#include "transport/HttpProt/Encodings.h"

#include <cstdint>

namespace vantorell::transport {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kUUEncode[] = "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";

// Groups of three bytes, the last one filled with zero bytes, as four characters of the
// table each; Base64 then marks the filling with "=".
std::string Encode(const char* table, const unsigned char* bytes, int len, bool pad) {
    std::string result;
    result.reserve(static_cast<std::size_t>((len + 2) / 3 * 4));
    for (int i = 0; i < len; i += 3) {
        const int count = len - i < 3 ? len - i : 3;
        std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16;
        if (count > 1) {
            group |= static_cast<std::uint32_t>(bytes[i + 1]) << 8;
        }
        if (count > 2) {
            group |= bytes[i + 2];
        }
        result += table[(group >> 18) & 63];
        result += table[(group >> 12) & 63];
        result += count > 1 || !pad ? table[(group >> 6) & 63] : '=';
        result += count > 2 || !pad ? table[group & 63] : '=';
    }
    return result;
}

}  // namespace

std::string EncodeLine(THttpEncoding Encoding, const void* Data, int Len) {
    const auto* bytes = static_cast<const unsigned char*>(Data);
    if (Len < 0) {
        Len = 0;
    }
    if (Encoding == encUUEncode) {
        return static_cast<char>(32 + Len) + Encode(kUUEncode, bytes, Len, false);
    }
    return Encode(kBase64, bytes, Len, true);
}

std::string EncodeStr(THttpEncoding Encoding, const std::string& Value) {
    return EncodeLine(Encoding, Value.data(), static_cast<int>(Value.size()));
}

}  // namespace vantorell::transport
