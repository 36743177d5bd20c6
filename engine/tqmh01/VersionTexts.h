#pragma once
// The texts of the update check: version texts compared segment by segment, prefixes, and
// the decimal versions and integer builds of the update description and the registry.

#include <string>

namespace vantorell::engine {

// Compares two dotted version texts: segments between "." in turn, a segment of digits as
// a number (so "10" is above "9", and "01" equals "1"), any other segment as text by
// character code, above every number. When all segments agree, the text that ends first
// is below. -1 when the first text is below the second, 0 when equal, +1 when above.
int CompareVersion(const std::string& first, const std::string& second);

// True when `text` begins with `prefix` (always for an empty prefix).
bool StartsWith(const std::string& text, const std::string& prefix);

// A version as a decimal number, with "." or "," as separator, blanks around it allowed;
// 0 for a text that is no such number.
double decimalVersion(const std::string& text);

// A build as an integer; 0 for a text that is no integer.
long long integerBuild(const std::string& text);

}  // namespace vantorell::engine
