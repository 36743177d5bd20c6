#include "common/Scrambler.h"

#include <vector>

namespace vantorell {
namespace {

constexpr int kAlphabet = 94;
constexpr char kBlankStandIn = '`';
constexpr char kEscape = '~';

int mod94(int x) {
    const int r = x % kAlphabet;
    return r < 0 ? r + kAlphabet : r;
}

void requireKey(const std::string& key) {
    if (key.empty()) {
        throw ScramblerError("the scrambler key is empty");
    }
}

std::vector<int> toValues(const std::string& text) {
    if (text.size() > kScramblerBlockLimit) {
        throw ScramblerError("a scrambler block holds at most 256 characters, not " +
                             std::to_string(text.size()));
    }
    std::vector<int> v(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 33 || c > 126) {
            throw ScramblerError("character code " + std::to_string(c) + " at position " +
                                 std::to_string(i + 1) + " cannot be scrambled");
        }
        v[i] = c - 33;
    }
    return v;
}

std::string toText(const std::vector<int>& v) {
    std::string out(v.size(), '\0');
    for (std::size_t i = 0; i < v.size(); ++i) {
        out[i] = static_cast<char>(v[i] + 33);
    }
    return out;
}

int keyAt(const std::string& key, int value) {
    return static_cast<unsigned char>(key[static_cast<std::size_t>(value) % key.size()]);
}

// Block split shared by both directions, computed from the length alone.
template <typename BlockFn>
std::string perBlock(const std::string& text, BlockFn fn) {
    const std::size_t len = text.size();
    if (len <= kScramblerBlockLimit) {
        return fn(text);
    }
    const std::size_t blocks = (len + kScramblerBlockLimit - 1) / kScramblerBlockLimit;
    const std::size_t size = (len + blocks - 1) / blocks;
    std::string out;
    out.reserve(len);
    for (std::size_t start = 0; start < len; start += size) {
        out += fn(text.substr(start, size));
    }
    return out;
}

}  // namespace

std::string strEncryptBlock(const std::string& text, const std::string& key) {
    std::vector<int> v = toValues(text);
    const int n = static_cast<int>(v.size());
    if (n < 3) {
        return text;
    }
    requireKey(key);
    for (int i = 2; i < n; ++i) {
        v[i] = mod94(keyAt(key, v[i - 1]) + v[i] + v[i - 2]);
    }
    for (int i = n - 3; i >= 0; --i) {
        v[i] = mod94(keyAt(key, v[i + 1]) + v[i] + v[i + 2]);
    }
    return toText(v);
}

std::string strDecryptBlock(const std::string& text, const std::string& key) {
    std::vector<int> v = toValues(text);
    const int n = static_cast<int>(v.size());
    if (n < 3) {
        return text;
    }
    requireKey(key);
    for (int i = 0; i <= n - 3; ++i) {
        v[i] = mod94(v[i] - keyAt(key, v[i + 1]) - v[i + 2]);
    }
    for (int i = n - 1; i >= 2; --i) {
        v[i] = mod94(v[i] - keyAt(key, v[i - 1]) - v[i - 2]);
    }
    return toText(v);
}

std::string strEncrypt(const std::string& text, const std::string& key) {
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code > 126) {
            throw ScramblerError("character code " + std::to_string(code) + " at position " +
                                 std::to_string(i + 1) + " cannot be scrambled");
        }
        if (c == ' ') {
            escaped += kBlankStandIn;
        } else if (c == kBlankStandIn || c == kEscape) {
            escaped += kEscape;
            escaped += c;
        } else {
            escaped += c;
        }
    }
    return perBlock(escaped, [&](const std::string& b) { return strEncryptBlock(b, key); });
}

std::string strDecrypt(const std::string& text, const std::string& key) {
    const std::string plain =
        perBlock(text, [&](const std::string& b) { return strDecryptBlock(b, key); });
    std::string out;
    out.reserve(plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const char c = plain[i];
        if (c == kEscape) {
            if (i + 1 < plain.size()) {
                out += plain[++i];
            }
        } else if (c == kBlankStandIn) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace vantorell
