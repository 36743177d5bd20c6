#pragma once
// Decimal text read exactly: 12.34567 at scale 10,000 is 123456, with no binary rounding.

#include <cstdint>
#include <optional>
#include <string>

namespace vantorell {

// The text's value multiplied by `scale` (above 0), truncated toward zero and clamped to
// -limit..limit. The text is an optional sign, digits and at most one "."; blanks around it
// are allowed. No value for any other text.
std::optional<std::int64_t> optScaledDecimal(const std::string& text, std::int64_t scale,
                                             std::int64_t limit);

// The exact decimal text of value / scale (scale above 0), without trailing zeros: 142858 at
// scale 10,000 is "14.2858", 550000 is "55"; optScaledDecimal reads it back as `value`.
std::string strScaledDecimal(std::int64_t value, std::int64_t scale);

}  // namespace vantorell
