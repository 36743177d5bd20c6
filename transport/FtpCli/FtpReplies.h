#pragma once
// Reading FTP replies: assembling the control connection's bytes into lines, and the
// numbers and quoted texts inside a reply line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantorell::transport {

// Collects received bytes and hands out complete lines without their line ends. A line
// ends at a line feed (acceptLF) or only at carriage return + line feed; carriage returns
// and line feeds at the end of a line are stripped. A line longer than the buffer keeps
// its first bytes and loses the rest up to its line end, so a server cannot grow it.
class FtpReplyLines {
public:
    static constexpr std::size_t kBufferSize = 4096;

    // Room left for the next receive (one byte stays free, as the reply buffer keeps a
    // terminating zero).
    std::size_t Room() const;
    // Appends bytes; at most Room() of them are kept.
    void Append(const char* Data, std::size_t Len);
    // Takes the next complete line; false when none is complete yet.
    bool NextLine(bool AcceptLF, std::string& Line);
    std::size_t Held() const { return FHeld.size(); }
    void Clear();

private:
    std::string FHeld;
    bool FDropping = false;  // the held line is cut; bytes up to its line end are dropped
};

// Skips blanks, tabs, carriage returns and line feeds from Pos, reads an optional sign and
// decimal digits into Value (no digits read 0) and returns the position behind the digits.
// Codes are 32-bit values; sizes and positions are read as 64-bit ones, so that files
// beyond 2 GB keep their sizes.
std::size_t FtpGetInteger(const std::string& Line, std::size_t Pos, int& Value);
std::size_t FtpGetInteger(const std::string& Line, std::size_t Pos, std::int64_t& Value);

// Skips blanks from Pos; when a double quote follows, the text up to the next lone double
// quote, a doubled one standing for one; otherwise empty.
std::string FtpGetQuotedString(const std::string& Line, std::size_t Pos);

// A reply line's code: true when the line begins with a digit; Code is its number and
// Final tells whether the character behind the digits is not "-".
bool FtpReplyCode(const std::string& Line, int& Code, bool& Final);

// The data address of a 227 reply: the six numbers after its first "(", four address
// bytes and the port's high and low byte, joined by commas. False when they are not six
// numbers of 0 to 255.
bool FtpPasvAddress(const std::string& Reply, std::string& Addr, std::uint16_t& Port);

}  // namespace vantorell::transport
