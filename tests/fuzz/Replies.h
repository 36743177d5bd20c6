#pragma once
// Scripted server replies in the fuzz inputs: an input holds the replies of successive
// connections, and a placeholder stands for what only the running server knows.

#include <string>
#include <vector>

namespace vantorell::fuzz {

// The pieces of `text` between the separators.
std::vector<std::string> splitAt(const std::string& text, const std::string& separator);

// `text` with every `placeholder` replaced.
std::string replaced(std::string text, const std::string& placeholder, const std::string& value);

}  // namespace vantorell::fuzz
