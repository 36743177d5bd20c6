#pragma once

#include <cstdlib>
#include <cstring>

namespace vantorell::bench {

// The test run starts every benchmark once with tiny sizes to show that it still works.
inline bool smokeRun() {
    const char* v = std::getenv("VANTORELL_BENCH_SMOKE");
    return v != nullptr && std::strcmp(v, "1") == 0;
}

// Size for a benchmark argument: the real size, or a tiny one in a smoke run.
inline long long sized(long long real, long long smoke) { return smokeRun() ? smoke : real; }

}  // namespace vantorell::bench
