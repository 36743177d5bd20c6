#include "engine/tqmh01/VersionTexts.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "platform/NumberText.h"

namespace vantorell::engine {

namespace {

bool isNumber(std::string_view segment) {
    return !segment.empty() &&
           std::all_of(segment.begin(), segment.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Numbers of any length by value, without converting them; texts by character code, as
// unsigned bytes; every number below every text.
int compareSegments(std::string_view a, std::string_view b) {
    const bool aNumber = isNumber(a);
    const bool bNumber = isNumber(b);
    if (aNumber != bNumber) {
        return aNumber ? -1 : 1;
    }
    if (aNumber) {
        a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
        b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
        if (a.size() != b.size()) {
            return a.size() < b.size() ? -1 : 1;
        }
    }
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace

int CompareVersion(const std::string& first, const std::string& second) {
    std::size_t a = 0;
    std::size_t b = 0;
    while (true) {
        const std::size_t aEnd = std::min(first.find('.', a), first.size());
        const std::size_t bEnd = std::min(second.find('.', b), second.size());
        const int order = compareSegments(std::string_view(first).substr(a, aEnd - a),
                                          std::string_view(second).substr(b, bEnd - b));
        if (order != 0) {
            return order;
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
    double value = 0.0;
    return parseDecimalNumber(text, value) ? value : 0.0;
}

long long integerBuild(const std::string& text) {
    std::int64_t value = 0;
    return parseDecimalInteger(text, value) ? value : 0;
}

}  // namespace vantorell::engine
