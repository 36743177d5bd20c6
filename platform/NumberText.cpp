#include "platform/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool parsePointed(std::string_view text, double& value) {
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

bool parseDecimalNumber(std::string_view text, double& value) {
    text = withoutPlus(trimmedBlanks(text));
    // A number starts with a digit, a sign or the separator: from_chars would also take
    // "inf" and "nan" (a signed one is refused as not finite).
    if (text.empty() || !(isDigit(text[0]) || text[0] == '-' || text[0] == '.' || text[0] == ',')) {
        return false;
    }
    if (text.find(',') == std::string_view::npos) {
        return parsePointed(text, value);
    }
    // Most numbers are short: no allocation for them.
    std::array<char, 64> buffer{};
    std::string longer;
    char* out = buffer.data();
    if (text.size() > buffer.size()) {
        longer.resize(text.size());
        out = longer.data();
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[i] = text[i] == ',' ? '.' : text[i];
    }
    return parsePointed(std::string_view(out, text.size()), value);
}

bool parseDecimalInteger(std::string_view text, std::int64_t& value) {
    text = withoutPlus(trimmedBlanks(text));
    if (text.empty()) {
        return false;
    }
    std::int64_t parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed, 10);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace vantorell
