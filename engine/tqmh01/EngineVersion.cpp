#include "engine/tqmh01/EngineVersion.h"

#include <cstdio>

#include "platform/VersionMarker.h"

#ifndef VANTORELL_VERSION_TEXT
#error "the build gives the engine its version text"
#endif

namespace vantorell {
namespace {

// Kept in the program file even where nothing reads it, so a version reader finds it.
[[gnu::used]] constexpr char kVersionMarker[] =
    VANTORELL_VERSION_MARKER_PREFIX VANTORELL_VERSION_TEXT;
constexpr std::size_t kPrefixLength = sizeof(VANTORELL_VERSION_MARKER_PREFIX) - 1;

}  // namespace

const char* engineVersionText() {
    return kVersionMarker + kPrefixLength;
}

std::string engineVersionInfoText() {
    unsigned major = 0, minor = 0, release = 0, build = 0;
    std::sscanf(engineVersionText(), "%u.%u.%u.%u", &major, &minor, &release, &build);
    char version[32];
    std::snprintf(version, sizeof version, "%u.%02u", major, minor);
    return std::string("Version: ") + version + " Build: " + std::to_string(build) +
           " Date: " + VANTORELL_BUILD_DATE;
}

}  // namespace vantorell
