#include "designer/frmMain/ElapsedTime.h"

#include <cstdio>

namespace vantorell {

std::string strElapsedTimeGet(std::chrono::steady_clock::time_point now,
                              std::chrono::steady_clock::time_point start) {
    long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
    if (ms < 0) {
        ms = 0;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld", ms / 3'600'000,
                  ms / 60'000 % 60, ms / 1000 % 60, ms % 1000);
    return text;
}

}  // namespace vantorell
