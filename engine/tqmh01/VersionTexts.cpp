#include "engine/tqmh01/VersionTexts.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace vantorell::engine {
namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

int CompareVersion(const std::string& first, const std::string& second) {
    std::size_t a = 0;
    std::size_t b = 0;
    while (true) {
        const std::size_t aEnd = std::min(first.find('.', a), first.size());
        const std::size_t bEnd = std::min(second.find('.', b), second.size());
        const int order = std::string_view(first)
                              .substr(a, aEnd - a)
                              .compare(std::string_view(second).substr(b, bEnd - b));
        if (order != 0) {
            return order < 0 ? -1 : 1;
        }
        const bool firstEnds = aEnd == first.size();
        const bool secondEnds = bEnd == second.size();
        if (firstEnds || secondEnds) {
            return firstEnds && secondEnds ? 0 : firstEnds ? -1 : 1;
        }
        a = aEnd + 1;
        b = bEnd + 1;
    }
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

double decimalVersion(const std::string& text) {
    std::string number(trimmed(text));
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    const char* begin = number.data();
    if (!number.empty() && number[0] == '+' && number.size() > 1 && number[1] != '-') {
        ++begin;
    }
    // A number begins with a digit, a sign or the separator ("inf" and "nan" are none).
    if (begin == number.data() + number.size() ||
        !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '-' || *begin == '.')) {
        return 0.0;
    }
    double value = 0.0;
    const char* end = number.data() + number.size();
    const auto [stop, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && stop == end && std::isfinite(value) ? value : 0.0;
}

long long integerBuild(const std::string& text) {
    const std::string_view number = trimmed(text);
    const char* begin = number.data();
    const char* end = number.data() + number.size();
    if (number.size() > 1 && number[0] == '+' && number[1] != '-') {
        ++begin;
    }
    long long value = 0;
    const auto [stop, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && stop == end && begin != end ? value : 0;
}

}  // namespace vantorell::engine
