#pragma once
// Keyed, chained substitution over the 94 printable characters "!" .. "~".
// The designer and the engine both use these routines and must agree byte for byte.

#include <stdexcept>
#include <string>

namespace vantorell {

// Raised for input outside the scrambler's domain: an empty key, a block longer than
// 256 characters, or characters the routines cannot carry.
class ScramblerError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

constexpr std::size_t kScramblerBlockLimit = 256;

// Block of at most 256 characters, each 33..126; the key is any non-empty text.
std::string strEncryptBlock(const std::string& text, const std::string& key);
std::string strDecryptBlock(const std::string& text, const std::string& key);

// Any text of characters 32..126: blanks and the escape characters are escaped first,
// then the text is enciphered in blocks of at most 256 characters.
std::string strEncrypt(const std::string& text, const std::string& key);
std::string strDecrypt(const std::string& text, const std::string& key);

}  // namespace vantorell
