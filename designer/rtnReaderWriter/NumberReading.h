#pragma once
// Numbers of the model files: written with "." and read with "." or ",", never through the
// locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace vantorell {

// A decimal floating-point number, optionally signed, with "." or "," as separator and an
// optional exponent. Blanks around it are allowed. False for anything else, and for
// values that are not finite.
bool flgParseDouble(std::string_view text, double& value);

// A decimal integer in the range of a 32-bit Integer, optionally signed, blanks around it
// allowed.
bool flgParseInteger(std::string_view text, std::int32_t& value);

// Shortest text that reads back as the same value, with "." as separator (debug lines).
std::string strNumberText(double value);

}  // namespace vantorell
