#pragma once

#include <string>

namespace vantorell {

// Debug output of the model file routines: shown in an information box with OK and Cancel
// when `bit` is set in `mask` (the answer is ignored).
void nulDebugMessage(const std::string& text, int bit, int mask);

}  // namespace vantorell
