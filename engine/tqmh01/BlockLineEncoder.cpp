#include "engine/tqmh01/BlockLineEncoder.h"

#include <algorithm>

namespace vantorell::engine {

void BlockLineEncoder::emitLine(const std::uint8_t* bytes, std::size_t count) {
    char line[1 + kBodyLineChars + 1];
    std::size_t n = 0;
    line[n++] = ' ';
    unsigned check = 0;
    for (std::size_t g = 0; g < count; g += 4) {
        const std::size_t inGroup = std::min<std::size_t>(4, count - g);
        unsigned lead = kBodyCharBase;
        for (std::size_t i = 0; i < inGroup; ++i) {
            lead += kBodyLeadWeights[i] * (bytes[g + i] / kBodyByteModulus);
        }
        line[n++] = static_cast<char>(lead);
        check ^= lead;
        for (std::size_t i = 0; i < inGroup; ++i) {
            const unsigned c = bytes[g + i] % kBodyByteModulus + kBodyCharBase;
            line[n++] = static_cast<char>(c);
            check ^= c;
        }
    }
    line[n++] = '\n';
    out_.append(line, n);
    check_ ^= check;
}

void BlockLineEncoder::EncodeBlockLine(const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        if (pendingCount_ == 0 && count >= kBodyLineBytes) {
            emitLine(bytes, kBodyLineBytes);
            bytes += kBodyLineBytes;
            count -= kBodyLineBytes;
            continue;
        }
        const std::size_t take = std::min(count, kBodyLineBytes - pendingCount_);
        std::copy(bytes, bytes + take,
                  pending_.begin() + static_cast<std::ptrdiff_t>(pendingCount_));
        pendingCount_ += take;
        bytes += take;
        count -= take;
        if (pendingCount_ == kBodyLineBytes) {
            emitLine(pending_.data(), kBodyLineBytes);
            pendingCount_ = 0;
        }
    }
}

void BlockLineEncoder::FlushBlockLine() {
    if (pendingCount_ > 0) {
        emitLine(pending_.data(), pendingCount_);
        pendingCount_ = 0;
    }
}

}  // namespace vantorell::engine
