#include "engine/tqmh01/BlockLineDecoder.h"

#include <algorithm>

#include "engine/tqmh01/CipherRunError.h"

namespace vantorell::engine {
namespace {

[[noreturn]] void malformed(std::uint64_t line, const std::string& what) {
    throw CipherRunError(CipherOutcome::MalformedInput,
                         "body line " + std::to_string(line) + " " + what);
}

}  // namespace

unsigned DecodeBodyLine(std::string_view text, std::size_t count, std::uint64_t lineNumber,
                        std::uint8_t* out) {
    if (text.size() != 1 + bodyCharsFor(count) || text[0] != ' ') {
        malformed(lineNumber,
                  "should be a blank and " + std::to_string(bodyCharsFor(count)) + " characters");
    }
    const char* chars = text.data() + 1;
    unsigned check = 0;
    std::size_t n = 0;
    for (std::size_t g = 0; g < count; g += 4) {
        const std::size_t inGroup = std::min<std::size_t>(4, count - g);
        const auto lead = static_cast<unsigned char>(chars[n++]);
        check ^= lead;
        const unsigned leadValue = lead >= kBodyCharBase ? lead - kBodyCharBase : 255U;
        unsigned rebuilt = 0;
        for (std::size_t i = 0; i < inGroup; ++i) {
            const auto c = static_cast<unsigned char>(chars[n++]);
            check ^= c;
            const unsigned quotient = (leadValue / kBodyLeadWeights[i]) % 3;
            rebuilt += quotient * kBodyLeadWeights[i];
            const unsigned value = quotient * kBodyByteModulus + (c - kBodyCharBase);
            if (c < kBodyCharBase || c > kBodyHighestChar || value > 255) {
                malformed(lineNumber, "holds a character that carries no byte");
            }
            out[g + i] = static_cast<std::uint8_t>(value);
        }
        if (rebuilt != leadValue) {
            malformed(lineNumber, "holds a lead character that fits no group");
        }
    }
    return check;
}

void BlockLineDecoder::readLine() {
    ++lineNumber_;
    if (!next_(text_)) {
        throw CipherRunError(CipherOutcome::MalformedInput,
                             "the file ends before its body carries all its bytes");
    }
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>(left_, kBodyLineBytes));
    check_ ^= DecodeBodyLine(text_, count, lineNumber_, bytes_.data());
    left_ -= count;
    count_ = count;
    position_ = 0;
}

void BlockLineDecoder::read(std::uint8_t* out, std::size_t count) {
    while (count > 0) {
        if (position_ == count_) {
            if (left_ == 0) {
                throw CipherRunError(CipherOutcome::MalformedInput,
                                     "the body is read beyond its length");
            }
            readLine();
        }
        const std::size_t take = std::min(count, count_ - position_);
        std::copy(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
                  bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + take), out);
        position_ += take;
        out += take;
        count -= take;
    }
}

}  // namespace vantorell::engine
