#include "designer/rtnReaderWriter/NumberReading.h"

#include <array>
#include <charconv>
#include <limits>

#include "platform/NumberText.h"

namespace vantorell {

bool flgParseDouble(std::string_view text, double& value) {
    return parseDecimalNumber(text, value);
}

bool flgParseInteger(std::string_view text, std::int32_t& value) {
    std::int64_t parsed = 0;
    if (!parseDecimalInteger(text, parsed) || parsed < std::numeric_limits<std::int32_t>::min() ||
        parsed > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(parsed);
    return true;
}

std::string strNumberText(double value) {
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string("?");
}

}  // namespace vantorell
