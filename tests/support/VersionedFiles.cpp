#include "tests/support/VersionedFiles.h"

#include "platform/VersionMarker.h"

namespace vantorell::test {

std::string programBytesWithVersion(const std::string& version) {
    const std::string prefix = VANTORELL_VERSION_MARKER_PREFIX;
    return "\x7f"
           "ELF program text " +
           prefix + version + std::string(1, '\0') + " more text";
}

}  // namespace vantorell::test
