#pragma once
// Numbers read from texts (model files, the update description, the registry) with "." or
// "," as the decimal separator, never through the locale.

#include <cstdint>
#include <string_view>

namespace vantorell {

// A decimal floating-point number, optionally signed, with "." or "," as separator and an
// optional exponent. Blanks and tabs around it are allowed. False for anything else, and
// for values that are not finite.
bool parseDecimalNumber(std::string_view text, double& value);

// A decimal integer, optionally signed, blanks and tabs around it allowed; false for
// anything else and for one out of range.
bool parseDecimalInteger(std::string_view text, std::int64_t& value);

}  // namespace vantorell
