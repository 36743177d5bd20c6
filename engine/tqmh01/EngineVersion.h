#pragma once

namespace vantorell {

// The engine's own version text.
const char* engineVersionText();

}  // namespace vantorell
