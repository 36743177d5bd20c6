#pragma once
// How long a blocking request may go without progress when its caller sets no time-out
// of its own (0 or less): a server that stops answering never holds a caller for good.

#include <chrono>

namespace vantorell::transport {

inline constexpr std::chrono::seconds kLongestWait{60};

}  // namespace vantorell::transport
