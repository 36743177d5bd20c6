#pragma once
// The user's number locale in the terms a diagnostics report gives it: a 16-bit locale
// number (the primary language in the low ten bits, the sublanguage above them) and the
// decimal separator. Linux names locales ("de_AT.UTF-8") instead of numbering them, so the
// number comes from a table of the common languages and territories.

#include <cstdint>
#include <string>

namespace vantorell {

// The number for a locale name such as "de_AT.UTF-8" or "pt_BR": its language and territory
// when the table holds them, else the language's main territory; "C" and "POSIX" are the
// invariant locale (0x007F); an unknown language is the neutral locale (0x0000).
std::uint16_t localeIdForName(const std::string& name);

// The name of the user's number locale: LC_ALL, else LC_NUMERIC, else LANG ("C" when none
// is set).
std::string userNumberLocaleName();

inline std::uint16_t primaryLanguageId(std::uint16_t localeId) {
    return localeId & 0x03FF;
}
inline std::uint16_t subLanguageId(std::uint16_t localeId) {
    return localeId >> 10;
}

// The decimal separator of the user's number locale; "." when that locale is not installed.
std::string userDecimalSeparator();

}  // namespace vantorell
