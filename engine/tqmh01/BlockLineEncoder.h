#pragma once
// Writes cipher bytes as body lines and keeps the check value over the characters written.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/tqmh01/BodyLines.h"

namespace vantorell::engine {

class BlockLineEncoder {
public:
    // Lines are appended to `out`, each ended by a line feed; the caller drains it.
    explicit BlockLineEncoder(std::string& out) : out_(out) {}

    // Collects bytes and writes every full line of 64.
    void EncodeBlockLine(const std::uint8_t* bytes, std::size_t count);
    // Writes the last partial line, when it has bytes.
    void FlushBlockLine();

    // Exclusive-or of every body character written (not the blanks, not the line ends).
    int checkValue() const { return static_cast<int>(check_); }

private:
    void emitLine(const std::uint8_t* bytes, std::size_t count);

    std::string& out_;
    std::array<std::uint8_t, kBodyLineBytes> pending_{};
    std::size_t pendingCount_ = 0;
    unsigned check_ = 0;
};

}  // namespace vantorell::engine
