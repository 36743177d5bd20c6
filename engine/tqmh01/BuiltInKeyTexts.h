#pragma once
// The sixteen key texts built into the engine. Changing any of them makes every file
// enciphered before unreadable.

#include <string_view>

namespace vantorell::engine {

inline constexpr int kBuiltInKeyTextCount = 16;

// Text 1..16: 1-4 stand in for a missing second key text, 5-6 go into every derivation,
// 7-12 are the pairs of key variants 1, 2 and 3, 13-16 build the byte-step tables.
std::string_view builtInKeyText(int number);

}  // namespace vantorell::engine
