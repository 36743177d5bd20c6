#pragma once
// Reads the body lines of an enciphered file back into cipher bytes, strictly: a line of
// the wrong length or a character that carries no byte makes the file malformed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/tqmh01/BodyLines.h"

namespace vantorell::engine {

// The `count` bytes (1 .. 64) that body line number `lineNumber` carries, from its text
// without the line end; gives the exclusive-or of its characters. Raises CipherRunError
// (MalformedInput) for a line that is not a blank and the characters of `count` bytes.
unsigned DecodeBodyLine(std::string_view text, std::size_t count, std::uint64_t lineNumber,
                        std::uint8_t* out);

class BlockLineDecoder {
public:
    // Fills the line without its line end; false at the end of the file.
    using LineSource = std::function<bool(std::string& line)>;

    // `length` is the number of bytes the body carries.
    BlockLineDecoder(LineSource next, std::uint64_t length)
        : next_(std::move(next)), left_(length) {}

    // The next `count` bytes; raises CipherRunError (MalformedInput) when the body does not
    // hold them.
    void read(std::uint8_t* out, std::size_t count);

    // Exclusive-or of every body character read so far.
    int checkValue() const { return static_cast<int>(check_); }

private:
    void readLine();

    LineSource next_;
    std::uint64_t left_;  // bytes on lines not read yet
    std::uint64_t lineNumber_ = 0;
    std::string text_;
    std::array<std::uint8_t, kBodyLineBytes> bytes_{};
    std::size_t count_ = 0;
    std::size_t position_ = 0;
    unsigned check_ = 0;
};

}  // namespace vantorell::engine
