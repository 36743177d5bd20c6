#pragma once
// Text with a fixed maximum length in bytes, as the model records hold their names and codes.
// A longer text is cut when stored, at a UTF-8 character boundary.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantorell {

// The first `limit` bytes of `text`, less the start of a character that the limit would split
// (at most three bytes).
std::string cutUtf8(std::string_view text, std::size_t limit);

// True when the text is well-formed UTF-8.
bool flgIsUtf8(std::string_view text);

template <std::size_t N>
class ShortString {
public:
    static constexpr std::size_t kLimit = N;

    ShortString() = default;
    ShortString(std::string_view text) : value_(cutUtf8(text, N)) {}
    ShortString(const std::string& text) : value_(cutUtf8(text, N)) {}
    ShortString(const char* text) : value_(cutUtf8(text, N)) {}

    ShortString& operator=(std::string_view text) {
        value_ = cutUtf8(text, N);
        return *this;
    }
    ShortString& operator=(const std::string& text) { return *this = std::string_view(text); }
    ShortString& operator=(const char* text) { return *this = std::string_view(text); }

    const std::string& str() const { return value_; }
    operator const std::string&() const { return value_; }
    const char* c_str() const { return value_.c_str(); }
    std::size_t size() const { return value_.size(); }
    bool empty() const { return value_.empty(); }

    friend bool operator==(const ShortString& a, const ShortString& b) = default;
    friend bool operator==(const ShortString& a, std::string_view b) { return a.value_ == b; }
    friend auto operator<=>(const ShortString& a, const ShortString& b) {
        return a.value_ <=> b.value_;
    }

private:
    std::string value_;
};

template <std::size_t N>
std::string operator+(const std::string& a, const ShortString<N>& b) {
    return a + b.str();
}
template <std::size_t N>
std::string operator+(const ShortString<N>& a, const std::string& b) {
    return a.str() + b;
}
template <std::size_t N>
std::string operator+(const char* a, const ShortString<N>& b) {
    return a + b.str();
}

}  // namespace vantorell
