#include "designer/rtnReaderWriter/NumberReading.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vantorell {
namespace {

std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// from_chars takes no "+" sign.
std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool flgParseDouble(std::string_view text, double& value) {
    text = withoutPlus(trimmedBlanks(text));
    // Only digits, one separator, a sign and an exponent are numbers here: from_chars would
    // also take "inf", "nan" and hexadecimal forms.
    std::array<char, 64> buffer{};
    if (text.empty() || text.size() >= buffer.size()) {
        return false;
    }
    std::size_t n = 0;
    bool digits = false;
    for (char c : text) {
        if (c == ',') {
            c = '.';
        }
        if (isDigit(c)) {
            digits = true;
        } else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') {
            return false;
        }
        buffer[n++] = c;
    }
    if (!digits) {
        return false;
    }
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(buffer.data(), buffer.data() + n, parsed);
    if (ec != std::errc() || end != buffer.data() + n || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

bool flgParseInteger(std::string_view text, std::int32_t& value) {
    text = withoutPlus(trimmedBlanks(text));
    if (text.empty()) {
        return false;
    }
    std::int32_t parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed, 10);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    value = parsed;
    return true;
}

std::string strNumberText(double value) {
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string("?");
}

}  // namespace vantorell
